#include "document/note_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "document/program_settings.h"
#include "document/tool_state.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/row.h"
#include "support/edit_harness.h"
#include "tool_fakes.h"

namespace nv::document {
namespace {

using Calls = std::vector<std::string>;
using Previews = std::vector<std::tuple<int, int, int>>;  // key, length, mode

struct Host : NoteEntryHost {
  ScoreEdits* edits = nullptr;
  Previews previews;
  ScoreEdits* ActiveEdits() override { return edits; }
  void PreviewNote(int key, int length, int mode) override { previews.emplace_back(key, length, mode); }
};

class NoteEntryTest : public ::testing::Test {
 protected:
  NoteEntryTest() {
    tools.SetActivePage(ToolPage::Piano);
    host.edits = &edits;
  }
  // Presses exactly these piano buttons (CBKNote is down from the start).
  void Down(std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) tools.SetDown(name, true);
  }

  ProgramSettings settings;
  ToolState tools{settings};
  tool_fakes::RecordingEdits edits;
  Host host;
  NoteEntry entry{tools, host};
};

TEST_F(NoteEntryTest, AKeyWritesItsNoteWithThePianoButtonsDown) {
  EXPECT_TRUE(tools.IsDown("CBKNote"));
  struct Case {
    std::initializer_list<std::string_view> down;
    int octave, note, tone;
    std::string written;
  };
  const Case cases[] = {
      {{}, 5, 0, 1, "InsertNote(1, 5, 32, [0,0,0,0,0,0,0,0,0], 0, 0, 0, 1)"},
      {{}, 5, 1, 1, "InsertNote(1, 5, 32, [105,0,0,0,0,0,0,0,0], 0, 0, 0, 1)"},
      // The flat button spells the key after C as D flat; E flat stays E flat.
      {{"CBKBemol"}, 5, 1, 1, "InsertNote(2, 5, 32, [103,0,0,0,0,0,0,0,0], 0, 0, 0, 1)"},
      {{"CBKBemol"}, 5, -1, 3, "InsertNote(3, 5, 32, [103,0,0,0,0,0,0,0,0], 0, 0, 0, 1)"},
      {{"CBKBemol"}, 5, 0, 4, "InsertNote(4, 5, 32, [0,0,0,0,0,0,0,0,0], 0, 0, 0, 1)"},
      {{"CBKDiesis"}, 5, -1, 7, "InsertNote(7, 5, 32, [103,0,0,0,0,0,0,0,0], 0, 0, 0, 1)"},
      {{"CBKBecarre"}, 5, 1, 4, "InsertNote(4, 5, 32, [107,0,0,0,0,0,0,0,0], 0, 0, 0, 1)"},
      {{"CBKLong", "CBKStaccato"}, 4, 0, 5, "InsertNote(5, 4, 32, [0,101,109,0,0,0,0,0,0], 0, 0, 0, 1)"},
      {{"CBKDLong", "CBKPortamento", "CBKDrumNote"}, 4, 0, 5,
       "InsertNote(5, 4, 32, [0,102,108,0,0,0,122,0,0], 0, 0, 0, 1)"},
      {{"CBKTremolo", "CBKTreole", "CBKBlankNote"}, 4, 0, 5,
       "InsertNote(5, 4, 32, [0,0,0,0,112,3,123,0,0], 0, 0, 0, 1)"},
  };
  for (const Case& c : cases) {
    ProgramSettings fresh;
    ToolState state{fresh};
    state.SetActivePage(ToolPage::Piano);
    state.UpDown(UpDownId::KTremolo).Set(3);
    state.UpDown(UpDownId::KTreole).Set(3);
    for (std::string_view name : c.down) state.SetDown(name, true);
    tool_fakes::RecordingEdits written;
    Host to;
    to.edits = &written;
    NoteEntry(state, to).PianoKeyClick(c.octave, c.note, c.tone, 2);
    EXPECT_EQ(written.Calls, Calls{c.written}) << c.written;
  }
}

TEST_F(NoteEntryTest, ARestCarriesNoModifiersWhateverIsDown) {
  Down({"CBKPause", "CBKBecarre", "CBKLong", "CBKStaccato", "CBKTremolo", "CBKTreole", "CBKDrumNote"});
  entry.PianoKeyClick(5, 1, 1, 2);
  EXPECT_EQ(edits.Calls, Calls{"InsertRest(32, [0,0,0,0,0,0,0,0,0])"});
  EXPECT_TRUE(host.previews.empty());
}

TEST_F(NoteEntryTest, DurationPositionsGiveTheNoteValues) {
  for (int position = 0; position < 7; ++position) EXPECT_EQ(PianoDuration(position), 128 >> position);
  EXPECT_EQ(PianoDuration(-1), 128);
  EXPECT_EQ(PianoDuration(9), 2);
}

TEST_F(NoteEntryTest, ThePreviewSoundsTheWrittenNoteInTheKey) {
  edits.KeyAccidentals[4] = 1;  // G major: F is sharp
  entry.PianoKeyClick(5, 0, 4, 2);  // F: the key makes it F sharp
  tools.SetDown("CBKBecarre", true);
  entry.PianoKeyClick(5, 0, 4, 2);  // a natural F
  tools.SetDown("CBKBemol", true);
  entry.PianoKeyClick(5, 1, 1, 3);  // C sharp written D flat
  entry.PianoKeyClick(5, -1, 3, 3);  // E flat as it is
  EXPECT_EQ(host.previews, (Previews{{66, 32, 0}, {65, 32, 0}, {61, 16, 0}, {63, 16, 0}}));
  settings.PlayKeyboard = false;
  entry.PianoKeyClick(5, 0, 1, 2);
  EXPECT_EQ(host.previews.size(), 4u);
}

TEST_F(NoteEntryTest, NothingIsWrittenOnAnotherPageOrWithoutADocument) {
  tools.SetActivePage(ToolPage::Notes);
  entry.PianoKeyClick(5, 0, 1, 2);
  tools.SetActivePage(ToolPage::Piano);
  host.edits = nullptr;
  entry.PianoKeyClick(5, 0, 1, 2);
  entry.GuitarChord({76, 0, 0, 0, 0, 0});
  EXPECT_TRUE(edits.Calls.empty());
  EXPECT_TRUE(host.previews.empty());
}

TEST_F(NoteEntryTest, AChordPreviewsFirstFurtherAndLast) {
  settings.GuitarDuration = 64;
  entry.GuitarChord({76, 0, 67, 62, 0, 0});
  entry.GuitarChord({0, 0, 0, 0, 57, 0});
  EXPECT_EQ(edits.Calls, (Calls{"ReplaceWithChordNotes([76,0,67,62,0,0], 64)", "ReplaceWithChordNotes([0,0,0,0,57,0], 64)"}));
  EXPECT_EQ(host.previews, (Previews{{76, 64, 0}, {67, 64, 1}, {62, 64, 2}, {57, 64, 3}}));
}

TEST_F(NoteEntryTest, GuitarDurationDoublesAndWraps) {
  EXPECT_EQ(NextGuitarDuration(2), 4);
  EXPECT_EQ(NextGuitarDuration(32), 64);
  EXPECT_EQ(NextGuitarDuration(64), 2);
  EXPECT_EQ(NextGuitarDuration(128), 2);
  EXPECT_EQ(NextGuitarDuration(0), 2);
}

TEST_F(NoteEntryTest, TheCommandsRunTheEntryAndReportItsErrors) {
  struct Errors : ErrorReporter {
    std::vector<std::string> seen;
    void Report(const std::string& id, const std::string&) override { seen.push_back(id); }
  } errors;
  CommandRegistry registry;
  registry.SetReporter(&errors);
  AddNoteEntryCommands(registry, entry);
  EXPECT_TRUE(registry.Run("piano.key", {"5", "0", "5", "3"}));
  EXPECT_TRUE(registry.Run("guitar.chord", {"76", "71"}));
  EXPECT_EQ(edits.Calls, (Calls{"InsertNote(5, 5, 16, [0,0,0,0,0,0,0,0,0], 0, 0, 0, 1)", "ReplaceWithChordNotes([76,71], 16)"}));
  edits.Fail = true;
  EXPECT_FALSE(registry.Run("piano.key", {"5", "0", "5", "3"}));
  EXPECT_FALSE(registry.Run("piano.key", {"5"}));
  EXPECT_EQ(errors.seen, (std::vector<std::string>{"piano.key", "piano.key"}));
}

// The same through the score's own calls on a score in G major.
TEST(NoteEntryOnAScore, WritesSpelledNotesAndChordsAtTheCursor) {
  edit_harness::EditFixture fixture(1, 2);
  TECMusicScore& score = fixture.score();
  score.SetCursorPosition(0);
  score.SetKeySignatureAtCursor(1);
  ProgramSettings settings;
  ToolState tools{settings};
  tools.SetActivePage(ToolPage::Piano);
  tools.SetDown("CBKBemol", true);
  ScoreEditCalls calls(score);
  Host host;
  host.edits = &calls;
  NoteEntry entry(tools, host);
  entry.PianoKeyClick(5, 1, 1, 2);
  const TECMeasure& first = fixture.measure(0);
  ASSERT_EQ(first.Notes.size(), 1u);
  const TECNote& flat = *first.Notes[0];
  EXPECT_EQ(flat.Kind, ek::NoteC + 1);  // D
  EXPECT_EQ(flat.Length, 32);
  ASSERT_FALSE(flat.Attributes.empty());
  EXPECT_EQ(flat.Attributes[0]->Kind, 103);
  EXPECT_EQ(host.previews, (Previews{{61, 32, 0}}));
  const std::size_t steps = score.UndoCount();
  EXPECT_GE(steps, 1u);

  // A chord of two strings after it, one undo step.
  settings.GuitarDuration = 32;
  entry.GuitarChord({76, 0, 0, 0, 57, 0});
  std::vector<int> heights;
  for (const auto& note : fixture.measure(0).Notes)
    if (note->Start != 0) heights.push_back(note->Diatonic());
  std::sort(heights.begin(), heights.end());
  EXPECT_EQ(heights, (std::vector<int>{4 * 7 + 6, 6 * 7 + 3}));  // A4 and E6
  EXPECT_EQ(score.UndoCount(), steps + 1);
}

}  // namespace
}  // namespace nv::document
