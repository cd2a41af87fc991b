// make_assets <source-dir> <output-dir>: writes font.png and sprites.png from
// their text sources (assets-src/ into assets/ in this repository).
#include <cstdio>
#include <exception>

#include "asset_generator.hpp"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_assets <source-dir> <output-dir>\n");
    return 2;
  }
  try {
    assetgen::generateAssets(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
