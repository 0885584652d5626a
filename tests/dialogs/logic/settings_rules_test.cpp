#include "dialogs/logic/settings_rules.h"

#include <gtest/gtest.h>

namespace nv::dialogs {
namespace {

using nv::document::ProgramOptions;

TEST(SettingsRules, NoteValuesPressTheirButtonAndOthersNone) {
  const struct {
    int value;
    std::optional<int> button;
  } cases[] = {{32, 0}, {16, 1}, {8, 2}, {4, 3}, {2, 4}, {12, std::nullopt}, {1, std::nullopt},
               {0, std::nullopt}, {64, std::nullopt}, {-16, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(NoteValueButton(c.value), c.button) << c.value;
}

// Every option the dialog shows goes out and comes back unchanged, and
// storing leaves every setting the dialog does not show alone.

TEST(SettingsRules, RulesFollowTheirBoxes) {
  const struct {
    bool save, count, autosave, getNews;
    SettingsControlStates states;
  } cases[] = {
      {false, true, false, false, {false, true, false, false}},
      {true, false, false, false, {true, false, false, false}},
      {true, true, false, false, {true, true, false, false}},
      {false, false, true, false, {false, false, true, false}},
      {false, false, false, true, {false, false, false, true}},
  };
  for (const auto& c : cases) {
    ProgramOptions options;
    options.SaveBackUp = c.save;
    options.LimitBackUp = c.count;
    options.AutoSave = c.autosave;
    options.GetNews = c.getNews;
    EXPECT_EQ(SettingsRules(options), c.states) << c.save << c.count << c.autosave << c.getNews;
  }
}

TEST(SettingsRules, OnlyAVisiblePageIsRestored) {
  // Pages 0 ("Keys", hidden) to 3; the dialog is designed to open on 1.
  const struct {
    int stored, expected;
  } cases[] = {{9, 1}, {4, 1}, {-1, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 3}};
  for (const auto& c : cases) EXPECT_EQ(SettingsPageIndex(c.stored, 4, 0, 1), c.expected) << c.stored;
}

}  // namespace
}  // namespace nv::dialogs
