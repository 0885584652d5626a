// Note entry whose result shows what the layout pass sets on the measures.
#include <gtest/gtest.h>

#include "model/instrument.h"
#include "model/model_dump.h"
#include "model/note_entry_fixture.h"

namespace {

TEST_F(NoteEntry, DottedHalfAcrossTheBarLineIsTied) {
  // The row has one measure, the only one drawn: the tail makes a second
  // one rather than being cut off, and the cursor follows it.
  At(0, 64);
  score->DrawnMeasureCount = 1;
  ASSERT_NE(Insert(1, 5, 96), nullptr);
  EXPECT_EQ(DumpRow(*row),
            "row 0 name=\"\" program=-1 channel=1 volume=-1 pan=-1 mute=0 voiceMode=0 fiveLine=1 united=0\n"
            "  measure 0 clefInForce=1 keyInForce=0 beamOverride=0 beamGroups=0\n"
            "    note 21 C5 value=64 position=64 length=64 start=64 voice=0 chord=0 flags=0x00 velocity=64 "
            "sounding=0 offset=0x00 options=0x00 extra=0,0,1,0,0 beam=0\n"
            "      linked r0/m1/n0\n"
            "    rest value=64 position=0 length=64 start=0 voice=0 flags=0x00 place=0,0\n"
            "  measure 1 clefInForce=1 keyInForce=0 beamOverride=0 beamGroups=0\n"
            "    note 21 C5 value=32 position=0 length=32 start=0 voice=0 chord=0 flags=0x00 velocity=64 "
            "sounding=0 offset=0x00 options=0x00 extra=0,0,1,0,0 beam=0\n"
            "      link 152 from=r0/m0/n0 offsets=0,0 thickness=4 style=0\n"
            "    rest value=64 position=32 length=64 start=32 voice=0 flags=0x00 place=0,0\n"
            "    rest value=32 position=96 length=32 start=96 voice=0 flags=0x00 place=0,0\n");
  EXPECT_EQ(Cursor(), "1:32");
}

// Four measures of quarters entered from a one-measure score fit the first
// page: no page is appended for a next page that would hold nothing, and the
// cursor stays on the page that shows its measure.
TEST_F(NoteEntry, EnteredQuartersLeaveOnePage) {
  At(0, 0);
  for (int i = 0; i < 16; ++i) ASSERT_NE(Insert(1 + i % 7, 5, 32), nullptr) << i;
  const TECInstrument& instrument = *score->GetInstrumentAt(0);
  EXPECT_EQ(row->MeasureCount(), 4);
  EXPECT_EQ(instrument.PageCount(), 1);
  EXPECT_EQ(score->GetActivePage(), 0);
  EXPECT_EQ(score->PageFirstMeasure(0), 0);
}

}  // namespace
