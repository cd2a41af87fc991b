// The settings file: where it is loaded from, saving it, its values, and the
// operations used before it was loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "lumo/lumo.hpp"
#include "platform/paths_state.hpp"
#include "unit/support/log_capture.hpp"
#include "unit/support/temp_folder.hpp"

namespace {

using namespace lumo;
using namespace std::string_literals;
using lumo::testing_support::logged;
using lumo::testing_support::TempFolder;

class ConfigTest : public testing::Test {
 protected:
  void SetUp() override {
    pathState = PathState{};
    setBasePath(base.path());
    setWritePath(user.path());
  }
  void TearDown() override { pathState = PathState{}; }

  // The names the settings operations build: the folders end in "/" already.
  std::string baseFile() const { return base.path() + "//config.ini"; }
  std::string userFile() const { return user.path() + "//config.ini"; }

  static std::string load() {
    return logged([] { loadConfig(); }).out;
  }

  TempFolder base{"lumo_config_base"};
  TempFolder user{"lumo_config_user"};
};

// ---- Loading and its fallback -------------------------------------------------

enum class Source { User, Base, None };

struct FallbackCase {
  const char* name;
  const char* userContent;  // nullptr: no file; "/": a folder in its place
  const char* baseContent;
  Source loaded;
  const char* value;  // of section "a", key "b"
};

void PrintTo(const FallbackCase& c, std::ostream* os) { *os << c.name; }

class ConfigLoad : public ConfigTest, public testing::WithParamInterface<FallbackCase> {
 protected:
  static void place(const TempFolder& folder, const char* content) {
    if (!content) return;
    if (std::string(content) == "/") {
      std::filesystem::create_directory(folder / "config.ini");
    } else {
      folder.write("config.ini", content);
    }
  }
};

TEST_P(ConfigLoad, TakesThePerUserFileThenTheProgramsThenNothing) {
  const FallbackCase& c = GetParam();
  place(user, c.userContent);
  place(base, c.baseContent);

  std::string out = load();

  switch (c.loaded) {
    case Source::User: EXPECT_EQ(out, "loaded config from " + userFile() + "\r\n"); break;
    case Source::Base: EXPECT_EQ(out, "loaded config from " + baseFile() + "\r\n"); break;
    case Source::None: EXPECT_EQ(out, "no config file loaded\r\n"); break;
  }
  ASSERT_TRUE(pathState.config.has_value());
  EXPECT_EQ(getConfigValue("a", "b"), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Config, ConfigLoad,
    testing::Values(FallbackCase{"NoFileAnywhere", nullptr, nullptr, Source::None, ""},
                    FallbackCase{"OnlyInTheProgramsFolder", nullptr, "[a]\nb=base\n", Source::Base, "base"},
                    FallbackCase{"OnlyPerUser", "[a]\nb=user\n", nullptr, Source::User, "user"},
                    FallbackCase{"PerUserWins", "[a]\nb=user\n", "[a]\nb=base\n", Source::User, "user"},
                    // An empty file opens fine, so it is the one loaded.
                    FallbackCase{"EmptyPerUserFileWins", "", "[a]\nb=base\n", Source::User, ""},
                    FallbackCase{"PerUserNameIsAFolder", "/", "[a]\nb=base\n", Source::Base, "base"},
                    FallbackCase{"BothNamesAreFolders", "/", "/", Source::None, ""}),
    [](const testing::TestParamInfo<FallbackCase>& info) { return std::string(info.param.name); });

TEST_F(ConfigTest, NothingLoadedLeavesAnEmptyConfigToFill) {
  EXPECT_EQ(load(), "no config file loaded\r\n");
  EXPECT_TRUE(pathState.config->empty());
  updateConfigValue("keys", "up", "w");
  EXPECT_EQ(getConfigValue("keys", "up"), "w");
  EXPECT_EQ(getConfigValue("keys", "down"), "");
  EXPECT_EQ(getConfigValue("other", "up"), "");
}

TEST_F(ConfigTest, ASyntaxErrorKeepsWhatCameBeforeIt) {
  user.write("config.ini", "top = 1\n[a]\nb = 2\n[broken\nc = 3\n[d]\ne = 4\n");
  base.write("config.ini", "[a]\nc = base\n");

  EXPECT_EQ(load(), "loaded config from " + userFile() + "\r\n");
  EXPECT_EQ(getConfigValue("", "top"), "1");
  EXPECT_EQ(getConfigValue("a", "b"), "2");
  EXPECT_EQ(getConfigValue("a", "c"), "");
  EXPECT_EQ(getConfigValue("d", "e"), "");
}

// ---- Saving ----------------------------------------------------------------------

TEST_F(ConfigTest, SavesToThePerUserFileAndLogsBothSteps) {
  load();
  updateConfigValue("keys", "up", "w");
  std::string out = logged([] { saveConfig(); }).out;
  EXPECT_EQ(out, "saving config to " + userFile() + "\r\nsaved config to " + userFile() + "\r\n");
  EXPECT_EQ(user.read("config.ini"), "[keys]\nup=w\n");
  EXPECT_FALSE(std::filesystem::exists(base / "config.ini"));

  pathState.config.reset();
  EXPECT_EQ(load(), "loaded config from " + userFile() + "\r\n");
  EXPECT_EQ(getConfigValue("keys", "up"), "w");
}

struct SavedValue {
  std::string section, key, value;
};

TEST_F(ConfigTest, EverySavedValueLoadsBackUnchanged) {
  const std::vector<SavedValue> values = {
      {"keys", "up", "w"},
      {"keys", "name", "two words"},
      {"keys", "empty", ""},
      {"", "top", "before any section"},
      {"text", "quoted", "say \"hi\"\nand\r\nbye"},
      {"text", "ends in a quote", "6\" nails\""},
      {"text", "triple", "a\"\"\"b"},
      {"text", "path", "C:\\games\\pegwick\\"},
      {"text", "comment marks", "# not ; a comment = : [x]"},
      {"text", "bytes", "\t\x01\x7f\xc3\xa9 \0end"s},
      {"text", "padded", "  spaces around  "},
      {"odd [section] \"name\"", "--option", "v:1"},
      {"", "--window", "fullscreen"},
  };
  load();
  for (const SavedValue& v : values) updateConfigValue(v.section, v.key, v.value);
  logged([] { saveConfig(); });
  Settings saved = *pathState.config;

  pathState.config.reset();
  EXPECT_EQ(load(), "loaded config from " + userFile() + "\r\n");
  for (const SavedValue& v : values) {
    EXPECT_EQ(getConfigValue(v.section, v.key), v.value) << "[" << v.section << "] " << v.key;
  }
  EXPECT_TRUE(*pathState.config == saved) << user.read("config.ini");
}

TEST_F(ConfigTest, AnUnwritableFileIsReportedAndTheConfigKept) {
  load();
  updateConfigValue("keys", "up", "w");
  const Settings before = *pathState.config;
  // A folder where the file belongs, then a per-user folder that is missing.
  std::filesystem::create_directory(user / "config.ini");
  for (const std::string& folder : {user.path(), user / "missing"}) {
    setWritePath(folder);
    std::string path = folder + "//config.ini";
    std::string out = logged([] { saveConfig(); }).out;
    EXPECT_EQ(out, "saving config to " + path + "\r\nerror saving config\r\n");
    EXPECT_TRUE(*pathState.config == before);
  }
  EXPECT_FALSE(std::filesystem::exists(user / "missing"));
  // The temporary file a save writes first is never left behind.
  EXPECT_FALSE(std::filesystem::exists(user / "config.ini.part"));
}

// ---- Before loading --------------------------------------------------------------

struct BeforeLoadCase {
  const char* name;
  std::function<void()> operation;
  bool logsSaving;
};

void PrintTo(const BeforeLoadCase& c, std::ostream* os) { *os << c.name; }

class ConfigBeforeLoad : public ConfigTest, public testing::WithParamInterface<BeforeLoadCase> {};

TEST_P(ConfigBeforeLoad, FailsWithTheMissingConfigAssertion) {
  const BeforeLoadCase& c = GetParam();
  testing::internal::CaptureStdout();
  try {
    c.operation();
    ADD_FAILURE() << c.name << " ran without a config";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Assertion);
    EXPECT_STREQ(e.what(), "\n  not (config == nil) ");
  }
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, c.logsSaving ? "saving config to " + userFile() + "\r\n" : "");
  EXPECT_FALSE(pathState.config.has_value());
  EXPECT_FALSE(std::filesystem::exists(user / "config.ini"));
}

INSTANTIATE_TEST_SUITE_P(
    Config, ConfigBeforeLoad,
    testing::Values(BeforeLoadCase{"Save", [] { saveConfig(); }, true},
                    BeforeLoadCase{"Update", [] { updateConfigValue("keys", "up", "w"); }, false},
                    BeforeLoadCase{"Get", [] { getConfigValue("a", "b"); }, false}),
    [](const testing::TestParamInfo<BeforeLoadCase>& info) { return std::string(info.param.name); });

}  // namespace
