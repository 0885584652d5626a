#include "document/open_files.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "startup_fixture.h"

namespace {

using nv::document::OpenDocument;
using nv::document::OpenResult;
namespace result = nv::platform::message_result;

// The main window's tabs and its one window in the making.
class Windows : public nv::document::OpenHost {
 public:
  std::vector<std::string> OpenFileNames() const override { return tabs; }
  void Reload(int index) override { reloaded.push_back(tabs.at(index)); }
  bool ChooseMidiImport(const std::string& path) override {
    asked.push_back(path);
    return acceptImport;
  }
  void CreateWindow(bool midiImport) override {
    EXPECT_FALSE(pending) << "a window left over";
    pending = true;
    imported = midiImport;
  }
  void Load(const std::string& path) override {
    EXPECT_TRUE(waiting);
    if (damaged.contains(path)) throw std::runtime_error("the file is damaged");
    loading = path;
  }
  void Dock() override {
    tabs.push_back(loading);
    importedTabs.push_back(imported);
    pending = false;
  }
  void FreeWindow() override {
    pending = false;
    ++freed;
  }
  void RemoveFromRecent(const std::string& path) override { unlisted.push_back(path); }
  void SetWaitCursor(bool wait) override { waiting = wait; }
  void StopPlayback() override { ++stops; }
  void AfterOpen() override { ++refreshes; }

  std::vector<std::string> tabs, reloaded, asked, unlisted;
  std::vector<bool> importedTabs;
  std::set<std::string> damaged;
  std::string loading;
  bool acceptImport = true;
  bool pending = false;
  bool imported = false;
  bool waiting = false;
  int freed = 0;
  int stops = 0;
  int refreshes = 0;
};

class OpenFilesTest : public ::testing::Test {
 protected:
  OpenResult Open(const std::string& path, bool askReload = true) {
    return OpenDocument(path, askReload, windows_, prompt_, texts_);
  }

  Windows windows_;
  startup_fixture::RecordingPrompt prompt_;
  startup_fixture::NumberedTexts texts_;
};

TEST_F(OpenFilesTest, ADamagedFileInTheMiddleIsReportedByNameAndTheRestStillOpen) {
  windows_.damaged = {"/music/b.sfd"};
  nv::document::OpenFiles({"/music/a.sfd", "/music/b.sfd", "/music/c.sfd"}, windows_, prompt_, texts_);
  EXPECT_EQ(windows_.tabs, (std::vector<std::string>{"/music/a.sfd", "/music/c.sfd"}));
  ASSERT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_NE(prompt_.Shown[0].find("/music/b.sfd: the file is damaged"), std::string::npos) << prompt_.Shown[0];
  EXPECT_EQ(prompt_.Shown[0].rfind("text 21: text 7", 0), 0u) << prompt_.Shown[0];
  EXPECT_EQ(windows_.freed, 1);
  EXPECT_FALSE(windows_.pending);
  EXPECT_FALSE(windows_.waiting);
  EXPECT_EQ(windows_.stops, 1);
  EXPECT_EQ(windows_.refreshes, 1);
  EXPECT_EQ(windows_.unlisted, (std::vector<std::string>{"/music/a.sfd", "/music/c.sfd"}));
}

TEST_F(OpenFilesTest, AFileAlreadyOpenAsksAndReloadsInItsOwnTabOnYes) {
  windows_.tabs = {"/music/a.sfd", "/music/Song.sfd"};
  prompt_.Answers = {result::kYes};
  EXPECT_EQ(Open("/MUSIC/song.SFD"), OpenResult::Reloaded);
  EXPECT_EQ(prompt_.Shown, std::vector<std::string>{"text 3: text 2 /MUSIC/song.SFD"});
  EXPECT_EQ(windows_.reloaded, std::vector<std::string>{"/music/Song.sfd"});
  EXPECT_EQ(windows_.tabs.size(), 2u);
}

TEST_F(OpenFilesTest, NoToTheReloadQuestionAndTheCommandLineChangeNothing) {
  windows_.tabs = {"/music/a.sfd"};
  prompt_.Answers = {result::kNo};
  EXPECT_EQ(Open("/music/a.sfd"), OpenResult::Unchanged);
  EXPECT_EQ(Open("/music/a.sfd", false), OpenResult::Unchanged);
  EXPECT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_TRUE(windows_.reloaded.empty());
  EXPECT_EQ(windows_.tabs.size(), 1u);
}

TEST_F(OpenFilesTest, MidiFilesGoThroughTheImportDialog) {
  windows_.acceptImport = false;
  EXPECT_EQ(Open("/music/song.MID"), OpenResult::Unchanged);
  EXPECT_FALSE(windows_.pending);
  EXPECT_TRUE(windows_.tabs.empty());
  windows_.acceptImport = true;
  EXPECT_EQ(Open("/music/song.kar"), OpenResult::Opened);
  EXPECT_EQ(Open("/music/plain.sfd"), OpenResult::Opened);
  EXPECT_EQ(windows_.asked, (std::vector<std::string>{"/music/song.MID", "/music/song.kar"}));
  EXPECT_EQ(windows_.importedTabs, (std::vector<bool>{true, false}));
}

}  // namespace
