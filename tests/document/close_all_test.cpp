#include "document/close_all.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "startup_fixture.h"

namespace {

using nv::document::CloseAll;
using nv::document::CloseAllResult;
namespace result = nv::platform::message_result;

enum class SaveOutcome { Saves, Cancelled, Raises };

struct Tab {
  std::string name;
  bool modified = false;
  SaveOutcome save = SaveOutcome::Saves;
  // What is on disk: the modified state that was last written.
  bool written = false;
};

// The main window's tabs; closing one removes it, as undocking does.
class Tabs : public nv::document::CloseAllHost {
 public:
  explicit Tabs(std::vector<Tab> tabs) : tabs_(std::move(tabs)) {}
  int Count() const override { return static_cast<int>(tabs_.size()); }
  bool Modified(int i) const override { return tabs_.at(i).modified; }
  void Save(int i) override {
    Tab& tab = tabs_.at(i);
    if (tab.save == SaveOutcome::Raises) throw std::runtime_error("disk full");
    if (tab.save == SaveOutcome::Cancelled) return;
    tab.written = true;
    tab.modified = false;
    saved.push_back(tab.name);
  }
  void AddToRecent(int i) override { recent.push_back(tabs_.at(i).name); }
  void Close(int i) override {
    EXPECT_TRUE(closing) << "closed outside the closing flag";
    closed.push_back(tabs_.at(i).name);
    tabs_.erase(tabs_.begin() + i);
  }
  void Activate(int i) override { active = tabs_.at(i).name; }
  void StopPlayback() override { ++stops; }
  void SetClosing(bool on) override { closing = on; }
  void UpdateActions() override {
    EXPECT_FALSE(closing);
    ++updates;
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const Tab& tab : tabs_) names.push_back(tab.name);
    return names;
  }

  std::vector<Tab> tabs_;
  std::vector<std::string> saved, recent, closed;
  std::string active;
  bool closing = false;
  int stops = 0;
  int updates = 0;
};

class CloseAllTest : public ::testing::Test {
 protected:
  startup_fixture::RecordingPrompt prompt_;
  startup_fixture::NumberedTexts texts_;
};

TEST_F(CloseAllTest, NothingModifiedClosesEverythingFromTheLastTabWithoutAsking) {
  Tabs tabs({{"a.sfd"}, {"b.sfd"}, {"c.sfd"}});
  EXPECT_EQ(CloseAll(tabs, prompt_, texts_), CloseAllResult::Closed);
  EXPECT_TRUE(prompt_.Shown.empty());
  EXPECT_EQ(tabs.closed, (std::vector<std::string>{"c.sfd", "b.sfd", "a.sfd"}));
  EXPECT_EQ(tabs.recent, tabs.closed);
  EXPECT_EQ(tabs.stops, 1);
  EXPECT_EQ(tabs.updates, 1);
  EXPECT_FALSE(tabs.closing);
}

TEST_F(CloseAllTest, NoClosesEverythingAndWritesNothing) {
  Tabs tabs({{"a.sfd"}, {"b.sfd", true}});
  prompt_.Answers = {result::kNo};
  EXPECT_EQ(CloseAll(tabs, prompt_, texts_), CloseAllResult::Closed);
  EXPECT_EQ(prompt_.Shown, std::vector<std::string>{"text 5: text 4"});
  EXPECT_TRUE(tabs.saved.empty());
  EXPECT_TRUE(tabs.Names().empty());
}

TEST_F(CloseAllTest, CancelChangesNothingAndDoesNotRefresh) {
  Tabs tabs({{"a.sfd", true}, {"b.sfd"}});
  prompt_.Answers = {result::kCancel};
  EXPECT_EQ(CloseAll(tabs, prompt_, texts_), CloseAllResult::Cancelled);
  EXPECT_EQ(tabs.Names(), (std::vector<std::string>{"a.sfd", "b.sfd"}));
  EXPECT_TRUE(tabs.recent.empty());
  EXPECT_EQ(tabs.updates, 0);
  EXPECT_FALSE(tabs.closing);
}

TEST_F(CloseAllTest, YesSavesEachModifiedDocumentBeforeClosingIt) {
  Tabs tabs({{"a.sfd", true}, {"b.sfd"}, {"c.sfd", true}});
  prompt_.Answers = {result::kYes};
  EXPECT_EQ(CloseAll(tabs, prompt_, texts_), CloseAllResult::Closed);
  EXPECT_EQ(tabs.saved, (std::vector<std::string>{"c.sfd", "a.sfd"}));
  EXPECT_TRUE(tabs.Names().empty());
}

TEST_F(CloseAllTest, ACancelledSaveAsStopsThereWithThatTabActiveAndNothingLost) {
  Tabs tabs({{"a.sfd", true}, {"Untitled.sfd", true, SaveOutcome::Cancelled}, {"c.sfd", true}, {"d.sfd"}});
  prompt_.Answers = {result::kYes};
  EXPECT_EQ(CloseAll(tabs, prompt_, texts_), CloseAllResult::Stopped);
  EXPECT_EQ(tabs.Names(), (std::vector<std::string>{"a.sfd", "Untitled.sfd"}));
  EXPECT_EQ(tabs.active, "Untitled.sfd");
  EXPECT_EQ(tabs.saved, std::vector<std::string>{"c.sfd"});
  EXPECT_TRUE(tabs.tabs_[0].modified);
  EXPECT_EQ(tabs.recent, (std::vector<std::string>{"d.sfd", "c.sfd"}));
  EXPECT_EQ(tabs.updates, 1);
  EXPECT_FALSE(tabs.closing);
}

TEST_F(CloseAllTest, AFailedWriteStopsThereAndTheErrorGoesOn) {
  Tabs tabs({{"a.sfd", true}, {"b.sfd", true, SaveOutcome::Raises}, {"c.sfd"}});
  prompt_.Answers = {result::kYes};
  EXPECT_THROW(CloseAll(tabs, prompt_, texts_), std::runtime_error);
  EXPECT_EQ(tabs.Names(), (std::vector<std::string>{"a.sfd", "b.sfd"}));
  EXPECT_EQ(tabs.active, "b.sfd");
  EXPECT_EQ(tabs.updates, 1);
  EXPECT_FALSE(tabs.closing);
}

}  // namespace
