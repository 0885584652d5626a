// With automatic velocities on, notes entered after a dynamic mark sound at
// that mark, whichever way they are entered.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "playback/play_fixtures.h"
#include "playback/play_list_builder.h"
#include "playback/score_play_preparation.h"
#include "model/chord_entry.h"
#include "platform/clipboard.h"
#include "support/edit_harness.h"

namespace {

using edit_harness::EditFixture;

constexpr int kForte = 165;
constexpr int kPiano = 161;

// The velocities of the play-list dump, in step and event order.
std::string PlayedVelocities(TECMusicScore& score) {
  const std::string dump = BuildPlayEvents(score)->Dump();
  std::string velocities;
  const std::regex velocity(" vel (\\d+) ");
  for (auto it = std::sregex_iterator(dump.begin(), dump.end(), velocity); it != std::sregex_iterator(); ++it)
    velocities += (velocities.empty() ? "" : " ") + (*it)[1].str();
  return velocities;
}

class VelocityAfterEntry : public ::testing::Test {
 protected:
  VelocityAfterEntry() : f_(1, 2) {
    play_fixtures::AnswerSettings(f_.score());  // f = 100, p = 40
    f_.score().AutoVelocity = true;
  }

  void Mark(int m, int tick, int kind) {
    f_.score().GoToMeasure(m);
    f_.score().SetCursorPosition(tick);
    f_.score().AddMeasureSymbol(kind, 0, 0, 0, 0);
  }

  EditFixture f_;
};

TEST_F(VelocityAfterEntry, NotesEnteredAfterADynamicSoundAtIt) {
  Mark(0, 0, kForte);
  f_.Enter(0, 0, 0, 1, 5, 32);
  f_.Enter(0, 0, 32, 2, 5, 32);
  EXPECT_EQ(PlayedVelocities(f_.score()), "100 100");
  // A "p" after them leaves them at "f"; what is entered after it plays
  // "p", chords as well.
  Mark(0, 64, kPiano);
  f_.Enter(0, 0, 64, 3, 5, 32);
  f_.score().GoToMeasure(1);
  f_.score().SetCursorPosition(0);
  f_.score().ReplaceWithChordNotes({TECChordEntry{60}, TECChordEntry{64}}, false, 64);
  EXPECT_EQ(PlayedVelocities(f_.score()), "100 100 40 40 40");
}

TEST_F(VelocityAfterEntry, PastedNotesSoundAtTheDynamicBeforeThem) {
  nv::platform::MemoryClipboard clipboard;
  nv::platform::installClipboard(&clipboard);
  Mark(0, 0, kForte);
  // A note put in as it stands and copied: pasted after the "f" it plays at 100.
  TECNote* copied = f_.Note(0, 1, 1, 5, 32, 0);
  f_.score().SelectElement(copied, 0);
  ASSERT_TRUE(f_.score().CopyToClipboard());
  f_.score().GoToMeasure(0);
  f_.score().SetCursorPosition(32);
  ASSERT_TRUE(f_.score().PasteFromClipboard());
  nv::platform::installClipboard(nullptr);
  EXPECT_EQ(PlayedVelocities(f_.score()), "100 100");
}

TEST_F(VelocityAfterEntry, SwitchedOffTheEntryKeepsItsVelocity) {
  Mark(0, 0, kForte);
  f_.score().AutoVelocity = false;
  f_.Enter(0, 0, 0, 1, 5, 32);
  EXPECT_EQ(PlayedVelocities(f_.score()), "64");
}

}  // namespace
