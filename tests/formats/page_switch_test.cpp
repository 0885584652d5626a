// A page switch lays out the page shown, not every page after it; the
// layout it leaves equals a full layout of the score.
#include <gtest/gtest.h>

#include <sstream>

#include "model/instrument.h"
#include "model/model_dump.h"
#include "model/music_score.h"
#include "model/row.h"
#include "platform/recording_canvas.h"
#include "score_fixtures.h"

namespace {

// What a layout leaves: the records, the page tables, the systems, the
// active page's own state and how it draws.
std::string LaidOut(TECMusicScore& score) {
  std::ostringstream out;
  out << DumpScore(score);
  for (const int start : score.PageStarts()) out << start << ' ';
  out << '\n';
  for (const int bar : score.PageBars()) out << bar << ' ';
  out << '\n';
  for (const TECRowInfo& system : score.CurrentInstrument()->Systems)
    out << system.Page << '/' << int(system.MeasureCount) << ' ';
  const TECPageLayout& pages = score.PageLayout;
  out << "\nfirst system " << pages.FirstSystem << " systems " << pages.SystemCount << " interval " << pages.Interval
      << "\n";
  for (const std::uint32_t bar : pages.BarNumbers) out << bar << ' ';
  nv::platform::RecordingCanvas canvas;
  score.DrawPage(canvas, 100, 100);
  for (const std::string& line : canvas.lines()) out << line << '\n';
  return out.str();
}

// A score of many pages whose every measure changes clef, key and time and
// holds every kind of element, so that each page starts from state carried
// over from the page before.
TEST(PageSwitch, SteppingThroughEveryPageLeavesAFullLayout) {
  TECMusicScore score;
  score.LayoutSuspended = true;
  TECRow* row = score.AppendInstrument()->AppendRow();
  for (int m = 0; m < 120; ++m) score_fixtures::FillMeasure(*row->AddMeasure());
  score.LayoutSuspended = false;
  score.LayoutScore(0, false);
  const int pages = score.CurrentInstrument()->PageCount();
  ASSERT_GT(pages, 10);
  for (int p = 1; p < pages; ++p) score.SetActivePage(p);
  EXPECT_EQ(score.GetActivePage(), pages - 1);
  std::string stepped = LaidOut(score);
  score.LayoutScore(0, false);
  EXPECT_EQ(LaidOut(score), stepped);
  // And back towards the start.
  for (int p = pages - 2; p >= pages / 2; --p) score.SetActivePage(p);
  stepped = LaidOut(score);
  score.LayoutScore(0, false);
  EXPECT_EQ(LaidOut(score), stepped);
}

}  // namespace
