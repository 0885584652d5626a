#include "render/system_geometry.h"

#include <cmath>

#include "model/instrument.h"
#include "model/measure_layout.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/units.h"
#include "render/painter_context.h"

namespace nv::render {

namespace {

const TECRowInfo* SystemRecord(const TECInstrument& instrument, int system) {
  return system >= 0 && system < static_cast<int>(instrument.Systems.size()) ? &instrument.Systems[system] : nullptr;
}

// The offsets of the rows first .. last of a system that open a staff of
// their own.
int OpeningOffsets(const TECInstrument& instrument, const TECRowInfo* record, int first, int last) {
  if (record == nullptr) return 0;
  int sum = 0;
  for (int r = first; r <= last && r < static_cast<int>(record->RowOffsets.size()); ++r) {
    const bool opensStaff = r == 0 || !instrument.GetRow(r - 1)->United();
    if (opensStaff) sum += record->RowOffsets[r];
  }
  return sum;
}

}  // namespace

int SystemLeftBase(const PainterContext& ctx, int system) {
  return ctx.PageLeft + SystemLeftIndent(ctx.Instrument, system) + (ctx.Instrument.GetRowCount() > 1 ? 10 : 0);
}

int SystemLeftIndent(const TECInstrument& instrument, int system) {
  const TECRowInfo* record = SystemRecord(instrument, system);
  return record ? record->LeftIndent : 0;
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
