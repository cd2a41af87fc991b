// F11 starts the desktop's file browser on the write folder; a stand-in
// browser on PATH writes down where and with what it was started.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "events_fixture.hpp"
#include "support/files.hpp"

namespace {

using namespace lumo;
using namespace lumo::testing_support;
namespace fs = std::filesystem;

class EventsFolder : public SdlInputTest {
 protected:
  void SetUp() override {
    SdlInputTest::SetUp();
    root = fs::path(testing::TempDir()) / ("events_folder_" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "bin");
    fs::create_directories(root / "write");
    pathState.writePath = (root / "write").string();
    const char* path = std::getenv("PATH");
    savedPath = path ? path : "";
    setenv("PATH", (root / "bin").c_str(), 1);
  }

  void TearDown() override {
    setenv("PATH", savedPath.c_str(), 1);
    fs::remove_all(root);
    SdlInputTest::TearDown();
  }

  void installBrowser() {
    fs::path script = root / "bin" / "xdg-open";
    std::ofstream(script) << "#!/bin/sh\n{ pwd; echo \"$1\"; } > started\n";
    fs::permissions(script, fs::perms::owner_all);
  }

  // The browser runs on its own; give it a generous while to write what
  // it is expected to write.
  std::string waitForStartedFile(const std::string& expected) {
    fs::path started = root / "write" / "started";
    std::string text;
    for (int i = 0; i < 1000 && text != expected; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (fs::exists(started)) text = readWholeFile(started.string());
    }
    return text;
  }

  fs::path root;
  std::string savedPath;
};

TEST_F(EventsFolder, F11StartsTheBrowserInAndOnTheWriteFolderWithoutAZombie) {
  installBrowser();
  pushKey(true, SDL_SCANCODE_F11);
  testing::internal::CaptureStdout();
  checkInput();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  std::string folder = pathState.writePath;
  std::string expected = folder + "\n" + folder + "\n";
  EXPECT_EQ(waitForStartedFile(expected), expected);
  // The intermediate child is reaped and the browser belongs to init.
  int status = 0;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(EventsFolder, ABrowserThatCannotBeStartedIsReportedAndIgnored) {
  struct Case {
    bool installed;
    std::string writeFolder;
  };
  std::string missing = (root / "no such folder").string();
  for (const Case& c : {Case{false, pathState.writePath}, Case{true, missing}}) {
    if (c.installed) installBrowser();
    pathState.writePath = c.writeFolder;
    addKeyForBtn(LumoButton::A, SDL_SCANCODE_F11);
    pushKey(true, SDL_SCANCODE_F11);
    testing::internal::CaptureStdout();
    checkInput();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "could not open the write folder: " + c.writeFolder + "\r\n");
    EXPECT_EQ(keyboard()->buttons[int(LumoButton::A)], 1) << "the key still reaches the buttons";
  }
}

}  // namespace
