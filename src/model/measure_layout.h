#pragma once

#include <cstdint>
#include <vector>

class TECRow;
class TECSymbolItem;

// One entry of a measure's dynamics profile: a level (span 0) or a ramp
// from Start to Target over Span ticks, from tick Position of the measure,
// for one row or (Row none) every row of the instrument. The row is only
// compared with a note's row, never followed.
struct TECDynamicsEntry {
  const TECRow* Row = nullptr;
  std::uint16_t Position = 0;
  std::uint8_t Start = 0;
  std::uint8_t Target = 0;
  std::uint16_t Span = 0;
};

// Space that instrument-level symbols reserve at one tick.
struct TECExtentPair {
  std::uint8_t Before = 0;
  std::uint8_t After = 0;
};

// What the layout pass stores for one measure index of an instrument: widths
// in base pixels, the x of every tick, bar number, system and page.
struct TECMeasureLayout {
  std::int32_t HeaderWidth = 0;
  std::int32_t ExtraWidth = 0;
  std::int32_t ContentWidth = 0;
  std::int32_t ClosingWidth = 0;
  // One entry per tick and one past the end: while spacing the gap before
  // each tick, afterwards the cumulative x from the measure start (device
  // pixels; 32 bits, so that large zooms and printer resolutions fit).
  std::vector<std::int32_t> Positions;
  std::vector<TECExtentPair> Extents;
  std::uint8_t FirstLeftExtra = 0;
  std::uint32_t BarNumber = 0;
  std::uint16_t RehearsalCounter = 0;
  std::uint16_t RehearsalStyle = 0;
  std::uint32_t JustificationPixels = 0;
  // User setting 0..999, added to the content width.
  std::uint16_t SpaceAfterBar = 0;
  std::uint16_t MeasureLength = 0;
  std::uint8_t Numerator = 0;
  std::uint8_t Denominator = 0;
  std::uint8_t PageBreak = 0;
  std::uint32_t StartTick = 0;
  std::uint8_t SystemStart = 0;
  std::uint8_t SystemEnd = 0;
  TECSymbolItem* BarNumberItem = nullptr;
  std::uint32_t SystemIndex = 0;
  std::uint32_t Page = 0;
  // Rebuilt by the velocity computation, in position order.
  std::vector<TECDynamicsEntry> Dynamics;
};

// One system (line of staves) of an instrument. With OwnSettings set, its
// four settings replace the score's density, spacing mode, measure count and
// horizontal alignment.
struct TECRowInfo {
  std::int32_t LeftIndent = 0;
  std::int32_t RightIndent = 0;
  std::uint32_t Page = 0;
  std::uint8_t OwnSettings = 0;
  std::uint8_t Density = 0;
  std::uint8_t SpacingMode = 0;
  std::uint8_t MeasureCount = 0;
  std::uint8_t HorzAlign = 0;
  // Vertical offset of each row, pixels at the screen resolution.
  std::vector<std::int32_t> RowOffsets;
};

// A record met while laying out one page that the painters of another page
// need (a tie or slur reaching back, a spanner or volta reaching on), held by
// its place in the instrument instead of a pointer: an edit may free the
// record, and the reader resolves the place again and checks what it finds.
struct TECCarryRef {
  enum class RefKind : std::uint8_t { Link, Spanner, Volta };
  RefKind Kind = RefKind::Link;
  // Link: row, measure, note and attribute index of the link. Spanner: row,
  // measure and item index. Volta: symbols-row measure and item index.
  std::int32_t Row = 0;
  std::int32_t Measure = 0;
  std::int32_t Element = 0;
  std::int32_t Attribute = 0;
  bool operator==(const TECCarryRef&) const = default;
};

// One measure of one row as the latest page drawing placed it (document
// pixels): hit testing, cursor placement and drop read these, never the
// layout arithmetic.
struct TECDrawnMeasure {
  std::int32_t Row = 0;
  std::int32_t Measure = 0;
  std::int32_t PageSystem = 0;  // index of its system on the page
  std::int32_t StaffTop = 0;
  std::int32_t StartX = 0;   // barline before the measure
  std::int32_t OriginX = 0;  // content origin, where the tick columns count from
  std::int32_t EndX = 0;
};

// What the layout pass remembers of the passes before, so that a pass after
// an edit stops once the pages ahead would come out as they are. Stamps are
// hashes; 0 stands for none.
struct TECLayoutMemo {
  // The instrument (address and serial) and the settings laid out with.
  const void* Instrument = nullptr;
  std::uint64_t InstrumentSerial = 0;
  std::uint64_t Settings = 0;
  // Per measure index below LaidOutEnd: the revision of its symbols entry
  // and its record's user settings, as laid out.
  std::vector<std::uint64_t> Measures;
  // Per row, per measure index: the measure's revision as laid out.
  std::vector<std::vector<std::uint64_t>> RowMeasures;
  // Per row: its revision when its measures were last compared with
  // RowMeasures, and the highest index found changed then (-1 none);
  // RowSeen 0 when that is no longer known.
  std::vector<std::uint64_t> RowSeen;
  std::vector<std::int32_t> RowChangedUpTo;
  // Per page: the running state the page was begun with.
  std::vector<std::uint64_t> Pages;
  // One past the last measure the latest pass to the end placed, and the
  // page count it left (undo may cut pages that a pass appends again).
  std::int32_t LaidOutEnd = 0;
  std::int32_t PageCount = 0;
  // The layout records it left (the list never shrinks in a pass).
  std::int32_t RecordCount = 0;
  // Per page: how far its measures raised the laid-out counters (-1 not).
  std::vector<std::int32_t> PageRows;
  std::vector<std::int32_t> PageAll;
};

// What the layout pass keeps for the score besides the page tables.
struct TECPageLayout {
  // Per page: links that end on the next page (painted with this page), and
  // spanners and voltas that continue from the previous page.
  std::vector<std::vector<TECCarryRef>> SystemObjects;
  std::vector<std::vector<TECCarryRef>> SystemSymbols;
  // The page being laid out, which carry-over offsets count from.
  std::int32_t BasePage = 0;
  // The active page: index of its first system, its systems, the interval
  // between staves used on it (mm) and the bar number of each measure on it.
  std::int32_t FirstSystem = 0;
  std::int32_t SystemCount = 0;
  double Interval = 0;
  std::vector<std::uint32_t> BarNumbers;
  // Pages, in order, whose one system is taller than the usable height: it
  // keeps its place and runs past the bottom margin, so a print cuts the
  // staves below it. OnOverfullPages reports them.
  std::vector<std::int32_t> OverfullPages;
  // The measures the latest DrawPage drew, row by row, in drawing order.
  std::vector<TECDrawnMeasure> DrawnMeasures;
  // Where the latest DrawPage drew measure m of row `row`, or none.
  const TECDrawnMeasure* Drawn(int row, int m) const {
    for (const TECDrawnMeasure& drawn : DrawnMeasures)
      if (drawn.Row == row && drawn.Measure == m) return &drawn;
    return nullptr;
  }
  TECLayoutMemo Memo;
  // Set while a pass runs; a nested call returns at once.
  bool Running = false;
};
