#include <stb_image_write.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lumo/lumo.hpp"
#include "lumo/palette_state.hpp"

namespace {

using namespace lumo;
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

class ImageFile : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("lumo_image_" + std::to_string(::getpid()) + "_" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
    paletteState = PaletteState{};
    loadPaletteCGA();
  }
  void TearDown() override {
    fs::remove_all(folder);
    paletteState = PaletteState{};
  }

  // Writes a PNG of w × h pixels with `channels` bytes each.
  std::string writePng(const std::string& name, int w, int h, int channels, const Bytes& pixels) {
    std::string path = (folder / name).string();
    EXPECT_NE(stbi_write_png(path.c_str(), w, h, channels, pixels.data(), w * channels), 0);
    return path;
  }

  static Surface load(const std::string& path) {
    Surface result;
    bool called = false;
    loadSurface(path, [&](Surface& s) {
      called = true;
      result = s;
    });
    EXPECT_TRUE(called);
    return result;
  }

  fs::path folder;
};

TEST_F(ImageFile, LoadsRgbaPixelsAndConvertsThemToPaletteIndices) {
  // White transparent, light cyan, a foreign colour, black, light magenta, white.
  const Bytes pixels{255, 255, 255, 0,   85, 255, 255, 255, 12, 34, 56, 255,
                     0,   0,   0,   255, 255, 85, 255, 128, 255, 255, 255, 255};
  Surface loaded = load(writePng("cga.png", 3, 2, 4, pixels));
  EXPECT_EQ(loaded.data, pixels);
  EXPECT_EQ(loaded.channels, 4);
  EXPECT_EQ(loaded.w, 3);
  EXPECT_EQ(loaded.h, 2);

  Surface indexed = convertToIndexed(loaded);
  EXPECT_EQ(indexed.data, (Bytes{3, 1, 0, 0, 2, 3}));
  EXPECT_EQ(indexed.channels, 1);
}

TEST_F(ImageFile, FilesWithFewerChannelsStillGiveFourBytesPerPixelButAreNotIndexed) {
  struct Case {
    int channels;
    Bytes stored;
    Bytes expected;  // RGBA as decoded
  };
  const Case cases[] = {
      {3, {85, 255, 255, 1, 2, 3}, {85, 255, 255, 255, 1, 2, 3, 255}},
      {2, {200, 10, 7, 255}, {200, 200, 200, 10, 7, 7, 7, 255}},
      {1, {0, 255}, {0, 0, 0, 255, 255, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.channels);
    Surface loaded = load(writePng("grey_or_rgb.png", 2, 1, c.channels, c.stored));
    EXPECT_EQ(loaded.channels, c.channels);
    EXPECT_EQ(loaded.data, c.expected);
    try {
      convertToIndexed(loaded);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "Converting non RGBA surface to indexed");
    }
  }
}

TEST_F(ImageFile, UnreadableFilesAreAnIoErrorNamingThePathAndSkipTheCallback) {
  std::string notImage = (folder / "notes.png").string();
  std::ofstream(notImage) << "GIMP Palette\n1 2 3\n";
  std::string empty = (folder / "empty.png").string();
  std::ofstream(empty).close();
  for (const std::string& path : {(folder / "missing.png").string(), notImage, empty, folder.string()}) {
    SCOPED_TRACE(path);
    bool called = false;
    try {
      loadSurface(path, [&](Surface&) { called = true; });
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::IO);
      EXPECT_EQ(std::string(e.what()), "Unable to load surface: " + path);
    }
    EXPECT_FALSE(called);
  }
}

}  // namespace
