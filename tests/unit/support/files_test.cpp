// Reading whole files and JSON files, making folders, and the time stamp
// used in file names.
#include "support/files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>

#include "lumo/lumo.hpp"
#include "unit/support/temp_folder.hpp"

namespace {

using namespace lumo;
using namespace std::string_literals;
using lumo::testing_support::TempFolder;
namespace fs = std::filesystem;

class Files : public testing::Test {
 protected:
  // The error `read` raises for `name`; fails the test when there is none.
  static Error failure(const std::function<void()>& read) {
    try {
      read();
    } catch (const Error& e) {
      return e;
    }
    ADD_FAILURE() << "nothing thrown";
    return Error(ErrorKind::Value, "");
  }

  TempFolder folder{"lumo_files"};
};

TEST_F(Files, ReadFileGivesEveryByte) {
  std::string content = "GIF89a\0\x01\xff\r\n\r\x1a end"s;
  std::string path = folder.write("bytes.bin", content);
  EXPECT_EQ(readFile(path), content);
  EXPECT_EQ(readFile(folder.write("empty", "")), "");
  // The name is used as given: doubled separators are fine.
  EXPECT_EQ(readFile(folder.path() + "//bytes.bin"), content);
}

TEST_F(Files, ReadFileOfWhatCannotBeOpenedIsAnIOError) {
  for (const std::string& name : {folder / "missing.txt", folder.path(), folder / "no/such/folder/x", std::string()}) {
    Error e = failure([&] { readFile(name); });
    EXPECT_EQ(e.kind(), ErrorKind::IO) << name;
    EXPECT_EQ(std::string(e.what()), "cannot open: " + name);
  }
}

TEST_F(Files, ReadJsonFileParsesStandardJson) {
  std::string path = folder.write("map.json", R"({"width": 2, "height": 1, "layers": [{"data": [1, 0]}], "name": "é"})");
  nlohmann::json json = readJsonFile(path);
  EXPECT_EQ(json["width"], 2);
  EXPECT_EQ(json["layers"][0]["data"], nlohmann::json::array({1, 0}));
  EXPECT_EQ(json["name"], "\xc3\xa9");
}

TEST_F(Files, ReadJsonFileOfBadTextIsAParseErrorSayingWhere) {
  std::string path = folder.write("bad.json", "{\"width\": 2,\n \"height\": }");
  Error e = failure([&] { readJsonFile(path); });
  EXPECT_EQ(e.kind(), ErrorKind::Parse);
  std::string message = e.what();
  EXPECT_NE(message.find("parse error"), std::string::npos) << message;
  EXPECT_NE(message.find("line 2"), std::string::npos) << message;

  Error missing = failure([&] { readJsonFile(folder / "none.json"); });
  EXPECT_EQ(missing.kind(), ErrorKind::IO);
  EXPECT_EQ(std::string(missing.what()), "cannot open: " + (folder / "none.json"));
}

TEST_F(Files, CreateFoldersMakesEveryMissingParent) {
  std::string deep = folder / "video/2024/clips";
  EXPECT_TRUE(createFolders(deep));
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_TRUE(createFolders(deep));  // already there
  EXPECT_TRUE(createFolders(deep + "/"));
  // A file in the way is refused, not replaced.
  std::string file = folder.write("screenshots", "not a folder");
  EXPECT_FALSE(createFolders(file));
  EXPECT_FALSE(createFolders(file + "/inner"));
  EXPECT_EQ(folder.read("screenshots"), "not a folder");
}

TEST(FilesTimestamp, IsTheLocalDateAndTimeInFileNameForm) {
  std::string stamp = localTimestamp();
  EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}-(0[1-9]|1[0-2])-[0-3]\d{1}T[0-2]\d-[0-5]\d-[0-6]\d)")))
      << stamp;
}

}  // namespace
