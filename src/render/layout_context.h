#pragma once

#include <cstdint>
#include <vector>

#include "model/units.h"

class TECInstrument;
class TECMusicScore;

namespace nv::render {

// Spacing modes of a system: every tick its own room, room by note value, or
// a fixed number of measures per system.
enum class SpacingMode : std::uint8_t { Evenly = 0, Proportional = 1, Positional = 2 };

// The spacing of the last measure a pass spaced (Measure -1: none), and what
// it was made from. A measure that no longer fits its system is given back
// and opens the next one; spaced again from the same inputs it comes out
// the same, so the next system takes it from here.
struct LastSpacing {
  int Measure = -1;
  SpacingMode Mode = SpacingMode::Evenly;
  int Density = 0;
  // It holds on pages that begin at or before this measure (see
  // CalcMeasureSpacing).
  int LastPageStart = -1;
  // The clef of every row after the spacing.
  std::vector<std::uint8_t> ClefsAfter;
  // The record's gaps, closing and content width as the rows left them.
  std::vector<std::int32_t> Positions;
  std::int32_t ClosingWidth = 0;
  std::int32_t ContentWidth = 0;
};

// Everything the layout of one instrument shares, handed to the layout of
// every element family: the score and instrument, the conversion factors,
// the page geometry, and the running state that passes from measure to
// measure and from page to page. Widths are base pixels (screen pixels at
// Zoom and Scale 100), heights millimetres.
struct LayoutContext {
  TECMusicScore& Score;
  TECInstrument& Instrument;

  // Zoom x Scale; base pixels become device pixels by x ZoomFactor / 10000.
  int ZoomFactor = 10000;
  int Dpi = 96;
  int VisibleRows = 1;
  // Page geometry at Zoom 100 and Scale 100.
  double UsableHeight = 0;
  double PageTop = 0;
  int Left = 0;
  int RightEdge = 0;
  // Staff height: four staff spaces of 1.5 mm.
  static constexpr double kStaffHeight = 6.0;
  int ActivePage = 0;
  // One past the last measure index of every row, the symbols row and the
  // layout records that hold a user setting: the end of the music. Measures
  // beyond it fill the systems of the pages laid out, as empty measures, but
  // no more than kMostEmptyMeasures a page (however wide and tall the page).
  int MeasureEnd = 0;
  static constexpr int kMostEmptyMeasures = 1024;

  // --- running state ---------------------------------------------------------
  int Page = 0;
  int PageFirstMeasure = 0;
  int System = 0;
  int NextMeasure = 0;
  std::int64_t BarNumber = 0;
  std::int64_t StartTick = 0;
  int MeasureLength = 128;
  int Numerator = 4;
  int Denominator = 4;
  int Rehearsal = 0;
  // Interval between staves on this page and the top of the next system, mm.
  double Interval = 0;
  double SystemY = 0;
  bool PageBreak = false;
  // Measures beyond the end of the music placed on this page.
  int EmptyMeasures = 0;
  // What this pass found comparing measures with the pass before: all
  // matched from MatchFrom on (-1 before the first comparison), and the
  // highest index that did not (-1 none).
  int MatchFrom = -1;
  int Mismatch = -1;
  // The laid-out counters as the measures of this page raised them (-1
  // none): what a pass that stops early takes from the pages it keeps.
  int PageRows = -1;
  int PageAll = -1;
  LastSpacing Spaced{};
  // Off for the reference pass of the layout check, which spaces every
  // measure each time it is laid out.
  bool ReuseSpacing = true;

  // Base pixels to device pixels, kept within 32 bits.
  std::int32_t ToDevice(std::int64_t base) const { return ByZoomFactor(base, ZoomFactor); }
};

}  // namespace nv::render
