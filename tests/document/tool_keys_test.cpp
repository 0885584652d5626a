#include "document/tool_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/click_insert.h"
#include "document/program_settings.h"
#include "document/tool_buttons.h"
#include "document/tool_state.h"
#include "tool_fakes.h"

namespace nv::document {
namespace {

using Calls = std::vector<std::string>;

struct KeyHost : ToolKeyHost {
  ClickInserter* Inserter = nullptr;
  bool PianoFocus = false;
  int DurationPosition = 2;
  std::vector<std::string> Help;
  std::vector<std::uint16_t> ScoreKeys;

  void ShowHelpTopic(const std::string& topic) override { Help.push_back(topic); }
  ClickInserter* ActiveInserter() override { return Inserter; }
  bool PianoKeyboardHasFocus() const override { return PianoFocus; }
  int PianoDurationPosition() const override { return DurationPosition; }
  void CallKeyDown(std::uint16_t key, TECShiftState) override { ScoreKeys.push_back(key); }
};

class ToolKeysTest : public ::testing::Test {
 protected:
  ToolKeysTest() {
    tools.SetSink(&sink);
    tools.SetDocumentActive(true);
    host.Inserter = &inserter;
  }

  void Type(std::initializer_list<std::uint16_t> keys, TECShiftState shift = 0) {
    for (std::uint16_t key : keys) {
      keys_.KeyDown(key, shift, false);
      keys_.KeyUp(key, shift);
    }
  }
  // The buttons down on the active page besides its pointer and reset buttons.
  std::string Down() const {
    std::string text;
    for (std::string_view name : tools.DownButtons()) {
      const ToolButton& button = *FindToolButton(name);
      if (button.Page == tools.ActivePage() && button.Family != ClickFamily::Pointer)
        text += (text.empty() ? "" : " ") + std::string(name);
    }
    return text;
  }

