#include "editor/played_note_display.h"

#include <gtest/gtest.h>

#include <thread>

#include "editor/guitar_tuning.h"
#include "support/manual_ui_thread.h"

namespace nv::editor {
namespace {

using document::PlayedNote;
using document::ToolPage;

// The piano and the six-string fretboard of the tool pages.
struct Pages {
  KeyboardModel piano;
  FretboardModel board;
  int fretReports = 0;
  Pages() {
    piano.SetClientSize(600, 80);
    board.SetClientSize(800, 72);
    board.SetFretCount(24);
    board.OnFretChanged = [this](int, int, int) { ++fretReports; };
  }
  PlayedNoteDisplay Display() { return {piano, board, OpenStringKeys(0)}; }
  int PianoMarks() const {
    int marks = 0;
    for (int i = 0; i < KeyboardModel::kWhiteKeys; ++i) marks += (piano.WhiteMark(i) != 0) + (piano.BlackMark(i) != 0);
    return marks;
  }
};

TEST(PlayedNoteDisplay, ThePageInViewShowsTheNote) {
  Pages p;
  ShowPlayedNote(p.Display(), {PlayedNote::kOn, 64}, true, ToolPage::Guitar);
  EXPECT_EQ(p.board.GetFret(3), 3);  // E on the D string (open 62), fret 2
  // A repeated note-on keeps its fret; nothing is written into the score.
  ShowPlayedNote(p.Display(), {PlayedNote::kOn, 64}, true, ToolPage::Guitar);
  EXPECT_EQ(p.board.GetFret(3), 3);
  EXPECT_EQ(p.fretReports, 0);
  EXPECT_EQ(p.PianoMarks(), 0);
  // The string shows another key by now: that key's note-off clears it, the old one's does not.
  ShowPlayedNote(p.Display(), {PlayedNote::kOn, 65}, true, ToolPage::Guitar);
  ShowPlayedNote(p.Display(), {PlayedNote::kOff, 64}, true, ToolPage::Guitar);
  EXPECT_EQ(p.board.GetFret(3), 4);
  ShowPlayedNote(p.Display(), {PlayedNote::kOff, 65}, true, ToolPage::Guitar);
  EXPECT_EQ(p.board.GetFret(3), 0);

  ShowPlayedNote(p.Display(), {PlayedNote::kOn, 60}, true, ToolPage::Piano);
  ShowPlayedNote(p.Display(), {PlayedNote::kOn, 64}, true, ToolPage::Piano);
  EXPECT_EQ(p.PianoMarks(), 2);
  ShowPlayedNote(p.Display(), {PlayedNote::kOff, 60}, true, ToolPage::Piano);
  EXPECT_EQ(p.PianoMarks(), 1);
  // The end of track clears every mark, whatever page or setting.
  ShowPlayedNote(p.Display(), {PlayedNote::kEndOfTrack, 0}, false, ToolPage::Notes);
  EXPECT_EQ(p.PianoMarks(), 0);
}

TEST(PlayedNoteDisplay, NothingShowsWhenSwitchedOffOrOnAnotherPage) {
  Pages p;
  ShowPlayedNote(p.Display(), {PlayedNote::kOn, 64}, false, ToolPage::Piano);
  ShowPlayedNote(p.Display(), {PlayedNote::kOn, 64}, true, ToolPage::Notes);
  EXPECT_EQ(p.PianoMarks(), 0);
  EXPECT_EQ(p.board.GetFret(3), 0);
}

TEST(PlayedNoteDisplay, AThousandNotesFromThePlayThreadLeaveNoMark) {
  Pages p;
  ManualUiThread ui;
  document::PlayedNotes notes(ui, [&](const PlayedNote& note) {
    ShowPlayedNote(p.Display(), note, true, ToolPage::Piano);
  });
  std::thread play([&] {
    for (int i = 0; i < 1000; ++i) {
      const auto key = static_cast<std::uint8_t>(21 + i % 88);
      notes.Push({PlayedNote::kOn, key});
      notes.Push({PlayedNote::kOff, key});
    }
  });
  // The GUI thread shows what has come while the play thread goes on.
  for (int i = 0; i < 50; ++i) ui.RunPending();
  play.join();
  ui.RunPending();
  EXPECT_EQ(p.PianoMarks(), 0);
}

}  // namespace
}  // namespace nv::editor
