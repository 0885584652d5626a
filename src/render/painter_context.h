#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/element.h"
#include "model/units.h"
#include "platform/canvas.h"

class TECInstrument;
class TECMeasure;
class TECModelObject;
class TECMusicScore;
class TECNote;
class TECRow;
struct TECMeasureLayout;
struct TECRowInfo;

namespace nv::render {

// What the painters show as selected: the row that owns the selection (a
// staff row, the symbols row or the texts row) and its element records.
// The bracket of the highlighted row index's group is drawn red.
struct PaintSelection {
  const TECModelObject* Row = nullptr;
  std::vector<const TECElement*> Elements;
  int HighlightedRow = -1;

  bool Contains(const TECElement* element) const;
};

// One beamed group as the beam painter drew it; the tuplet painter reads
// these to follow a beam.
struct BeamRecord {
  int Start = 0;  // first and last tick of the group
  int End = 0;
  int Voice = 0;
  bool StemsDown = false;
  double Slope = 0;
  int FirstX = 0;  // stem x of the first note
  int StemEndY = 0;  // beam line y at FirstX
};

// The state that DrawPage builds once per page and hands to every painter.
// Lengths are device pixels unless named base (pixels at Zoom and Scale 100)
// or millimetres.
struct PainterContext {
  PainterContext(nv::platform::Canvas& canvas, TECMusicScore& score, TECInstrument& instrument, int hzoom,
                    int vzoom);

  nv::platform::Canvas& Canvas;
  TECMusicScore& Score;
  TECInstrument& Instrument;

  int HorizontalFactor = 10000;  // hzoom x Scale, 10000 = 100 % x 100 %
  int VerticalFactor = 10000;    // vzoom x Scale
  // N pen units, N x HorizontalFactor / 10000 (index N, 1..6); the unit u is
  // PenUnits[1].
  int PenUnits[7] = {};
  int TwoThirdsUnit = 0;  // HorizontalFactor / 15000: ledger lines, stem ends
  int Space = 6;
  int StaffHeight = 24;
  bool Printing = false;
  bool Enabled = true;    // the control takes input (a score without window does)
  bool HasWindow = false;

  double IntervalMm = 0;
  int IntervalPx = 0;
  double SystemYMm = 0;
  int PageLeft = 0;   // content edges, base pixels
  int PageRight = 0;
  int FirstMeasure = 0;
  int LastMeasure = 0;

  // Loop state of the page painter.
  int PageSystem = 0;   // index of the system on the page
  int SystemIndex = 0;  // index into the instrument's systems
  const TECRowInfo* System = nullptr;
  int RowIndex = 0;
  TECRow* Row = nullptr;
  std::vector<int> RowMeasure;  // the next measure of each row
  std::vector<int> RowStaffTop;  // staff top of each row in this system
  int StaffY = 0;
  int StaffBottom = 0;
  int FirstStaffTop = 0;
  bool Stop = false;

  // The measure being drawn.
  TECMeasure* Measure = nullptr;
  int MeasureIndex = 0;
  const TECMeasureLayout* Layout = nullptr;
  int MeasureX = 0;  // x of the measure's content origin
  int MeasureStartX = 0;  // x of its barline
  int MeasureEndX = 0;
  bool FirstInSystem = true;
  int KeyAccidentals = 0;  // of the key in force, for the fallback columns

  const PaintSelection* Selection = nullptr;
  // Index of the drawn row in the selection: 0 when the selection is this
  // row's, -1 otherwise.
  int SelectionIndex = -1;
  bool DrewInMeasure = false;
  // The chord of the note being drawn: the notes of its voice with its mark,
  // lowest first, wherever they stand in the measure's list. Emptied by the
  // measure painter at each measure.
  std::vector<TECNote*> Chord;

  // The two temporary lists, emptied when the page is done.
  std::vector<TECNote*> Labels;
  std::vector<BeamRecord> Beams;

 private:
  int headWidths_[2] = {-1, -1};

 public:

  // Width of the head glyph "A" (or "," for whole notes) in the music face
  // at 16 points, measured once per page.
  int HeadWidth(bool whole);

  // A base length in device pixels.
  int Scaled(int base) const { return ByZoomFactor(base, HorizontalFactor); }
  int ScaledV(int base) const { return ByZoomFactor(base, VerticalFactor); }
  // A font size: points x HorizontalFactor / 10000 on screen, Scale x points / 100 printing.
  int FontSize(int points) const;
  // The music face's em in pixels at a size in points. At 16 points the em
  // is 3.5 staff spaces, so that a head fills one space: the size follows
  // the staff space drawn at every zoom, scale and device resolution rather
  // than the point size, whose pixels round differently from the space.
  int MusicFontHeight(int points) const;
  // Selects the music face at a size in points, as an em of MusicFontHeight.
  void UseMusicFont(int points, nv::platform::Color color = 0);
  // Selects a text face at a size already computed.
  void UseTextFont(const char* face, int size, nv::platform::Color color = 0, bool bold = false,
                   bool italic = false);
  bool IsSelected(const TECElement* element) const;
  // Black, or red when the element is selected.
  nv::platform::Color InkFor(const TECElement* element) const;
  void SetPen(nv::platform::Color color, int width);
  void SetSolidBrush(nv::platform::Color color);
  void SetClearBrush();
  // A line from (x1, y1) to (x2, y2) with the current pen.
  void Line(int x1, int y1, int x2, int y2);
  // x of a tick of the current measure: its origin + the layout record's
  // column, the tick limited to the measure; without a record the caret's
  // estimate.
  int ColumnX(int tick) const;
  // The column offset alone (no origin).
  int ColumnOffset(int tick) const;
  // The y of an item's vertical place (step and octave) under the current staff.
  int ItemLineY(int step, int octave) const { return StaffBottom + (37 - step - 7 * octave) * Space / 2; }
};

// The column offset of a tick in a measure's layout record: the tick limited
// to the table and to the measure's length.
int LayoutColumn(const TECMeasureLayout& layout, int tick);

// The signed value of a display-offset byte (ones' complement: 128 and
// above count as value - 255).
constexpr int SignedOffset(std::uint8_t b) { return b >= 128 ? b - 255 : b; }

// A text font: the face ("Arial" when empty), a size already computed and
// the style bits 1 bold, 2 italic, 4 underline, 8 strikeout.
nv::platform::Font TextFont(const std::string& face, int size, nv::platform::Color color, int style);

// Writes a drawn box (left - 1, top - 1, right, bottom) into a record.
inline void StoreBox(TECElement& element, int left, int top, int right, int bottom) {
  element.Box = {left - 1, top - 1, right, bottom};
}

}  // namespace nv::render
