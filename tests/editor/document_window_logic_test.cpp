// The document window's plain rules: its panel settings, which staff and
// row actions it offers, where a new staff's texts go, and the names its
// save and export dialogs work with.
#include <gtest/gtest.h>

#include "editor/editor_form_settings.h"
#include "editor/export_options.h"
#include "editor/new_staff_texts.h"
#include "editor/save_file_dialog.h"
#include "editor/track_actions.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "platform/ini_file.h"

namespace {

using nv::editor::TrackGridRow;

TEST(EditorFormSettings, MissingKeysGiveTheDefaultsAndAZeroLeftWidthReadsAs213) {
  const auto none = nv::editor::ReadEditorFormSettings(nv::platform::IniFile::FromText("s.ini", ""));
  EXPECT_EQ(none.LeftPanel, 205);
  EXPECT_EQ(none.LeftWidth, 213);
  EXPECT_EQ(none.SequenceHeight, 200);
  EXPECT_EQ(none.VelocityHeight, 164);
  const auto zero = nv::editor::ReadEditorFormSettings(
      nv::platform::IniFile::FromText("s.ini", "[EditorForm]\nLeftPanel=0\nLeftWidth=0\nSequenceHeight=90\n"));
  EXPECT_EQ(zero.LeftPanel, 0);
  EXPECT_EQ(zero.LeftWidth, 213);
  EXPECT_EQ(zero.SequenceHeight, 90);
}

TEST(EditorFormSettings, WrittenValuesReadBack) {
  auto file = nv::platform::IniFile::FromText("s.ini", "");
  nv::editor::EditorFormSettings settings;
  settings.LeftPanel = 0;
  settings.LeftWidth = 300;
  settings.SequenceHeight = 150;
  settings.VelocityHeight = 120;
  nv::editor::WriteEditorFormSettings(settings, file);
  EXPECT_EQ(file.ReadInteger("EditorForm", "LeftPanel", -1), 0);
  const auto back = nv::editor::ReadEditorFormSettings(file);
  EXPECT_EQ(back.LeftWidth, 300);
  EXPECT_EQ(back.SequenceHeight, 150);
  EXPECT_EQ(back.VelocityHeight, 120);
}

// A score of `staves` staves whose active one has `rows` rows.
std::unique_ptr<TECMusicScore> Staves(int staves, int rows) {
  auto score = std::make_unique<TECMusicScore>();
  for (int i = 0; i < staves; ++i) score->AppendInstrument()->AppendRow();
  for (int i = 1; i < rows; ++i) score->CurrentInstrument()->AppendRow();
  return score;
}

TEST(TrackActions, StaffAndRowActionsFollowTheCountsAndTheGridSelection) {
  struct Case {
    int staves, rows;
    TrackGridRow selected;
    bool add, remove, addRow, duplicate, up, down;
  };
  const Case cases[] = {
      {1, 1, {}, true, false, true, false, false, false},
      {19, 1, {}, true, true, true, false, false, false},
      {20, 1, {}, false, true, true, false, false, false},
      {2, 2, {}, true, true, true, true, false, false},
      // A row: within the active staff's rows.
      {1, 3, {TrackGridRow::kRow, 0}, true, false, true, true, false, true},
      {1, 3, {TrackGridRow::kRow, 1}, true, false, true, true, true, true},
      {1, 3, {TrackGridRow::kRow, 2}, true, false, true, true, true, false},
      // A staff: within the score's staves.
      {1, 1, {TrackGridRow::kStaff, 0}, true, false, true, false, false, false},
      {3, 1, {TrackGridRow::kStaff, 0}, true, true, true, false, false, true},
      {3, 1, {TrackGridRow::kStaff, 2}, true, true, true, false, true, false},
  };
  for (const Case& c : cases) {
    auto score = Staves(c.staves, c.rows);
    const auto states = nv::editor::TrackActions(*score, c.selected);
    SCOPED_TRACE(std::to_string(c.staves) + " staves, " + std::to_string(c.rows) + " rows, selected " +
                 std::to_string(c.selected.What) + "/" + std::to_string(c.selected.Index));
    EXPECT_EQ(states.AddInstrument, c.add);
    EXPECT_EQ(states.DeleteInstrument, c.remove);
    EXPECT_EQ(states.AddRow, c.addRow);
    EXPECT_EQ(states.DuplicateRow, c.duplicate);
    EXPECT_EQ(states.DeleteRow, c.duplicate);
    EXPECT_EQ(states.MoveUp, c.up);
    EXPECT_EQ(states.MoveDown, c.down);
  }
}

TEST(TrackActions, AScoreWithoutStavesOffersOnlyANewStaff) {
  TECMusicScore score;
  const auto states = nv::editor::TrackActions(score, {TrackGridRow::kRow, 1});
  EXPECT_TRUE(states.AddInstrument);
  EXPECT_FALSE(states.DeleteInstrument);
  EXPECT_FALSE(states.AddRow);
  EXPECT_FALSE(states.MoveUp);
  EXPECT_FALSE(states.MoveDown);
}

TEST(NewStaffTexts, TitleCentredAuthorRightAndNameLeft) {
  // A page 794 pixels wide with margins of 76 and 57; the title 301 wide,
  // the author 120.
  const auto places = nv::editor::PlaceNewStaffTexts(794, 76, 57, 301, 120);
  EXPECT_EQ(places.Title, (nv::editor::NewStaffTextPlaces::Point{246, 40}));  // (794 - 301) / 2 = 246.5
  EXPECT_EQ(places.Author, (nv::editor::NewStaffTextPlaces::Point{794 - 120 - 57 + 24, 80}));
  EXPECT_EQ(places.Name, (nv::editor::NewStaffTextPlaces::Point{100, 80}));
  // A title wider than the page starts left of it, rounded toward zero.
  EXPECT_EQ(nv::editor::PlaceNewStaffTexts(100, 0, 0, 103, 0).Title.X, -1);
}

TEST(ExportNames, TheFilterGivesTheExtensionOfANameWithoutOne) {
  const std::pair<int, const char*> cases[] = {{1, "p.bmp"}, {2, "p.gif"}, {3, "p.jpg"},
                                               {4, "p.wmf"}, {5, "p.pdf"}, {9, "p.bmp"}};
  for (const auto& [filter, name] : cases) EXPECT_EQ(nv::editor::NameForExportFilter("p", filter), name) << filter;
  EXPECT_EQ(nv::editor::NameForExportFilter("p.png", 2), "p.png");
  EXPECT_EQ(nv::editor::NumberedPageName("/tmp/out/p.gif", 3), "/tmp/out/p3.gif");
  EXPECT_EQ(nv::editor::NumberedPageName("/tmp/out/p.gif", 12), "/tmp/out/p12.gif");
}

TEST(ExportNames, EachFilterAsksForItsOwnOptions) {
  struct Case {
    int filter;
    bool quality, pixelFormat, pageChecks;
  };
  const Case cases[] = {{1, false, true, true},
                        {2, false, false, true},
                        {3, true, true, true},
                        {4, false, false, true},
                        {5, true, true, false}};
  for (const Case& c : cases) {
    const auto request = nv::editor::ExportRequestFor(c.filter, 7);
    EXPECT_EQ(request.PageCount, 7);
    EXPECT_EQ(request.ShowQuality, c.quality) << c.filter;
    EXPECT_EQ(request.ShowPixelFormat, c.pixelFormat) << c.filter;
    EXPECT_EQ(request.ShowPageChecks, c.pageChecks) << c.filter;
  }
}

}  // namespace
