// A score imported from MIDI shows its track names left of the staves: no
// name lies over a staff's first note, and a click on each first note
// selects that note.
#include <gtest/gtest.h>

#include "formats/midi_fixtures.h"
#include "platform/recording_canvas.h"
#include "support/drawn_places.h"

namespace {

using drawn_places::Centre;

bool Overlap(const TECElementBox& a, const TECElementBox& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TEST(ImportedNames, AClickOnEachFirstNoteSelectsThatNote) {
  TECMusicScore score;
  midi_fixtures::Import(score, midi_fixtures::FromCsv("0, 0, Header, 1, 3, 480\n"
                                                      "1, 0, Start_track\n1, 0, End_track\n"
                                                      "2, 0, Start_track\n2, 0, Title_t, \"Flute\"\n"
                                                      "2, 0, Note_on_c, 0, 72, 90\n2, 480, Note_off_c, 0, 72, 0\n"
                                                      "2, 480, End_track\n"
                                                      "3, 0, Start_track\n3, 0, Title_t, \"Piano\"\n"
                                                      "3, 0, Note_on_c, 1, 48, 90\n3, 480, Note_off_c, 1, 48, 0\n"
                                                      "3, 480, End_track\n0, 0, End_of_file\n"));
  ASSERT_EQ(score.InstrumentCount(), 1);
  TECInstrument& instrument = *score.GetInstrumentAt(0);
  ASSERT_EQ(instrument.GetRowCount(), 2);
  score.LayoutScore(0, false);
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(800, 600));
  score.DrawPage(canvas, score.GetZoom(), score.GetZoom());
  for (int r = 0; r < 2; ++r) {
    const TECMeasure& measure = *instrument.GetRow(r)->GetMeasure(0);
    TECNote* first = measure.Notes.front().get();
    for (const auto& item : measure.Items) EXPECT_FALSE(Overlap(item->Box, first->Box)) << r << " kind " << +item->Kind;
    ASSERT_TRUE(score.SelectAtPoint(Centre(first->HeadBox), true, true)) << r;
    ASSERT_EQ(score.Selection.size(), 1u) << r;
    EXPECT_EQ(score.Selection[0].Elements, std::vector<TECElement*>{first}) << r;
  }
}

}  // namespace
