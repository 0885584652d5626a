#include "render/system_geometry.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/instrument.h"
#include "model/measure_layout.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/units.h"
#include "render/painter_context.h"
#include "render/row_name_painter.h"

namespace nv::render {

namespace {

// Characters of UTF-8 text: its bytes that do not continue a sequence.
std::size_t CharacterCount(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

const TECRowInfo* SystemRecord(const TECInstrument& instrument, int system) {
  return system >= 0 && system < static_cast<int>(instrument.Systems.size()) ? &instrument.Systems[system] : nullptr;
}

// The offsets of the rows first .. last of a system that open a staff of
// their own.
int OpeningOffsets(const TECInstrument& instrument, const TECRowInfo* record, int first, int last) {
  if (record == nullptr) return 0;
  int sum = 0;
  for (int r = first; r <= last && r < static_cast<int>(record->RowOffsets.size()); ++r) {
    if (OpensStaff(instrument, r)) sum += record->RowOffsets[r];
  }
  return sum;
}

}  // namespace

int SystemLeftBase(const PainterContext& ctx, int system) {
  return ctx.PageLeft + SystemLeftIndent(ctx.Instrument, system) + (ctx.Instrument.GetRowCount() > 1 ? 10 : 0);
}

int SystemLeftIndent(const TECInstrument& instrument, int system) {
  const TECRowInfo* record = SystemRecord(instrument, system);
  const int indent = record ? record->LeftIndent : 0;
  return system == 0 ? std::max(indent, RowNameRoom(instrument)) : indent;
}

bool OpensStaff(const TECInstrument& instrument, int row) {
  return row == 0 || !instrument.GetRow(row - 1)->United();
}

int RowNameRoom(const TECInstrument& instrument) {
  std::size_t longest = 0;
  for (int r = 0; r < instrument.GetRowCount(); ++r)
    if (OpensStaff(instrument, r)) longest = std::max(longest, CharacterCount(instrument.GetRow(r)->Name()));
  if (longest == 0) return 0;
  return std::min<int>(static_cast<int>(longest) * kRowNameCharWidth, kRowNameMaxWidth) + kRowNameGap;
}

int SystemRightIndent(const TECInstrument& instrument, int system) {
  const TECRowInfo* record = SystemRecord(instrument, system);
  return record ? record->RightIndent : 0;
}

int SystemRowDistance(const TECInstrument& instrument, int system, int row) {
  const int last = instrument.GetRowCount() - 1;
  return OpeningOffsets(instrument, SystemRecord(instrument, system), row + 1, last) +
         OpeningOffsets(instrument, SystemRecord(instrument, system + 1), 0, row);
}

int SystemDistance(const PainterContext& ctx, int system, int row) {
  const int dpi = ResolutionOrDefault(ctx.Score.GetResolution());
  const double staves = (ctx.IntervalMm + 6) * ctx.Instrument.VisibleRowCount() * dpi / 25.4;
  const double pixels = (staves + SystemRowDistance(ctx.Instrument, system, row)) * ctx.VerticalFactor / 10000;
  return static_cast<int>(std::lround(pixels));
}

int SystemStartX(const PainterContext& ctx, int system) {
  int header = 0;
  for (int m = ctx.FirstMeasure;; ++m) {
    const TECMeasureLayout* layout = ctx.Instrument.LayoutAt(m);
    if (layout == nullptr || static_cast<int>(layout->SystemIndex) > system) break;
    if (static_cast<int>(layout->SystemIndex) == system) {
      header = layout->HeaderWidth + layout->ExtraWidth;
      break;
    }
  }
  return ctx.Scaled(SystemLeftBase(ctx, system)) + ctx.Scaled(header);
}

int SystemEndX(const PainterContext& ctx, int system) {
  return ctx.Scaled(ctx.PageRight - SystemRightIndent(ctx.Instrument, system));
}

}  // namespace nv::render
