#include <QApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/command_registry.h"
#include "editor/score_menu.h"
#include "editor/score_popup_menu.h"
#include "pane_fixture.h"

namespace {

using nv::editor::DurationItemButton;
using nv::editor::DurationItemChecked;
using nv::editor::ScoreMenuItem;
using nv::editor::ScoreMenuItems;
using nv::editor::TECScoreMenu;
using nv::editor::ToolPagesState;
using nv::editor::ValueButton;
using Page = ToolPagesState::Page;
namespace m = nv::editor::score_menu;

bool Visible(const std::vector<ScoreMenuItem>& items, const std::string& id) {
  for (const ScoreMenuItem& item : items)
    if (item.id == id) return item.visible;
  ADD_FAILURE() << "no item " << id;
  return false;
}

// The separators' and the submenu's visibility, in menu order.
std::vector<bool> Dividers(const std::vector<ScoreMenuItem>& items) {
  std::vector<bool> shown;
  for (const ScoreMenuItem& item : items)
    if (item.kind == ScoreMenuItem::kSeparator || item.kind == ScoreMenuItem::kSubmenu) shown.push_back(item.visible);
  return shown;
}

TEST(ScoreMenu, PointAndDurationsShowByTheToolPages) {
  auto document = pane_fixture::Document(1);
  const struct {
    ToolPagesState tools;
    bool point;
    bool duration;
  } cases[] = {
      {{Page::Notes, false, false, -1, -1}, true, false},   {{Page::Notes, true, false, 2, -1}, false, true},
      {{Page::Notes, false, false, -1, 6}, true, true},     {{Page::Symbols, false, false, 2, -1}, true, false},
      {{Page::Symbols, false, true, -1, -1}, false, false}, {{Page::Other, false, false, 0, 0}, false, false},
  };
  for (const auto& c : cases) {
    const auto items = ScoreMenuItems(document->Score(), c.tools);
    EXPECT_EQ(Visible(items, m::kPoint), c.point);
    // The edit, save, duration and notes dividers.
    EXPECT_EQ(Dividers(items), (std::vector<bool>{false, false, c.duration, c.point && c.duration}));
    EXPECT_TRUE(Visible(items, m::kPaste));
    // The row alignment and join-notes style always; the page-count items never.
    EXPECT_TRUE(Visible(items, m::kRowAlignment));
    EXPECT_TRUE(Visible(items, m::kBarUnion));
    EXPECT_FALSE(Visible(items, m::kIncPageCount));
    EXPECT_FALSE(Visible(items, m::kDecPageCount));
  }
}

TEST(ScoreMenu, TheEditorsShowByWhatIsSelected) {
  auto document = pane_fixture::Document(1);
  TECMusicScore& score = document->Score();
  auto items = ScoreMenuItems(score, {});
  EXPECT_FALSE(Visible(items, m::kEditNotes));
  EXPECT_FALSE(Visible(items, m::kSaveChord));
  score.SelectElement(&pane_fixture::NoteOf(*document, 0, 1), 0);
  items = ScoreMenuItems(score, {});
  EXPECT_TRUE(Visible(items, m::kEditNotes));
  EXPECT_FALSE(Visible(items, m::kEditText));
  EXPECT_FALSE(Visible(items, m::kSaveSymbol));
  // A note is no text, image, comment, tempo or barre: no divider after the editors.
  EXPECT_FALSE(Dividers(items)[0]);
}

TEST(ScoreMenu, ADurationPressesTheNoteValueWhenOneIsDownElseTheRestValue) {
  EXPECT_EQ(DurationItemButton(6, {Page::Notes, false, false, -1, -1}), (ValueButton{true, 6}));
  EXPECT_EQ(DurationItemButton(6, {Page::Notes, false, false, -1, 2}), (ValueButton{true, 6}));
  EXPECT_EQ(DurationItemButton(0, {Page::Notes, false, false, 3, -1}), (ValueButton{false, 0}));
  const ToolPagesState tools{Page::Notes, false, false, 2, 5};
  EXPECT_TRUE(DurationItemChecked(2, tools));
  EXPECT_TRUE(DurationItemChecked(5, tools));
  EXPECT_FALSE(DurationItemChecked(0, tools));
}

TEST(ScoreMenu, TheMenuHoldsTheRegisteredCommandsThatShowAndRunsThem) {
  auto document = pane_fixture::Document(1);
  nv::document::CommandRegistry registry;
  std::vector<std::string> ran;
  for (const char* id : {m::kPoint, m::kDurations[6], m::kCopy, m::kAddRow, m::kEditText})
    registry.Add({id, std::string("Caption of ") + id, 0, {}, [&ran, id](const auto&) { ran.push_back(id); }, {}, {}});
  TECScoreMenu menu(registry);
  menu.Build(document->Score(), {Page::Notes, false, false, -1, 3}, "Selection");
  // The text editor is hidden (no text is selected); unregistered ids are left out.
  EXPECT_EQ(menu.ActionOf(m::kEditText), nullptr);
  ASSERT_NE(menu.ActionOf(m::kPoint), nullptr);
  EXPECT_EQ(menu.ActionOf(m::kPoint)->text(), "Selection");
  ASSERT_NE(menu.ActionOf(m::kDurations[6]), nullptr);
  EXPECT_NE(menu.actions().indexOf(menu.ActionOf(m::kCopy)), -1);
  EXPECT_EQ(menu.actions().indexOf(menu.ActionOf(m::kDurations[6])), -1) << "in the Duration submenu";
  menu.ActionOf(m::kDurations[6])->trigger();
  menu.ActionOf(m::kAddRow)->trigger();
  EXPECT_EQ(ran, (std::vector<std::string>{m::kDurations[6], m::kAddRow}));
  // Built again with no value down: no durations.
  menu.Build(document->Score(), {Page::Notes, false, false, -1, -1});
  EXPECT_EQ(menu.ActionOf(m::kDurations[6]), nullptr);
  EXPECT_EQ(menu.ActionOf(m::kPoint)->text(), "Caption of tools.point");
}

}  // namespace
