#include "document/click_insert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/program_settings.h"
#include "document/tool_state.h"
#include "model/note_records.h"
#include "tool_fakes.h"

namespace nv::document {
namespace {

using Calls = std::vector<std::string>;

class ClickInsertTest : public ::testing::Test {
 protected:
  ClickInsertTest() {
    tools.SetSink(&sink);
    tools.SetDocumentActive(true);
    attribute.Owner = &note;
  }

  void Choose(ToolPage page, std::initializer_list<std::string_view> clicks) {
    tools.SetActivePage(page);
    for (std::string_view name : clicks) tools.Click(name);
  }

  ProgramSettings settings;
  ToolState tools{settings};
  tool_fakes::RecordingSink sink;
  tool_fakes::RecordingEdits edits;
  tool_fakes::ScriptedDialogs dialogs;
  tool_fakes::RecordingHost host;
  ClickInserter inserter{tools, edits, dialogs, host};
  TECNote note{ek::NoteC};
  TECNote other{ek::NoteB};
  TECRest rest;
  TECNoteAttribute attribute{ek::Sharp};
};

TEST_F(ClickInsertTest, SharpenedQuarterOnLineZero) {
  Choose(ToolPage::Notes, {"CBNote4", "CBDiesis"});
  inserter.ScoreClick(0);
  EXPECT_EQ(edits.Calls, Calls{"InsertNote(1, 5, 32, [105,0,0,0,0,0,0,0,0], 0, 0, 0, 0)"});
  ASSERT_EQ(host.Previews.size(), 1u);
  EXPECT_EQ(host.Previews[0], (std::array<int, 3>{61, 32, 1}));
  EXPECT_FALSE(tools.IsDown("CBDiesis")) << "an insertion on an empty place releases the modifiers";
  EXPECT_TRUE(tools.IsDown("CBNote4"));
}

TEST_F(ClickInsertTest, LinesGiveStepsAndOctaves) {
  Choose(ToolPage::Notes, {"CBNote4"});
  inserter.ScoreClick(6);
  inserter.ScoreClick(7);
  inserter.ScoreClick(-35);
  EXPECT_EQ(edits.Calls, (Calls{"InsertNote(7, 5, 32, [0,0,0,0,0,0,0,0,0], 0, 0, 0, 0)",
                                "InsertNote(1, 6, 32, [0,0,0,0,0,0,0,0,0], 0, 0, 0, 0)",
                                "InsertNote(1, 0, 32, [0,0,0,0,0,0,0,0,0], 0, 0, 0, 0)"}));
}

TEST_F(ClickInsertTest, ClefOffsetMovesNotesOnlyAndFarClicksInsertNothing) {
  edits.ClefOffset = -12;
  Choose(ToolPage::Notes, {"CBNote4", "CBDiesis"});
  inserter.ScoreClick(0);
  EXPECT_EQ(edits.Calls, Calls{"InsertNote(3, 3, 32, [105,0,0,0,0,0,0,0,0], 0, 0, 0, 0)"});
  edits.Calls.clear();
  inserter.ScoreClick(-60);
  inserter.ScoreClick(-36 + 12);
  EXPECT_TRUE(edits.Calls.empty()) << "octave -4 and -1 lie outside 0..10";
  EXPECT_EQ(host.Previews.size(), 1u);
  Choose(ToolPage::Symbols, {"CBForte"});
  inserter.ScoreClick(0);
  EXPECT_EQ(edits.Calls, Calls{"AddMeasureSymbol(166, 0, 1, 5, 0)"}) << "symbols take the raw line";
}

TEST_F(ClickInsertTest, PreviewKeysStayInMidiRange) {
  Choose(ToolPage::Notes, {"CBNote4", "CBDBemol"});
  inserter.ScoreClick(-35);
  tools.Click("CBDDiesis");
  inserter.ScoreClick(41);
  ASSERT_EQ(host.Previews.size(), 2u);
  EXPECT_EQ(host.Previews[0][0], 0) << "C of octave 0 a double flat down";
  EXPECT_EQ(host.Previews[1][0], 127) << "B of octave 10 a double sharp up";
}

TEST_F(ClickInsertTest, KeyAccidentalSoundsOnlyWithoutAnAccidentalButton) {
  edits.KeyAccidentals[4] = 1;  // one sharp: F sharp
  Choose(ToolPage::Notes, {"CBNote4"});
  inserter.ScoreClick(3);
  tools.Click("CBBecarre");
  inserter.ScoreClick(3);
  ASSERT_EQ(host.Previews.size(), 2u);
  EXPECT_EQ(host.Previews[0][0], 66);
  EXPECT_EQ(host.Previews[1][0], 65);
  EXPECT_EQ(edits.Calls[1], "InsertNote(4, 5, 32, [107,0,0,0,0,0,0,0,0], 0, 0, 0, 0)");
}

TEST_F(ClickInsertTest, NoPreviewWhenPlayMouseIsOff) {
  settings.PlayMouse = false;
  Choose(ToolPage::Notes, {"CBNote4"});
  inserter.ScoreClick(0);
  EXPECT_EQ(edits.Calls.size(), 1u);
  EXPECT_TRUE(host.Previews.empty());
}

TEST_F(ClickInsertTest, ModifierBytesCombine) {
  settings.BracketStyle = 2;
  settings.DrumStyle = 1;
  tools.UpDown(UpDownId::Tremolo).Set(3);
  tools.UpDown(UpDownId::Treole).Set(5);
  Choose(ToolPage::Notes, {"CBNote8", "CBBemol", "CBDLong", "CBDrumClose", "CBLift", "CBTremolo", "CBTreole",
                           "CBBracketStyle", "CBDrumNote"});
  inserter.ScoreClick(0);
  EXPECT_EQ(edits.Calls, Calls{"InsertNote(1, 5, 16, [103,102,0,0,112,5,122,118,0], 0, 4, 3, 0)"})
      << "the hi-hat shuts the glissando out; the drum kind comes from the drum styles";
}

struct ClickRow {
  const char* Name;
  ToolPage Page;
  std::vector<std::string_view> Clicks;
  enum Target { Empty, Note, Rest, Attribute } On;
  Calls Expected;
};

class ClickTable : public ClickInsertTest, public ::testing::WithParamInterface<ClickRow> {};

TEST_P(ClickTable, MakesTheOneCall) {
  const ClickRow& row = GetParam();
  tools.SetActivePage(row.Page);
  for (std::string_view name : row.Clicks) tools.Click(name);
  switch (row.On) {
    case ClickRow::Empty: inserter.ScoreClick(0); break;
    case ClickRow::Note: inserter.NoteClick(&note, 0); break;
    case ClickRow::Rest: inserter.NoteClick(&rest, 0); break;
    case ClickRow::Attribute: inserter.NoteClick(&attribute, 0); break;
  }
  EXPECT_EQ(edits.Calls, row.Expected);
  EXPECT_EQ(host.Focused, dialogs.Opened) << "the focus goes back after every dialog";
  EXPECT_EQ(host.Errors, 0);
}

constexpr auto E = ClickRow::Empty;
constexpr auto N = ClickRow::Note;
constexpr auto R = ClickRow::Rest;
constexpr auto A = ClickRow::Attribute;
constexpr auto kNotes = ToolPage::Notes;
constexpr auto kSymbols = ToolPage::Symbols;
const std::string kPlain = "[0,0,0,0,0,0,0,0,0]";

INSTANTIATE_TEST_SUITE_P(
    NotesEmptyPlace, ClickTable,
    ::testing::Values(ClickRow{"RepeatBar", kNotes, {"CBRepeatBar"}, E, {"InsertRepeatSign(29, 0)"}},
                      ClickRow{"RepeatNote", kNotes, {"CBRepeatNote"}, E, {"InsertRepeatSign(28, 0)"}},
                      ClickRow{"Note", kNotes, {"CBNote2"}, E, {"InsertNote(1, 5, 64, " + kPlain + ", 0, 0, 0, 0)"}},
                      ClickRow{"OttavaUp", kNotes, {"CBNoteUp"}, E, {"AddMeasureSymbol(223, 0, 1, 5, 16)"}},
                      ClickRow{"OttavaDown", kNotes, {"CBNoteDown"}, E, {"AddMeasureSymbol(224, 0, 1, 5, 16)"}},
                      ClickRow{"BarRest", kNotes, {"CBMeasurePause"}, E, {"AddInstrumentSymbol(88, 3, 0)"}},
                      ClickRow{"Rest", kNotes, {"CBPause2"}, E, {"InsertRest(64, " + kPlain + ")"}},
                      ClickRow{"Clef", kNotes, {"CBKey"}, E, {"SetClefAtCursor(1)"}},
                      ClickRow{"Key", kNotes, {"CBTone"}, E, {"SetKeySignatureAtCursor(0)"}},
                      ClickRow{"Metre", kNotes, {"CBSize"}, E, {"SetTimeSignature(4, 4, 0, 1)"}},
                      ClickRow{"Tempo", kNotes, {"CBTempo"}, E, {"AddTempoMark(32, 96)"}},
                      ClickRow{"Tremolo", kNotes, {"CBTremolo"}, E, {"AddMeasureSymbol(132, 0, 1, 5, 1)"}},
                      ClickRow{"SharpAlone", kNotes, {"CBDiesis"}, E, {}},
                      ClickRow{"Eraser", kNotes, {"CBEraseNotes"}, E, {}}, ClickRow{"Pointer", kNotes, {}, E, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    NotesOnNote, ClickTable,
    ::testing::Values(ClickRow{"Eraser", kNotes, {"CBEraseNotes"}, N, {"EraseElement()"}},
                      ClickRow{"RepeatBar", kNotes, {"CBRepeatBar"}, N, {"InsertRepeatSign(29, 0)"}},
                      ClickRow{"Clef", kNotes, {"CBKey"}, N, {"SetClefAtCursor(1)"}},
                      ClickRow{"Tempo", kNotes, {"CBTempo"}, N, {"AddMeasureSymbol(55, 0, 1, 5, 96)"}},
                      ClickRow{"Note", kNotes, {"CBNote16"}, N, {"InsertNote(1, 5, 8, " + kPlain + ", 0, 0, 0, 0)"}},
                      ClickRow{"Flat", kNotes, {"CBBemol"}, N, {"AddNoteEffect(103, 0, 0)"}},
                      ClickRow{"DoubleFlat", kNotes, {"CBDBemol"}, N, {"AddNoteEffect(104, 0, 0)"}},
                      ClickRow{"Sharp", kNotes, {"CBDiesis"}, N, {"AddNoteEffect(105, 0, 0)"}},
                      ClickRow{"DoubleSharp", kNotes, {"CBDDiesis"}, N, {"AddNoteEffect(106, 0, 0)"}},
                      ClickRow{"Natural", kNotes, {"CBBecarre"}, N, {"AddNoteEffect(107, 0, 0)"}},
                      ClickRow{"NaturalFlat", kNotes, {"CBBecarreBemol"}, N, {"AddNoteEffect(115, 0, 0)"}},
                      ClickRow{"NaturalSharp", kNotes, {"CBBecarreDiesis"}, N, {"AddNoteEffect(116, 0, 0)"}},
                      ClickRow{
                          "SharpInBrackets", kNotes, {"CBDiesis", "CBBracketStyle"}, N, {"AddNoteEffect(105, 1, 0)"}},
                      ClickRow{"Microtone", kNotes, {"CBMicrotone"}, N, {"AddNoteEffect(103, 0, 1)"}},
                      ClickRow{"Dot", kNotes, {"CBLong"}, N, {"AddNoteEffect(101, 0, 0)"}},
                      ClickRow{"DoubleDot", kNotes, {"CBDLong"}, N, {"AddNoteEffect(102, 0, 0)"}},
                      ClickRow{"Portamento", kNotes, {"CBPortamento"}, N, {"AddNoteEffect(108, 0, 0)"}},
                      ClickRow{"Staccato", kNotes, {"CBStaccato"}, N, {"AddNoteEffect(109, 0, 0)"}},
                      ClickRow{"OpenHat", kNotes, {"CBDrumOpen"}, N, {"AddNoteEffect(117, 0, 0)"}},
                      ClickRow{"HalfOpenHat", kNotes, {"CBDrumClose"}, N, {"AddNoteEffect(118, 0, 0)"}},
                      ClickRow{"HandUp", kNotes, {"CBHandUp"}, N, {"AddNoteEffect(114, 0, 0)"}},
                      ClickRow{"HandDown", kNotes, {"CBHandDown"}, N, {"AddNoteEffect(119, 0, 0)"}},
                      ClickRow{"GlissandoUp", kNotes, {"CBGlissandoUp"}, N, {"AddNoteEffect(124, 0, 0)"}},
                      ClickRow{"GlissandoDown", kNotes, {"CBGlissandoDown"}, N, {"AddNoteEffect(125, 0, 0)"}},
                      ClickRow{"FallUp", kNotes, {"CBFallUp"}, N, {"AddNoteEffect(126, 0, 0)"}},
                      ClickRow{"FallDown", kNotes, {"CBFallDown"}, N, {"AddNoteEffect(127, 0, 0)"}},
                      ClickRow{"Lift", kNotes, {"CBLift"}, N, {"AddNoteEffect(128, 0, 0)"}},
                      ClickRow{"NoteStyle", kNotes, {"CBNoteStyle"}, N, {"AddNoteEffect(129, 0, 1)"}},
                      ClickRow{"DrumNote", kNotes, {"CBDrumNote"}, N, {"AddNoteEffect(122, 0, 5)"}},
                      ClickRow{"Bracket", kNotes, {"CBBracketStyle"}, N, {"AddNoteEffect(121, 1, 0)"}},
                      ClickRow{"BlankNote", kNotes, {"CBBlankNote"}, N, {"AddNoteEffect(123, 0, 0)"}},
                      ClickRow{"Tremolo", kNotes, {"CBTremolo"}, N, {"AddNoteEffect(110, 0, 0)"}},
                      ClickRow{"BarRest", kNotes, {"CBMeasurePause"}, N, {"AddInstrumentSymbol(88, 3, 0)"}},
                      ClickRow{"RestOnARest", kNotes, {"CBPause16"}, R, {"InsertRest(8, " + kPlain + ")"}},
                      ClickRow{"GraceNotes", kNotes, {"CBVorschlag"}, N, {"SetGraceNotes(0, 2, 0)"}},
                      ClickRow{"GraceNotesNotOnARest", kNotes, {"CBVorschlag"}, R, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    NotesOnOtherElement, ClickTable,
    ::testing::Values(ClickRow{"Ottava", kNotes, {"CBNoteUp"}, A, {"AddMeasureSymbol(223, 0, 1, 5, 16)"}},
                      ClickRow{"BarRest", kNotes, {"CBMeasurePause"}, A, {"AddInstrumentSymbol(88, 3, 0)"}},
                      ClickRow{"Rest", kNotes, {"CBPause"}, A, {"InsertRest(128, " + kPlain + ")"}},
                      ClickRow{"Note", kNotes, {"CBNote"}, A, {"InsertNote(1, 5, 128, " + kPlain + ", 0, 0, 0, 0)"}},
                      ClickRow{"BracketOnAccidental", kNotes, {"CBBracketStyle"}, A, {"AddNoteEffect(105, 1, 0)"}},
                      ClickRow{"SharpDoesNothing", kNotes, {"CBDiesis"}, A, {}},
                      ClickRow{"ClefDoesNothing", kNotes, {"CBKey"}, A, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

ClickRow Symbol(const char* name, std::string expected) {
  return ClickRow{name, kSymbols, {name}, E, {std::move(expected)}};
}

INSTANTIATE_TEST_SUITE_P(
    SymbolsPage, ClickTable,
    ::testing::Values(
        Symbol("CBSegno", "AddInstrumentSymbol(71, 0, 0)"), Symbol("CBBeginFonar", "AddInstrumentSymbol(72, 0, 0)"),
        Symbol("CBEndFonar", "AddInstrumentSymbol(73, 0, 0)"), Symbol("CBDaCapo", "AddInstrumentSymbol(74, 0, 0)"),
        Symbol("CBDalSegno", "AddInstrumentSymbol(75, 0, 0)"), Symbol("CBShare", "AddInstrumentSymbol(76, 69, 0)"),
        Symbol("CBBarNumber", "AddInstrumentSymbol(80, 4, 0)"), Symbol("CBPiano", "AddMeasureSymbol(160, 0, 1, 5, 0)"),
        Symbol("CBPianissimo", "AddMeasureSymbol(161, 0, 1, 5, 0)"),
        Symbol("CBPianississimo", "AddMeasureSymbol(162, 0, 1, 5, 0)"),
        Symbol("CBMezzopiano", "AddMeasureSymbol(163, 0, 1, 5, 0)"),
        Symbol("CBFortepiano", "AddMeasureSymbol(164, 0, 1, 5, 0)"),
        Symbol("CBMezzoForte", "AddMeasureSymbol(165, 0, 1, 5, 0)"),
        Symbol("CBForte", "AddMeasureSymbol(166, 0, 1, 5, 0)"),
        Symbol("CBFortissimo", "AddMeasureSymbol(167, 0, 1, 5, 0)"),
        Symbol("CBFortississimo", "AddMeasureSymbol(168, 0, 1, 5, 0)"),
        Symbol("CBSForzato", "AddMeasureSymbol(169, 0, 1, 5, 0)"),
        Symbol("CBExtraForzato", "AddMeasureSymbol(170, 0, 1, 5, 0)"),
        Symbol("CBForzando", "AddMeasureSymbol(171, 0, 1, 5, 0)"),
        Symbol("CBSForzando", "AddMeasureSymbol(172, 0, 1, 5, 0)"),
        Symbol("CBArpeggio", "AddMeasureSymbol(131, 0, 1, 5, 4)"),
        Symbol("CBTopHang", "AddMeasureSymbol(133, 0, 1, 5, 4)"),
        Symbol("CBBottomHang", "AddMeasureSymbol(134, 0, 1, 5, 4)"),
        Symbol("CBTrillare", "AddMeasureSymbol(225, 0, 1, 5, 128)"),
        Symbol("CBGroup1", "AddMeasureSymbol(181, 0, 1, 5, 0)"),
        Symbol("CBGroup2", "AddMeasureSymbol(182, 0, 1, 5, 0)"), Symbol("CBTrill", "AddMeasureSymbol(184, 0, 1, 5, 0)"),
        Symbol("CBTrillB", "AddMeasureSymbol(185, 0, 1, 5, 0)"),
        Symbol("CBTrillD", "AddMeasureSymbol(186, 0, 1, 5, 0)"),
        Symbol("CBTrillBk", "AddMeasureSymbol(187, 0, 1, 5, 0)"),
        Symbol("CBMordent", "AddMeasureSymbol(188, 0, 1, 5, 0)"),
        Symbol("CBStrikeMordent", "AddMeasureSymbol(189, 0, 1, 5, 0)"),
        Symbol("CBDoubleMordent", "AddMeasureSymbol(190, 0, 1, 5, 0)"),
        Symbol("CBStrikeDoubleMordent", "AddMeasureSymbol(191, 0, 1, 5, 0)"),
        Symbol("CBFermataUp", "AddMeasureSymbol(195, 0, 1, 5, 0)"),
        Symbol("CBFermataDown", "AddMeasureSymbol(196, 0, 1, 5, 0)"),
        Symbol("CBShortFermata1", "AddMeasureSymbol(195, 24, 1, 5, 0)"),
        Symbol("CBShortFermata2", "AddMeasureSymbol(196, 24, 1, 5, 0)"),
        Symbol("CBLongFermata1", "AddMeasureSymbol(195, 26, 1, 5, 0)"),
        Symbol("CBLongFermata2", "AddMeasureSymbol(196, 26, 1, 5, 0)"),
        Symbol("CBAccentTop", "AddMeasureSymbol(198, 0, 1, 5, 0)"),
        Symbol("CBAccentRight", "AddMeasureSymbol(199, 0, 1, 5, 0)"),
        Symbol("CBLCrechendo", "AddMeasureSymbol(221, 0, 1, 5, 128)"),
        Symbol("CBLDeCrechendo", "AddMeasureSymbol(222, 0, 1, 5, 128)"),
        Symbol("CBBracketUp", "AddMeasureSymbol(226, 0, 1, 5, 128)"),
        Symbol("CBBracketDown", "AddMeasureSymbol(227, 0, 1, 5, 128)"), Symbol("CBBarre", "AddBarre(18, 1, 5, 128, 3)"),
        Symbol("CBPreBend", "AddMeasureSymbol(230, 0, 1, 5, 1)"),
        Symbol("CBBendUp", "AddMeasureSymbol(230, 0, 1, 5, 2)"),
        Symbol("CBPreBendRelease", "AddMeasureSymbol(230, 0, 1, 5, 3)"),
        Symbol("CBBendUpRelease", "AddMeasureSymbol(230, 0, 1, 5, 4)"),
        Symbol("CBPreBendReleaseOverTime", "AddMeasureSymbol(230, 0, 1, 5, 5)"),
        Symbol("CBBendUpReleaseOverTime", "AddMeasureSymbol(230, 0, 1, 5, 6)"),
        Symbol("CBContinueUntil", "AddMeasureSymbol(229, 0, 1, 5, 128)"),
        Symbol("CBPedalUp", "AddMeasureSymbol(179, 0, 1, 5, 0)"),
        Symbol("CBPedalDown", "AddMeasureSymbol(180, 0, 1, 5, 0)"),
        Symbol("CBOne", "AddMeasureSymbol(216, 0, 1, 5, 0)"), Symbol("CBTwo", "AddMeasureSymbol(217, 0, 1, 5, 0)"),
        Symbol("CBThree", "AddMeasureSymbol(218, 0, 1, 5, 0)"), Symbol("CBFour", "AddMeasureSymbol(219, 0, 1, 5, 0)"),
        Symbol("CBFive", "AddMeasureSymbol(220, 0, 1, 5, 0)"), Symbol("CB1String", "AddMeasureSymbol(175, 0, 1, 5, 1)"),
        Symbol("CB2String", "AddMeasureSymbol(175, 0, 1, 5, 2)"),
        Symbol("CB3String", "AddMeasureSymbol(175, 0, 1, 5, 3)"),
        Symbol("CB4String", "AddMeasureSymbol(175, 0, 1, 5, 4)"),
        Symbol("CB5String", "AddMeasureSymbol(175, 0, 1, 5, 5)"),
        Symbol("CB6String", "AddMeasureSymbol(175, 0, 1, 5, 6)"),
        Symbol("CB7String", "AddMeasureSymbol(175, 0, 1, 5, 7)"),
        Symbol("CB8String", "AddMeasureSymbol(175, 0, 1, 5, 8)"),
        Symbol("CBEndComposition", "AddInstrumentSymbol(81, 0, 0)"),
        Symbol("CBEndPart", "AddInstrumentSymbol(82, 0, 0)"), Symbol("CBBeginRepeat", "AddInstrumentSymbol(85, 0, 0)"),
        Symbol("CBEndRepeat", "AddInstrumentSymbol(86, 0, 0)"),
        Symbol("CBPartComposition", "AddInstrumentSymbol(87, 2, 4)"),
        Symbol("CBTenutoStaccato1", "AddMeasureSymbol(199, 24, 1, 5, 0)"),
        Symbol("CBTenutoStaccato2", "AddMeasureSymbol(199, 25, 1, 5, 0)"),
        Symbol("CBStaccatoPressurePercussive1", "AddMeasureSymbol(199, 26, 1, 5, 0)"),
        Symbol("CBStaccatoPressurePercussive2", "AddMeasureSymbol(199, 27, 1, 5, 0)"),
        Symbol("CBTenutoPressurePercussive1", "AddMeasureSymbol(199, 28, 1, 5, 0)"),
        Symbol("CBTenutoPressurePercussive2", "AddMeasureSymbol(199, 29, 1, 5, 0)"),
        Symbol("CBTenutoPercussive1", "AddMeasureSymbol(199, 30, 1, 5, 0)"),
        Symbol("CBTenutoPercussive2", "AddMeasureSymbol(199, 31, 1, 5, 0)"),
        Symbol("CBStaccatoPercussive1", "AddMeasureSymbol(199, 32, 1, 5, 0)"),
        Symbol("CBStaccatoPercussive2", "AddMeasureSymbol(199, 33, 1, 5, 0)"),
        Symbol("CBTenutoWedge1", "AddMeasureSymbol(199, 34, 1, 5, 0)"),
        Symbol("CBTenutoWedge2", "AddMeasureSymbol(199, 35, 1, 5, 0)"),
        Symbol("CBWedgePressurePercussive1", "AddMeasureSymbol(199, 36, 1, 5, 0)"),
        Symbol("CBWedgePressurePercussive2", "AddMeasureSymbol(199, 37, 1, 5, 0)")),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    SymbolsOnElement, ClickTable,
    ::testing::Values(ClickRow{"TopHang", kSymbols, {"CBTopHang"}, N, {}},
                      ClickRow{"BottomHang", kSymbols, {"CBBottomHang"}, N, {}},
                      ClickRow{"Trill", kSymbols, {"CBTrillare"}, N, {}},
                      ClickRow{
                          "BarNumberWithoutDialog", kSymbols, {"CBBarNumber"}, N, {"AddInstrumentSymbol(80, 0, 0)"}},
                      ClickRow{"Forte", kSymbols, {"CBForte"}, A, {"AddMeasureSymbol(166, 0, 1, 5, 0)"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ClickInsertTest, BarNumberOnAnElementOpensNoDialog) {
  Choose(kSymbols, {"CBBarNumber"});
  inserter.NoteClick(&note, 0);
  EXPECT_EQ(dialogs.Opened, 0);
}

TEST_F(ClickInsertTest, MetreForTheWholeScoreOnlyInTheFirstMeasure) {
  settings.ScoreSize = (3 << 8) | 8;
  settings.ScoreSizeStyle = 1;
  edits.Measure = 1;
  Choose(kNotes, {"CBSize"});
  inserter.ScoreClick(0);
  EXPECT_EQ(edits.Calls, Calls{"SetTimeSignature(3, 8, 1, 0)"});
}

TEST_F(ClickInsertTest, OtherPages) {
  tools.SetActivePage(ToolPage::Expanded);
  inserter.ScoreClick(0);
  EXPECT_TRUE(edits.Calls.empty()) << "no library symbol chosen";
  tools.ClickLibrarySymbol({nullptr, nullptr});
  inserter.ScoreClick(2);
  tools.SetActivePage(ToolPage::Expressions);
  inserter.ScoreClick(0);
  tools.ClickTerm("dolce");
  settings.FontTermBold = true;
  inserter.ScoreClick(0);
  tools.SetActivePage(ToolPage::Design);
  inserter.ScoreClick(0);
  tools.Click("CBComment");
  settings.TextName = "Serif";
  settings.FontItalic = true;
  inserter.ScoreClick(1);
  tools.SetActivePage(ToolPage::Guitar);
  inserter.ScoreClick(0);
  EXPECT_EQ(edits.Calls, (Calls{"AddMeasureDrawing(2, 3, 5)", "AddTextItems(dolce, Arial, 8, 1, 0, 0, 1, 5)",
                                "AddTextItems(dolce, Serif, 8, 2, 0, 0, 2, 5)"}));
  EXPECT_EQ(dialogs.LastText.FontName, "Serif");
  EXPECT_EQ(host.Focused, 1);
}

TEST_F(ClickInsertTest, SlurNeedsTwoNoteClicksInARow) {
  Choose(kNotes, {"CBLigaUp"});
  inserter.NoteClick(&note, 0);
  EXPECT_EQ(inserter.PendingSlurNote(), &note);
  inserter.NoteClick(&other, 0);
  EXPECT_EQ(edits.Calls, Calls{"LinkNotes(two, 1)"});
  ASSERT_EQ(edits.Linked.size(), 1u);
  EXPECT_EQ(edits.Linked[0].first, &note);
  EXPECT_EQ(edits.Linked[0].second, &other);
  EXPECT_EQ(inserter.PendingSlurNote(), nullptr);

  edits.Calls.clear();
  inserter.NoteClick(&note, 0);
  tools.Click("CBTone");
  inserter.ScoreClick(0);
  tools.Click("CBLigaDown");
  inserter.NoteClick(&other, 0);
  EXPECT_EQ(edits.Calls, Calls{"SetKeySignatureAtCursor(0)"});
  EXPECT_EQ(inserter.PendingSlurNote(), &other) << "the second note starts a new slur";

  inserter.ForgetSlurStart();
  inserter.NoteClick(&note, 0);
  EXPECT_EQ(edits.Calls.size(), 1u) << "a forgotten start links nothing";
}

TEST_F(ClickInsertTest, SlurStartSkipsTheResetRule) {
  tools.Click("CBResetNotes");
  Choose(kNotes, {"CBLigaUp"});
  inserter.NoteClick(&note, 0);
  EXPECT_TRUE(tools.IsDown("CBLigaUp"));
  inserter.NoteClick(&other, 0);
  EXPECT_TRUE(tools.IsDown("CBPointNotes"));
  EXPECT_FALSE(tools.IsDown("CBLigaUp"));
}

TEST_F(ClickInsertTest, CancelledBarRestStillStoresItsCount) {
  dialogs.Ok = false;
  Choose(kNotes, {"CBMeasurePause"});
  inserter.ScoreClick(0);
  EXPECT_TRUE(edits.Calls.empty());
  EXPECT_EQ(settings.MeasurePause, 3);
  EXPECT_EQ(host.Focused, 1);
}

TEST_F(ClickInsertTest, RehearsalMarkAsksForItsNumberOnlyWhenNumberedByHand) {
  Choose(kSymbols, {"CBShare"});
  inserter.ScoreClick(0);
  EXPECT_EQ(dialogs.Opened, 0);
  settings.RehearsalMarkNumeration = 1;
  settings.RehearsalMarkNumber = 2;
  inserter.ScoreClick(0);
  EXPECT_EQ(dialogs.Opened, 1);
  EXPECT_EQ(settings.RehearsalMarkNumber, 7);
  EXPECT_EQ(edits.Calls, (Calls{"AddInstrumentSymbol(76, 69, 0)", "AddInstrumentSymbol(76, 69, 7)"}));
}

TEST_F(ClickInsertTest, RestOnAnElementKeepsTheModifiers) {
  Choose(kNotes, {"CBPause8", "CBLong"});
  inserter.NoteClick(&attribute, 0);
  EXPECT_EQ(edits.Calls, Calls{"InsertRest(16, [0,101,0,0,0,0,0,0,0])"});
  EXPECT_TRUE(tools.IsDown("CBLong"));
  inserter.ScoreClick(0);
  EXPECT_FALSE(tools.IsDown("CBLong"));
  EXPECT_TRUE(tools.IsDown("CBPause8"));
}

TEST_F(ClickInsertTest, RestFromTheStartInserts) {
  Choose(kNotes, {"CBPause4"});
  inserter.ScoreClick(0);
  EXPECT_EQ(edits.Calls, Calls{"InsertRest(32, " + kPlain + ")"});
}

TEST_F(ClickInsertTest, BracketOfAnAccidentalToggles) {
  Choose(kNotes, {"CBBracketStyle"});
  attribute.Data[0] = 1;
  inserter.NoteClick(&attribute, 0);
  EXPECT_EQ(edits.Calls, Calls{"AddNoteEffect(105, 0, 0)"});
}

TEST_F(ClickInsertTest, ResetButtonsReturnToThePointer) {
  tools.Click("CBResetNotes");
  Choose(kNotes, {"CBNote4"});
  inserter.ScoreClick(0);
  EXPECT_TRUE(tools.IsDown("CBPointNotes"));
  EXPECT_FALSE(tools.IsDown("CBNote4"));
  EXPECT_EQ(sink.Tool, "");
  EXPECT_FALSE(sink.Ghost);

  Choose(kSymbols, {"CBResetSymbols", "CBForte"});
  inserter.ScoreClick(0);
  EXPECT_TRUE(tools.IsDown("CBPointSymbols"));
  EXPECT_FALSE(tools.IsDown("CBForte"));

  tools.SetActivePage(ToolPage::Expressions);
  tools.ClickTerm("dolce");
  inserter.ScoreClick(0);
  EXPECT_TRUE(tools.IsDown("CBPointTerm"));
  EXPECT_EQ(tools.CurrentTerm(), "");

  Choose(ToolPage::Design, {"CBComment"});
  inserter.ScoreClick(0);
  EXPECT_TRUE(tools.IsDown("CBPointDesign"));
  EXPECT_FALSE(tools.IsDown("CBComment"));
}

TEST_F(ClickInsertTest, WithoutResetTheToolStays) {
  Choose(kSymbols, {"CBForte"});
  inserter.ScoreClick(0);
  EXPECT_TRUE(tools.IsDown("CBForte"));
}

TEST_F(ClickInsertTest, FailedEditShowsTheErrorOnce) {
  edits.Fail = true;
  Choose(kNotes, {"CBNote4"});
  inserter.ScoreClick(0);
  EXPECT_EQ(host.Errors, 1);
  EXPECT_TRUE(host.Previews.empty());
}

TEST_F(ClickInsertTest, KeyboardEntrySoundsTheInsertedPitch) {
  edits.PitchLine = 38;  // F of octave 5
  edits.KeyAccidentals[4] = 1;
  inserter.InsertNoteAtCursorPitch(32);
  EXPECT_EQ(edits.Calls, Calls{"InsertNoteAtCursorPitch(32)"});
  ASSERT_EQ(host.Previews.size(), 1u);
  EXPECT_EQ(host.Previews[0], (std::array<int, 3>{66, 16, 1}));
}

}  // namespace
}  // namespace nv::document
