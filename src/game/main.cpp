// pegwick: deals and scores cribbage hands.
#include <cstdio>

#include "lumo/lumo.hpp"

int main() {
  try {
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", lumo::unhandledReport(e).c_str());
    return 1;
  }
}
