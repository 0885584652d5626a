#include "document/tool_state.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "document/command_registry.h"
#include "document/program_settings.h"
#include "document/tool_buttons.h"
#include "document/tool_commands.h"
#include "tool_fakes.h"

namespace nv::document {
namespace {

class ToolStateTest : public ::testing::Test {
 protected:
  ToolStateTest() {
    tools.SetSink(&sink);
    tools.SetDocumentActive(true);
  }

  // The buttons down on the active page, the cursor, ghost note, insert flag
  // and duration, as one line.
  std::string Shown() const {
    std::string text = "down:";
    for (std::string_view name : tools.DownButtons())
      if (FindToolButton(name)->Page == tools.ActivePage()) text += " " + std::string(name);
    text += " | tool " + (sink.Tool.empty() ? std::string("-") : sink.Tool);
    text += sink.Ghost ? " | ghost" : " | no ghost";
    text += sink.Insert ? " | insert" : "";
    text += " | " + std::to_string(sink.Duration);
    return text;
  }

  std::string After(std::initializer_list<std::string_view> clicks) {
    for (std::string_view name : clicks) tools.Click(name);
    return Shown();
  }

  ProgramSettings settings;
  ToolState tools{settings};
  tool_fakes::RecordingSink sink;
};

TEST_F(ToolStateTest, StartsAtThePointersWithTheResetButtonsFromTheSettings) {
  settings.CBResetNotes = true;
  ToolState fresh(settings);
  EXPECT_TRUE(fresh.IsDown("CBPointNotes"));
  EXPECT_TRUE(fresh.IsDown("CBResetNotes"));
  EXPECT_TRUE(fresh.IsDown("CBPointSymbols"));
  EXPECT_FALSE(fresh.IsDown("CBResetSymbols"));
  EXPECT_TRUE(fresh.IsDown("CBKNote"));
  EXPECT_EQ(tools.DownButtons().size(), 9u)
      << "four pointers, two form resets and the piano's note button besides the settings' two";
}

struct Steps {
  const char* Name;
  std::vector<std::string_view> Clicks;
  const char* Expected;
};

class NotesPageSteps : public ToolStateTest, public ::testing::WithParamInterface<Steps> {};

TEST_P(NotesPageSteps, ShowWhatTheClicksChose) {
  for (std::string_view name : GetParam().Clicks) tools.Click(name);
  EXPECT_EQ(Shown(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, NotesPageSteps,
    ::testing::Values(
        Steps{"NoteThenSharpKeepsTheNotesCursor",
              {"CBNote4", "CBDiesis"},
              "down: CBNote4 CBDiesis | tool NOTE4 | ghost | 32"},
        Steps{"SharpAloneIsItsOwnTool", {"CBDiesis"}, "down: CBDiesis | tool DIESIS | ghost | 0"},
        Steps{"ReleasedNoteLeavesTheSharp",
              {"CBNote4", "CBDiesis", "CBNote4"},
              "down: CBDiesis | tool DIESIS | ghost | 32"},
        Steps{"ReleasingBothFallsBackToThePointer",
              {"CBNote4", "CBDiesis", "CBNote4", "CBDiesis"},
              "down: CBPointNotes | tool - | no ghost | 0"},
        Steps{"DotKeepsTheRest", {"CBPause8", "CBLong"}, "down: CBPause8 CBLong | tool PAUSE8 | ghost | 0"},
        Steps{"StaccatoReleasesTheRest", {"CBPause8", "CBStaccato"}, "down: CBStaccato | tool STACATTO | ghost | 0"},
        Steps{"KeySignatureReleasesEverything",
              {"CBNote4", "CBDiesis", "CBLong", "CBTremolo", "CBTone"},
              "down: CBTone | tool TONE | ghost | 32"},
        Steps{"RestFromTheStartReleasesThePointer", {"CBPause4"}, "down: CBPause4 | tool PAUSE4 | ghost | 0"},
        Steps{"BreveStaysUnderASharp",
              {"CBWholeNote", "CBDiesis"},
              "down: CBWholeNote CBDiesis | tool WHOLENOTE | ghost | 256"},
        Steps{"EraserHasNoGhostAndHitsElements",
              {"CBNote8", "CBEraseNotes"},
              "down: CBEraseNotes | tool ERASE | no ghost | 0"},
        Steps{"BarRestUsesTheInsertFlag",
              {"CBMeasurePause"},
              "down: CBMeasurePause | tool MEASUREPAUSE | no ghost | insert | 0"},
        Steps{"SingleToolStaysPressedOnASecondClick", {"CBTempo", "CBTempo"}, "down: CBTempo | tool TEMPO | ghost | 0"},
        Steps{"RepeatSignReleasedFallsBack",
              {"CBRepeatBar", "CBRepeatBar"},
              "down: CBPointNotes | tool - | no ghost | 0"},
        Steps{"TupletHasNoToolName", {"CBTreole"}, "down: CBTreole | tool - | ghost | 0"},
        Steps{"BracketUnderThePointerIsATool",
              {"CBBracketStyle"},
              "down: CBBracketStyle | tool BRACKETSTYLE | ghost | 0"},
        Steps{"BracketWithAValueOnlyJoinsIt",
              {"CBNote2", "CBBracketStyle"},
              "down: CBNote2 CBBracketStyle | tool NOTE2 | ghost | 64"},
        Steps{
            "PointerReleasesAll", {"CBNote2", "CBLong", "CBPointNotes"}, "down: CBPointNotes | tool - | no ghost | 0"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ToolStateTest, NaturalKeepsItsCursorWhenThePageIsChosenAgain) {
  tools.Click("CBBecarre");
  sink.Tool.clear();
  tools.ToolFromPalette();
  EXPECT_EQ(sink.Tool, "BECARRE");
}

TEST_F(ToolStateTest, ClefAndMicrotoneNamesFollowTheirValues) {
  const std::map<int, std::string> clefs = {{12, "CLEFG"}, {6, "CLEFF"}, {9, "CLEFD"},
                                            {0, "CLEFG"},  {1, "CLEFF"}, {2, "CLEFD"}};
  for (const auto& [clef, name] : clefs) {
    settings.Key = clef;
    tools.Click("CBKey");
    EXPECT_EQ(sink.Tool, name) << "clef " << clef;
  }
  for (const auto& [code, name] : std::map<int, std::string>{{36, "DIESIS"}, {33, "BEMOLE"}}) {
    settings.MicroTone = code;
    tools.Press("CBMicrotone");
    EXPECT_EQ(sink.Tool, name) << "microtone " << code;
  }
}

TEST_F(ToolStateTest, SymbolsPageDerivesItsToolOnActivation) {
  tools.SetActivePage(ToolPage::Symbols);
  EXPECT_EQ(Shown(), "down: CBPointSymbols | tool - | no ghost | 0");
  tools.SetActivePage(ToolPage::Notes);
  tools.SetDown("CBForte", true);
  tools.SetActivePage(ToolPage::Symbols);
  EXPECT_EQ(Shown(), "down: CBPointSymbols CBForte | tool FORTE | ghost | 0");
  tools.SetDown("CBEndRepeat", true);
  tools.SetActivePage(ToolPage::Symbols);
  EXPECT_EQ(Shown(), "down: CBPointSymbols CBEndRepeat | tool ENDREPEAT | no ghost | insert | 0");
  tools.SetDown("CBEndRepeat", false);
  tools.ToolFromPalette();
  EXPECT_EQ(Shown(), "down: CBPointSymbols | tool - | no ghost | 0");
}

TEST_F(ToolStateTest, SymbolClicksReleaseThePointerAndASecondClickReturnsToIt) {
  tools.SetActivePage(ToolPage::Symbols);
  EXPECT_EQ(After({"CBSegno"}), "down: CBSegno | tool SEGNO | ghost | 0");
  EXPECT_EQ(After({"CBBeginFonar"}), "down: CBBeginFonar | tool FONAR | ghost | 0");
  EXPECT_EQ(After({"CBBottomHang"}), "down: CBBottomHang | tool TOPHANG | ghost | 0");
  EXPECT_EQ(After({"CBPartComposition"}), "down: CBPartComposition | tool PARTCOMPOSITION | no ghost | insert | 0");
  EXPECT_EQ(After({"CBPartComposition"}), "down: CBPointSymbols | tool - | no ghost | 0");
}

TEST_F(ToolStateTest, OtherPagesChooseTheirOwnTools) {
  tools.SetActivePage(ToolPage::Expressions);
  EXPECT_EQ(sink.Tool, "");
  tools.ClickTerm("dolce");
  EXPECT_EQ(Shown(), "down: CBResetTerm | tool COMMENT | ghost | 0");
  tools.SetActivePage(ToolPage::Expanded);
  EXPECT_EQ(sink.Tool, "");
  tools.SetActivePage(ToolPage::Design);
  EXPECT_EQ(After({"CBText"}), "down: CBText CBResetDesign | tool TEXT | no ghost | insert | 0");
  EXPECT_EQ(After({"CBComment"}), "down: CBComment CBResetDesign | tool COMMENT | ghost | 0");
  tools.SetActivePage(ToolPage::Guitar);
  EXPECT_EQ(Shown(), "down: | tool - | no ghost | 0");
}

TEST_F(ToolStateTest, WithoutADocumentOnlyTheButtonsChange) {
  tools.SetDocumentActive(false);
  tools.Click("CBNote4");
  EXPECT_TRUE(tools.IsDown("CBNote4"));
  EXPECT_TRUE(sink.Calls.empty());
}

TEST_F(ToolStateTest, RehearsalMarkStyle) {
  EXPECT_EQ(tools.RehearsalMarkStyle(), 0x45);
  settings.RehearsalMarkKind = 1;
  settings.RehearsalMarkBorderKind = 2;
  settings.RehearsalMarkBorderWidth = 1;
  EXPECT_EQ(tools.RehearsalMarkStyle(), 0x89);
}

TEST_F(ToolStateTest, NoteAndDrumStylesAnswerWhatIsChosen) {
  EXPECT_EQ(tools.CurrentNoteStyle(), 0);
  tools.Click("CBNoteStyle");
  EXPECT_EQ(tools.CurrentNoteStyle(), 1);
  settings.DrumStyle = 3;
  EXPECT_EQ(tools.CurrentDrumStyle(4), 3);
  EXPECT_EQ(tools.CurrentDrumStyle(3), std::nullopt);
}

TEST_F(ToolStateTest, KeyboardCursorLoadsOncePerName) {
  tools.SetActivePage(ToolPage::Piano);
  tools.SetDown("CBKNote", true);
  tools.KeyboardTrackMouse(true, 2);
  tools.KeyboardTrackMouse(true, 2);
  tools.KeyboardTrackMouse(true, 3);
  tools.KeyboardTrackMouse(false, 3);
  tools.KeyboardTrackMouse(true, 3);
  tools.SetDown("CBKPause", true);
  tools.KeyboardTrackMouse(true, 0);
  tools.KeyboardTrackMouse(true, 9);
  EXPECT_EQ(sink.KeyboardCursors, (std::vector<std::string>{"KNOTE4", "KNOTE8", "", "KNOTE8", "KPAUSE"}));
}

TEST_F(ToolStateTest, UpDownsKeepTheirBoundsAndWrap) {
  settings.Treole = 11;
  settings.Tremolo = 0;
  ToolState fresh(settings);
  EXPECT_EQ(fresh.UpDown(UpDownId::Treole).Position, 10);
  EXPECT_EQ(fresh.UpDown(UpDownId::Tremolo).Position, 1);
  fresh.StepUpDown(UpDownId::Treole, 1);
  EXPECT_EQ(fresh.UpDown(UpDownId::Treole).Position, 2);
  fresh.StepUpDown(UpDownId::Tremolo, -1);
  EXPECT_EQ(fresh.UpDown(UpDownId::Tremolo).Position, 4);
  fresh.UpDown(UpDownId::KTreole).Set(10);
  fresh.StepUpDown(UpDownId::KTreole, 1);
  EXPECT_EQ(fresh.UpDown(UpDownId::KTreole).Position, 10) << "the piano's up-downs do not wrap";
  fresh.StoreSettings();
  EXPECT_EQ(settings.Treole, 2);
  EXPECT_EQ(settings.Tremolo, 4);
}

TEST_F(ToolStateTest, NoGroupEverHasTwoButtonsDown) {
  std::mt19937 random(43);
  const auto buttons = ToolButtons();
  for (int i = 0; i < 10000; ++i) {
    const ToolButton& button = buttons[random() % buttons.size()];
    switch (random() % 4) {
      case 0: tools.Click(button.Name); break;
      case 1: tools.Press(button.Name); break;
      case 2: tools.Release(button.Name); break;
      default: tools.SetActivePage(static_cast<ToolPage>(random() % kToolPageCount)); break;
    }
    std::map<std::pair<ToolPanel, int>, std::string_view> seen;
    for (std::string_view name : tools.DownButtons()) {
      const ToolButton& down = *FindToolButton(name);
      const auto [at, fresh] = seen.emplace(std::pair{down.Parent, down.GroupIndex}, name);
      ASSERT_TRUE(fresh) << name << " and " << at->second << " after step " << i;
    }
  }
}

TEST_F(ToolStateTest, ReleaseNoteModifiersLeavesTheValue) {
  for (std::string_view name :
       {"CBNote8", "CBDiesis", "CBLong", "CBStaccato", "CBTremolo", "CBTreole", "CBBracketStyle"})
    tools.Click(name);
  tools.ReleaseNoteModifiers();
  EXPECT_EQ(Shown(), "down: CBNote8 | tool NOTE8 | ghost | 16");
}

TEST_F(ToolStateTest, PageCommandsActivateTheirPages) {
  CommandRegistry registry;
  AddToolPageCommands(registry, [this] { return &tools; });
  const std::map<std::string, std::pair<char, ToolPage>> commands = {
      {"tools.notes", {'N', ToolPage::Notes}},       {"tools.symbols", {'S', ToolPage::Symbols}},
      {"tools.expanded", {'E', ToolPage::Expanded}}, {"tools.expressions", {'T', ToolPage::Expressions}},
      {"tools.chords", {'C', ToolPage::Chords}},     {"tools.design", {'D', ToolPage::Design}},
      {"tools.piano", {'P', ToolPage::Piano}},       {"tools.guitar", {'G', ToolPage::Guitar}},
      {"tools.modify", {'M', ToolPage::Modify}},     {"tools.navigator", {'V', ToolPage::Navigator}}};
  ASSERT_EQ(commands.size(), static_cast<std::size_t>(kToolPageCount)) << "every page has its command";
  for (const auto& [id, keyAndPage] : commands) {
    ASSERT_TRUE(registry.Run(id)) << id;
    EXPECT_EQ(tools.ActivePage(), keyAndPage.second) << id;
    EXPECT_EQ(settings.ToolsActive, static_cast<int>(keyAndPage.second)) << id;
    EXPECT_EQ(registry.IsChecked(id), true) << id;
    EXPECT_EQ(registry.Find(id)->DefaultShortcut, (Shortcut{static_cast<std::uint16_t>(keyAndPage.first), ssAlt}))
        << id;
  }
  tools.SetDown("CBForte", true);
  registry.Run("tools.symbols");
  EXPECT_EQ(sink.Tool, "FORTE") << "activation chooses the page's tool again";
}

TEST_F(ToolStateTest, PageCommandsWaitForTheToolState) {
  CommandRegistry registry;
  ToolState* state = nullptr;
  AddToolPageCommands(registry, [&state] { return state; });
  EXPECT_FALSE(registry.IsEnabled("tools.symbols"));
  EXPECT_FALSE(registry.Run("tools.symbols"));
  EXPECT_EQ(registry.IsChecked("tools.notes"), false);
  state = &tools;
  ASSERT_TRUE(registry.Run("tools.symbols"));
  EXPECT_EQ(tools.ActivePage(), ToolPage::Symbols);
}

// Rows of the palette tables: where a button sits and what its click gives.
struct ButtonRow {
  const char* Name;
  ToolPanel Parent;
  int Group;
  const char* Hint;
  const char* Tool;
};

class ButtonTable : public ToolStateTest, public ::testing::WithParamInterface<ButtonRow> {};

TEST_P(ButtonTable, PlacesTheButtonAndNamesItsTool) {
  const ButtonRow& row = GetParam();
  const ToolButton* button = FindToolButton(row.Name);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Parent, row.Parent);
  EXPECT_EQ(button->GroupIndex, row.Group);
  EXPECT_TRUE(button->AllowAllUp);
  EXPECT_EQ(button->Hint, row.Hint);
  tools.SetActivePage(button->Page);
  tools.Click(row.Name);
  EXPECT_EQ(sink.Tool, row.Tool);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ButtonTable,
    ::testing::Values(ButtonRow{"CBEraseNotes", ToolPanel::TSNotes, 1, "Erase <E>", "ERASE"},
                      ButtonRow{"CBNote", ToolPanel::SPNotes, 1, "Note (Enter+1)", "NOTE"},
                      ButtonRow{"CBPause64", ToolPanel::SPNotes, 1, "1/64 Rest (Space+7)", "PAUSE64"},
                      ButtonRow{"CBVorschlag", ToolPanel::SPNotes, 1, "Grace notes <V>", "VORSCHLAG"},
                      ButtonRow{"CBRepeatNote", ToolPanel::SPNotes, 1, "Repeat Bars", "REPEATNOTE"},
                      ButtonRow{"CBNoteDown", ToolPanel::SPNotes, 1, "Ottava Down  (Ottava bassa)", "OTTAVAB"},
                      ButtonRow{"CBDDiesis", ToolPanel::SPNotes, 2, "Double-Shart (Diesis) <D>", "DOUBLEDIESIS"},
                      ButtonRow{"CBDLong", ToolPanel::SPNotes, 3, "Double Dot <U>", "LONG2"},
                      ButtonRow{"CBHandDown", ToolPanel::SPNotes, 4, "Hand direction", "HANDDOWN"},
                      ButtonRow{"CBFallDown", ToolPanel::SPNotes, 5, "Fall", "FALLDOWN"},
                      ButtonRow{"CBTremolo", ToolPanel::SPNotes, 6, "Tremolo <T>", "TREMOLO"},
                      ButtonRow{"CBDrumNote", ToolPanel::SPNotes, 9, "Drum note", "DRUMNOTE"},
                      ButtonRow{"CBResetSymbols", ToolPanel::TSSymbols, 2, "Reset add mode <W>", ""},
                      ButtonRow{"CBTopHang", ToolPanel::SPSymbols, 1, "Bottom hang <H>", "BOTTOMHANG"},
                      ButtonRow{"CBFermataDown", ToolPanel::SPSymbols, 1, "Fermatа <R>", "FERMATADOWN"},
                      ButtonRow{"CBAccentRight", ToolPanel::SPSymbols, 1, "Accent (Accentus)<A>", "ACCEPTRIGHT"},
                      ButtonRow{"CBWedgePressurePercussive2", ToolPanel::SPSymbols, 1, "Wedge Pressure/Percussive",
                                "WEDGEPRESSUREPERCUSSIVE2"},
                      ButtonRow{"CB8String", ToolPanel::SPSymbols, 1, "8th String", "8STRING"},
                      ButtonRow{"CBBendUpReleaseOverTime", ToolPanel::SPSymbols, 1, "Bend-Up Release Over Time",
                                "BENDUP"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace nv::document
