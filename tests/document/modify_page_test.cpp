#include "document/modify_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/layout_edits.h"
#include "document/program_settings.h"

namespace nv::document {
namespace {

// Records each call with its arguments as one line.
struct RecordedEdits final : LayoutEdits {
  std::vector<std::string> calls;
  void Add(std::string call) { calls.push_back(std::move(call)); }
  static std::string B(bool v) { return v ? "true" : "false"; }

  void MoveSelectionVert(int d) override { Add("MoveSelectionVert " + std::to_string(d)); }
  void MoveSelectionByPitch(int d) override { Add("MoveSelectionByPitch " + std::to_string(d)); }
  void MoveSelectionHorz(int d) override { Add("MoveSelectionHorz " + std::to_string(d)); }
  void ResizeSelection(int d) override { Add("ResizeSelection " + std::to_string(d)); }
  void SetStemDirection(int d) override { Add("SetStemDirection " + std::to_string(d)); }
  void OffsetNote() override { Add("OffsetNote"); }
  void AlignSelection() override { Add("AlignSelection"); }
  void ChangeColumnSpace(bool before, int d) override {
    Add("ChangeColumnSpace " + B(before) + " " + std::to_string(d));
  }
  void JoinNotes(bool unjoin) override { Add("JoinNotes " + B(unjoin)); }
  void SplitUnionNotes(bool split) override { Add("SplitUnionNotes " + B(split)); }
  void MoveRowInSystem(int d) override { Add("MoveRowInSystem " + std::to_string(d)); }
  void ShiftSystemLeftIndent(int d) override { Add("ShiftSystemLeftIndent " + std::to_string(d)); }
  void ShiftSystemRightIndent(int d) override { Add("ShiftSystemRightIndent " + std::to_string(d)); }
  void ChangeSpaceAfterBar(int d) override { Add("ChangeSpaceAfterBar " + std::to_string(d)); }
  void UnionSplitRow(bool unite) override { Add("UnionSplitRow " + B(unite)); }
  void SetMeasureUnionStyle(std::uint8_t style, std::int32_t count) override {
    Add("SetMeasureUnionStyle " + std::to_string(style) + " " + std::to_string(count));
  }
  void SetSystemAlignment(bool own, int mode, bool horz, int count, bool density) override {
    Add("SetSystemAlignment " + B(own) + " " + std::to_string(mode) + " " + B(horz) + " " + std::to_string(count) +
        " " + B(density));
  }
  void SetBeamDirection(int d) override { Add("SetBeamDirection " + std::to_string(d)); }
  void SetPageBreak(bool add) override { Add("SetPageBreak " + B(add)); }
  void CalcSequence() override { Add("CalcSequence"); }
  void CalcVelocity() override { Add("CalcVelocity"); }
};

struct Page {
  ProgramSettings settings;
  RecordedEdits edits;
  bool open = true;
  CommandRegistry registry;
  Page() { AddModifyCommands(registry, [this]() -> LayoutEdits* { return open ? &edits : nullptr; }, settings); }

