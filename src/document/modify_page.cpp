#include "document/modify_page.h"

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "document/layout_edits.h"
#include "document/program_settings.h"

namespace nv::document {
namespace {

using F = ModifyFace;

const std::array<ModifyButton, 42> kButtons = {{
    {"CBMoveUp", "Move up", F::Picture, 0, "selection.move_vertical", {"1"}},
    {"CBMoveDown", "Move down", F::Picture, 0, "selection.move_vertical", {"-1"}},
    {"CBOctaveUp", "Move up by octave", F::Picture, 0, "selection.move_vertical", {"7"}},
    {"CBOctaveDown", "Move down by octave", F::Picture, 0, "selection.move_vertical", {"-7"}},
    {"CBHeightUp", "Move up by custom pitch", F::PitchUp, 0, "selection.transpose_up", {}, false, true},
    {"CBHeightDown", "Move down by custom pitch", F::PitchDown, 0, "selection.transpose_down", {}, false, true},
    {"CBMoveLeft", "Move left", F::Picture, 0, "selection.move_horizontal", {"-1"}},
    {"CBMoveRight", "Move right", F::Picture, 0, "selection.move_horizontal", {"1"}},
    {"CBSizeIncrease", "Size increase", F::Picture, 0, "selection.resize", {"1"}},
    {"CBSizeDecrease", "Size decrease", F::Picture, 0, "selection.resize", {"-1"}},
    {"CBLineUp", "Stem up", F::Picture, 0, "selection.stem_direction", {"0"}},
    {"CBLineDown", "Stem down", F::Picture, 0, "selection.stem_direction", {"1"}},
    {"CBNoteOffset", "Offset note", F::Picture, 0, "selection.offset_note", {}},
    {"CBVertAlign", "Align", F::Picture, 0, "selection.align", {}},
    // The names of the two "before" buttons are crossed; their actions are as the hints say.
    {"CBDecOffBefore", "Increase space before", F::Picture, 0, "layout.column_space", {"before", "1"}, true},
    {"CBIncOffBefore", "Decrease space before", F::Picture, 0, "layout.column_space", {"before", "-1"}, true},
    {"CBIncOffAfter", "Increase space after", F::Picture, 0, "layout.column_space", {"after", "1"}, true},
    {"CBDecOffAfter", "Decrease space after", F::Picture, 0, "layout.column_space", {"after", "-1"}, true},
    {"CBUnionNotes", "Join notes", F::Picture, 0, "selection.join_notes", {"0"}},
    {"CBSplitNotes", "Unjoin", F::Picture, 0, "selection.join_notes", {"1"}},
    {"CBSplitNote", "Split notes to pair", F::Picture, 0, "selection.split_union_notes", {"1"}},
    {"CBUnionNote", "Union pair of notes", F::Picture, 0, "selection.split_union_notes", {"0"}},
    {"CBRowUp", "Move row up", F::Picture, 0, "layout.move_row", {"-1"}, true},
    {"CBRowDown", "Move row down", F::Picture, 0, "layout.move_row", {"1"}, true},
    {"CBIncLeftRow", "Increase left offset of row", F::Picture, 0, "layout.row_left_indent", {"1"}, true},
    {"CBDecLeftRow", "Decrease left offset of row", F::Picture, 0, "layout.row_left_indent", {"-1"}, true},
    {"CBIncRightRow", "Increase right offset of row", F::Picture, 0, "layout.row_right_indent", {"1"}, true},
    {"CBDecRightRow", "Decrease right offset of row", F::Picture, 0, "layout.row_right_indent", {"-1"}, true},
    {"CBIncRowOff", "Increase space after bar", F::Picture, 0, "layout.space_after_bar", {"1"}, true},
    {"CBDecRowOff", "Decrease space after bar", F::Picture, 0, "layout.space_after_bar", {"-1"}, true},
    {"CBUnionRow", "Union row", F::Picture, 0, "layout.union_split_row", {"1"}},
    {"CBSplitRow", "Split row", F::Picture, 0, "layout.union_split_row", {"0"}},
    {"CBBarUnionStyle", "Join notes style", F::JoinStyle, 0, "layout.join_style", {}, false, true},
    {"CBRowDisplayStyle", "Row alignment style", F::RowStyle, 0, "layout.row_alignment", {}, false, true},
    {"CBSequence", "Playback editor", F::Picture, kPaneGroup, "view.piano_roll", {}},
    {"CBCalcSequence", "Calculate effects", F::Picture, 0, "notes.calc_sequence", {}, false, true},
    {"CBBeamUp", "Beam up", F::Picture, 0, "selection.beam_direction", {"-1"}},
    {"CBBeamDown", "Beam down", F::Picture, 0, "selection.beam_direction", {"1"}},
    {"CBAddPageBreak", "Add page break", F::Picture, 0, "layout.page_break", {"1"}},
    {"CBDeletePageBreak", "Delete page break", F::Picture, 0, "layout.page_break", {"0"}},
    {"CBVoice", "Voice note editor", F::Picture, kPaneGroup, "view.velocity", {}},
    {"CBCalcVelocity", "Calculate voice", F::Picture, 0, "notes.calc_velocity", {}, false, true},
}};

int IntArg(const CommandArgs& args, std::size_t index) {
  if (index >= args.size()) throw std::invalid_argument("a number is missing");
  return std::stoi(args[index]);
}

bool BeforeArg(const CommandArgs& args) {
  if (args.empty() || (args[0] != "before" && args[0] != "after"))
    throw std::invalid_argument("\"before\" or \"after\" is missing");
  return args[0] == "before";
}

}  // namespace

std::span<const ModifyButton> ModifyButtons() { return kButtons; }

const ModifyButton* FindModifyButton(std::string_view name) { return FindButtonNamed(ModifyButtons(), name); }

int JoinStyleImage(int count) {
  switch (count) {
    case 0: return 0;
    case 1: return 1;
    case -1: return 2;
    default: return 3;
  }
}

int RowStyleImage(int style) { return 4 + (style >= 0 && style <= 2 ? style : 0); }

int PitchSteps(int value) { return std::abs(value); }

void AddModifyCommands(CommandRegistry& registry, std::function<LayoutEdits*()> active,
                       const ProgramSettings& settings) {
  struct Entry {
    const char* id;
    const char* caption;
    std::function<void(LayoutEdits&, const CommandArgs&)> run;
  };
  const ProgramSettings* values = &settings;
  const Entry entries[] = {
      {"selection.move_vertical", "Move up or down", [](LayoutEdits& e, const CommandArgs& a) { e.MoveSelectionVert(IntArg(a, 0)); }},
      {"selection.transpose_up", "Move up by custom pitch",
       [values](LayoutEdits& e, const CommandArgs&) { e.MoveSelectionByPitch(PitchSteps(values->PitchUp)); }},
      {"selection.transpose_down", "Move down by custom pitch",
       [values](LayoutEdits& e, const CommandArgs&) { e.MoveSelectionByPitch(-PitchSteps(values->PitchDown)); }},
      {"selection.move_horizontal", "Move left or right", [](LayoutEdits& e, const CommandArgs& a) { e.MoveSelectionHorz(IntArg(a, 0)); }},
      {"selection.resize", "Size", [](LayoutEdits& e, const CommandArgs& a) { e.ResizeSelection(IntArg(a, 0)); }},
      {"selection.stem_direction", "Stem direction", [](LayoutEdits& e, const CommandArgs& a) { e.SetStemDirection(IntArg(a, 0)); }},
      {"selection.offset_note", "Offset note", [](LayoutEdits& e, const CommandArgs&) { e.OffsetNote(); }},
      {"selection.align", "Align", [](LayoutEdits& e, const CommandArgs&) { e.AlignSelection(); }},
      {"layout.column_space", "Space before or after",
       [](LayoutEdits& e, const CommandArgs& a) { e.ChangeColumnSpace(BeforeArg(a), IntArg(a, 1)); }},
      {"selection.join_notes", "Join notes", [](LayoutEdits& e, const CommandArgs& a) { e.JoinNotes(IntArg(a, 0) != 0); }},
      {"selection.split_union_notes", "Split or union notes",
       [](LayoutEdits& e, const CommandArgs& a) { e.SplitUnionNotes(IntArg(a, 0) != 0); }},
      {"layout.move_row", "Move row", [](LayoutEdits& e, const CommandArgs& a) { e.MoveRowInSystem(IntArg(a, 0)); }},
      {"layout.row_left_indent", "Left offset of row", [](LayoutEdits& e, const CommandArgs& a) { e.ShiftSystemLeftIndent(IntArg(a, 0)); }},
      {"layout.row_right_indent", "Right offset of row", [](LayoutEdits& e, const CommandArgs& a) { e.ShiftSystemRightIndent(IntArg(a, 0)); }},
      {"layout.space_after_bar", "Space after bar", [](LayoutEdits& e, const CommandArgs& a) { e.ChangeSpaceAfterBar(IntArg(a, 0)); }},
      {"layout.union_split_row", "Union or split row", [](LayoutEdits& e, const CommandArgs& a) { e.UnionSplitRow(IntArg(a, 0) != 0); }},
      {"layout.join_style", "Join notes style",
       [values](LayoutEdits& e, const CommandArgs&) {
         e.SetMeasureUnionStyle(values->BarUnionActive ? 1 : 0, values->BarUnionCount);
       }},
      {"layout.row_alignment", "Row alignment style",
       [values](LayoutEdits& e, const CommandArgs&) {
         e.SetSystemAlignment(values->RowPropertiesActive, values->FRowDisplayStyle, values->RowHorzAlign,
                              values->RowMeasureCount, values->RowDensity);
       }},
      {"notes.calc_sequence", "Calculate effects", [](LayoutEdits& e, const CommandArgs&) { e.CalcSequence(); }},
      {"selection.beam_direction", "Beam direction", [](LayoutEdits& e, const CommandArgs& a) { e.SetBeamDirection(IntArg(a, 0)); }},
      {"layout.page_break", "Page break", [](LayoutEdits& e, const CommandArgs& a) { e.SetPageBreak(IntArg(a, 0) != 0); }},
      {"notes.calc_velocity", "Calculate voice", [](LayoutEdits& e, const CommandArgs&) { e.CalcVelocity(); }},
  };
  for (const Entry& entry : entries) {
    Command command;
    command.Id = entry.id;
    command.Caption = entry.caption;
    command.Run = [active, run = entry.run](const CommandArgs& args) {
      if (LayoutEdits* edits = active()) run(*edits, args);
    };
    command.Enabled = [active] { return active() != nullptr; };
    registry.Add(std::move(command));
  }
}

}  // namespace nv::document