  ProgramSettings settings;
  ToolState tools{settings};
  tool_fakes::RecordingSink sink;
  tool_fakes::RecordingEdits edits;
  tool_fakes::ScriptedDialogs dialogs;
  tool_fakes::RecordingHost clickHost;
  ClickInserter inserter{tools, edits, dialogs, clickHost};
  KeyHost host;
  ToolKeys keys_{tools, host};
};

TEST_F(ToolKeysTest, EnterAndADigitInsertOneNoteAtTheCursor) {
  keys_.KeyDown(vk::Return, 0, false);
  keys_.KeyUp(vk::Return, 0);
  EXPECT_TRUE(edits.Calls.empty());
  keys_.KeyDown('3', 0, false);
  EXPECT_EQ(sink.Tool, "NOTE4");
  EXPECT_TRUE(edits.Calls.empty()) << "the note goes in when the key is released";
  keys_.KeyUp('3', 0);
  EXPECT_EQ(edits.Calls, Calls{"InsertNote(1, 5, 32, [0,0,0,0,0,0,0,0,0], 0, 0, 0, 0)"});
  EXPECT_TRUE(tools.IsDown("CBPointNotes"));
  EXPECT_EQ(sink.Tool, "");
  EXPECT_FALSE(sink.Ghost);
  keys_.KeyUp('3', 0);
  EXPECT_EQ(edits.Calls.size(), 1u) << "once";
}

TEST_F(ToolKeysTest, SpaceAndADigitInsertARest) {
  Type({vk::Space, '4'});
  EXPECT_EQ(edits.Calls, Calls{"InsertRest(16, [0,0,0,0,0,0,0,0,0])"});
}

TEST_F(ToolKeysTest, ADigitAloneSwitchesTheValueThatIsDown) {
  Type({'3'});
  EXPECT_EQ(Down(), "");
  tools.Click("CBNote2");
  Type({'3'});
  EXPECT_EQ(Down(), "CBNote4");
  EXPECT_EQ(sink.Tool, "NOTE4");
  tools.Click("CBPause2");
  Type({'5'});
  EXPECT_EQ(Down(), "CBPause16");
  EXPECT_TRUE(edits.Calls.empty());
}

struct Cycle {
  char Key;
  std::vector<std::string> Steps;
};

class NotesCycles : public ToolKeysTest, public ::testing::WithParamInterface<Cycle> {};

TEST_P(NotesCycles, RunThroughTheirButtonsBackToNone) {
  for (const std::string& expected : GetParam().Steps) {
    Type({static_cast<std::uint16_t>(GetParam().Key)});
    EXPECT_EQ(Down(), expected);
  }
  EXPECT_TRUE(tools.IsDown("CBPointNotes")) << "the last step returns to the pointer";
}

INSTANTIATE_TEST_SUITE_P(Keys, NotesCycles,
                         ::testing::Values(Cycle{'B', {"CBBemol", "CBDBemol", ""}},
                                           Cycle{'D', {"CBDiesis", "CBDDiesis", ""}},
                                           Cycle{'R', {"CBBecarre", "CBBecarreBemol", "CBBecarreDiesis", ""}},
                                           Cycle{'U', {"CBLong", "CBDLong", ""}},
                                           Cycle{'L', {"CBLigaUp", "CBLigaDown", ""}}),
                         [](const auto& info) { return std::string(1, info.param.Key); });

TEST_F(ToolKeysTest, NAndPTurnRestsAndNotesIntoEachOther) {
  Type({'N'});
  EXPECT_EQ(Down(), "CBNote8");
  tools.Click("CBNote16");
  Type({'P'});
  EXPECT_EQ(Down(), "CBPause16");
  EXPECT_EQ(sink.Tool, "PAUSE16");
  Type({'N'});
  EXPECT_EQ(Down(), "CBNote16");
  tools.Click("CBTone");
  Type({'P'});
  EXPECT_EQ(Down(), "CBPause8");
}

TEST_F(ToolKeysTest, ShiftedLettersInsertOnce) {
  Type({'N'}, ssShift);
  EXPECT_EQ(edits.Calls, Calls{"SetKeySignatureAtCursor(0)"});
  Type({'C'}, ssShift);
  EXPECT_EQ(edits.Calls.back(), "SetClefAtCursor(1)");
  EXPECT_TRUE(tools.IsDown("CBPointNotes"));
}

TEST_F(ToolKeysTest, TupletAndTremoloCountsStepAndWrap) {
  Type({'J'});
  EXPECT_TRUE(tools.IsDown("CBTreole"));
  tools.UpDown(UpDownId::Treole).Set(10);
  Type({'J'});
  EXPECT_EQ(tools.UpDown(UpDownId::Treole).Position, 2);
  Type({'T'});
  tools.UpDown(UpDownId::Tremolo).Set(4);
  Type({'T'});
  EXPECT_EQ(tools.UpDown(UpDownId::Tremolo).Position, 1);
  Type({'T'});
  EXPECT_EQ(tools.UpDown(UpDownId::Tremolo).Position, 2);
}

TEST_F(ToolKeysTest, TogglesAndPointer) {
  Type({'S'});
  EXPECT_EQ(Down(), "CBStaccato");
  Type({'S'});
  EXPECT_EQ(Down(), "");
  Type({'E'});
  EXPECT_EQ(Down(), "CBEraseNotes");
  Type({'Q'});
  EXPECT_EQ(Down(), "");
  Type({'W'});
  EXPECT_TRUE(tools.IsDown("CBResetNotes"));
}

TEST_F(ToolKeysTest, SymbolLettersWalkTheirGroupThenThePointer) {
  tools.SetActivePage(ToolPage::Symbols);
  std::vector<std::string> steps;
  for (int i = 0; i < 4; ++i) {
    Type({'F'});
    steps.push_back(Down());
  }
  EXPECT_EQ(steps, (std::vector<std::string>{"CBForte", "CBFortissimo", "CBFortississimo", ""}));
  EXPECT_TRUE(tools.IsDown("CBPointSymbols"));
  Type({'3', '3'});
  EXPECT_EQ(Down(), "");
  Type({'H'});
  EXPECT_EQ(sink.Tool, "TOPHANG");
  Type({'Z'}, ssShift);
  EXPECT_EQ(edits.Calls, Calls{"AddMeasureSymbol(164, 0, 1, 5, 0)"});
  EXPECT_EQ(Down(), "") << "a symbol inserted once goes up";
  EXPECT_TRUE(edits.Calls.size() == 1);
}

TEST_F(ToolKeysTest, AltDigitsAreLeftToTheCommands) {
  tools.Click("CBNote2");
  EXPECT_FALSE(keys_.KeyDown('3', ssAlt, false));
  EXPECT_EQ(Down(), "CBNote2");
  keys_.KeyDown(vk::Return, 0, false);
  keys_.KeyDown('3', ssAlt, false);
  keys_.KeyUp('3', ssAlt);
  EXPECT_TRUE(edits.Calls.empty());
}

TEST_F(ToolKeysTest, PianoPage) {
  tools.SetActivePage(ToolPage::Piano);
  Type({vk::Space});
  EXPECT_EQ(edits.Calls, Calls{"InsertRest(32, [0,0,0,0,0,0,0,0,0])"});
  Type({vk::Return});
  EXPECT_TRUE(tools.IsDown("CBKNote"));
  EXPECT_FALSE(keys_.KeyDown(vk::Left, 0, false));
  EXPECT_TRUE(host.ScoreKeys.empty());
  host.PianoFocus = true;
  EXPECT_TRUE(keys_.KeyDown(vk::Left, 0, false));
  EXPECT_FALSE(keys_.KeyDown(vk::Right, ssCtrl, false));
  EXPECT_FALSE(keys_.KeyDown('A', 0, false));
  EXPECT_EQ(host.ScoreKeys, std::vector<std::uint16_t>{vk::Left});
}

TEST_F(ToolKeysTest, OtherPagesInsertAtTheCursorPitch) {
  tools.SetActivePage(ToolPage::Chords);
  edits.PitchLine = 37;  // E of octave 5
  Type({'2'});
  EXPECT_TRUE(edits.Calls.empty()) << "no prefix";
  Type({vk::Return, '2'});
  Type({vk::Space, '0'});
  EXPECT_EQ(edits.Calls, (Calls{"InsertNoteAtCursorPitch(32)", "InsertRest(128, [0,0,0,0,0,0,0,0,0])"}));
  ASSERT_EQ(clickHost.Previews.size(), 1u);
  EXPECT_EQ(clickHost.Previews[0], (std::array<int, 3>{64, 16, 1}));
}

TEST_F(ToolKeysTest, DesignLettersToggleUnlessATextIsEdited) {
  tools.SetActivePage(ToolPage::Design);
  Type({'L'});
  EXPECT_EQ(Down(), "CBLine");
  Type({'L'});
  EXPECT_EQ(Down(), "");
  keys_.KeyDown(vk::Return, 0, true);
  keys_.KeyDown('T', 0, true);
  EXPECT_EQ(Down(), "");
  Type({'T'});
  EXPECT_EQ(Down(), "CBText");
}

TEST_F(ToolKeysTest, F1OpensTheHelp) {
  keys_.KeyDown(vk::F1, 0, false);
  EXPECT_EQ(host.Help, std::vector<std::string>{"Entrance"});
}

TEST_F(ToolKeysTest, NoInsertWithoutADocument) {
  host.Inserter = nullptr;
  Type({vk::Return, '3'});
  EXPECT_TRUE(edits.Calls.empty());
  EXPECT_FALSE(keys_.InsertOnce());
}

}  // namespace
}  // namespace nv::document