  std::vector<std::string> Click(std::string_view name) {
    edits.calls.clear();
    const ModifyButton* button = FindModifyButton(name);
    EXPECT_NE(button, nullptr) << name;
    if (button != nullptr) registry.Run(std::string(button->CommandId), ArgsOf(*button));
    return edits.calls;
  }
};

TEST(ModifyPage, EveryButtonMakesTheCallOfItsRow) {
  Page page;
  page.settings.PitchUp = 2;
  page.settings.PitchDown = 3;
  page.settings.BarUnionActive = true;
  page.settings.BarUnionCount = -1;
  page.settings.RowPropertiesActive = true;
  page.settings.FRowDisplayStyle = 2;
  page.settings.RowHorzAlign = true;
  page.settings.RowMeasureCount = 4;
  page.settings.RowDensity = false;
  const std::vector<std::pair<std::string_view, std::string>> rows = {
      {"CBMoveUp", "MoveSelectionVert 1"},
      {"CBMoveDown", "MoveSelectionVert -1"},
      {"CBOctaveUp", "MoveSelectionVert 7"},
      {"CBOctaveDown", "MoveSelectionVert -7"},
      {"CBHeightUp", "MoveSelectionByPitch 2"},
      {"CBHeightDown", "MoveSelectionByPitch -3"},
      {"CBMoveLeft", "MoveSelectionHorz -1"},
      {"CBMoveRight", "MoveSelectionHorz 1"},
      {"CBSizeIncrease", "ResizeSelection 1"},
      {"CBSizeDecrease", "ResizeSelection -1"},
      {"CBLineUp", "SetStemDirection 0"},
      {"CBLineDown", "SetStemDirection 1"},
      {"CBNoteOffset", "OffsetNote"},
      {"CBVertAlign", "AlignSelection"},
      {"CBDecOffBefore", "ChangeColumnSpace true 1"},
      {"CBIncOffBefore", "ChangeColumnSpace true -1"},
      {"CBIncOffAfter", "ChangeColumnSpace false 1"},
      {"CBDecOffAfter", "ChangeColumnSpace false -1"},
      {"CBUnionNotes", "JoinNotes false"},
      {"CBSplitNotes", "JoinNotes true"},
      {"CBSplitNote", "SplitUnionNotes true"},
      {"CBUnionNote", "SplitUnionNotes false"},
      {"CBRowUp", "MoveRowInSystem -1"},
      {"CBRowDown", "MoveRowInSystem 1"},
      {"CBIncLeftRow", "ShiftSystemLeftIndent 1"},
      {"CBDecLeftRow", "ShiftSystemLeftIndent -1"},
      {"CBIncRightRow", "ShiftSystemRightIndent 1"},
      {"CBDecRightRow", "ShiftSystemRightIndent -1"},
      {"CBIncRowOff", "ChangeSpaceAfterBar 1"},
      {"CBDecRowOff", "ChangeSpaceAfterBar -1"},
      {"CBUnionRow", "UnionSplitRow true"},
      {"CBSplitRow", "UnionSplitRow false"},
      {"CBBarUnionStyle", "SetMeasureUnionStyle 1 -1"},
      // Own, style, horizontal alignment, bar count, density.
      {"CBRowDisplayStyle", "SetSystemAlignment true 2 true 4 false"},
      {"CBCalcSequence", "CalcSequence"},
      {"CBBeamUp", "SetBeamDirection -1"},
      {"CBBeamDown", "SetBeamDirection 1"},
      {"CBAddPageBreak", "SetPageBreak true"},
      {"CBDeletePageBreak", "SetPageBreak false"},
      {"CBCalcVelocity", "CalcVelocity"},
  };
  for (const auto& [name, call] : rows) EXPECT_EQ(page.Click(name), std::vector<std::string>{call}) << name;
  // The two pane buttons belong to the document window and share their group.
  EXPECT_EQ(FindModifyButton("CBSequence")->Group, kPaneGroup);
  EXPECT_EQ(FindModifyButton("CBVoice")->Group, kPaneGroup);
  EXPECT_EQ(ModifyButtons().size(), rows.size() + 2);
}

TEST(ModifyPage, WithoutADocumentNothingRuns) {
  Page page;
  page.open = false;
  for (const ModifyButton& button : ModifyButtons()) EXPECT_TRUE(page.Click(button.Name).empty()) << button.Name;
}

TEST(ModifyPage, CustomPitchesFromTheSettingsFileAreKeptPositive) {
  Page page;
  page.settings.PitchUp = -4;
  page.settings.PitchDown = -3;
  EXPECT_EQ(page.Click("CBHeightUp"), std::vector<std::string>{"MoveSelectionByPitch 4"});
  EXPECT_EQ(page.Click("CBHeightDown"), std::vector<std::string>{"MoveSelectionByPitch -3"});
}

TEST(ModifyPage, FaceImagesFollowTheValuesAndSurviveOutOfRangeOnes) {
  EXPECT_EQ(JoinStyleImage(0), 0);
  EXPECT_EQ(JoinStyleImage(1), 1);
  EXPECT_EQ(JoinStyleImage(-1), 2);
  EXPECT_EQ(JoinStyleImage(4), 3);
  EXPECT_EQ(JoinStyleImage(99), 3);
  EXPECT_EQ(RowStyleImage(0), 4);
  EXPECT_EQ(RowStyleImage(1), 5);
  EXPECT_EQ(RowStyleImage(2), 6);
  EXPECT_EQ(RowStyleImage(7), 4);
  EXPECT_EQ(RowStyleImage(-1), 4);
}

TEST(ModifyPage, TheRepeatingButtonsAreTheSpacingAndRowOnes) {
  std::vector<std::string_view> repeating;
  for (const ModifyButton& button : ModifyButtons())
    if (button.Repeats) repeating.push_back(button.Name);
  EXPECT_EQ(repeating, (std::vector<std::string_view>{"CBDecOffBefore", "CBIncOffBefore", "CBIncOffAfter",
                                                      "CBDecOffAfter", "CBRowUp", "CBRowDown", "CBIncLeftRow",
                                                      "CBDecLeftRow", "CBIncRightRow", "CBDecRightRow",
                                                      "CBIncRowOff", "CBDecRowOff"}));
}

}  // namespace
}  // namespace nv::document
