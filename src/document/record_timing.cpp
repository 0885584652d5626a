#include "document/record_timing.h"

#include <algorithm>
#include <cmath>

namespace nv::document {

namespace {
// Milliseconds of `ticks` at `tempo` quarters a minute, split `parts` ways.
int Milliseconds(int ticks, int tempo, int parts) {
  return std::max(1, static_cast<int>(static_cast<std::int64_t>(ticks) * 60000 / tempo / parts / 32));
}
}  // namespace

RecordTiming ComputeRecordTiming(const RecordMetre& metre, const RecordSettings& settings) {
  RecordTiming t;
  t.Tempo = std::max(1, metre.Tempo);
  t.Quantize = std::max(1, settings.Quantize);
  t.BeatsPerMeasure = metre.Denominator == 1 ? 4 : metre.Denominator == 2 ? 2 : std::max(1, metre.Numerator);
  t.MeasureInterval = Milliseconds(metre.MeasureLength, t.Tempo, t.BeatsPerMeasure);
  t.PickupNotes = metre.PickupNotes > 0 && metre.CursorInPickup ? metre.PickupNotes : 0;
  t.BeatInterval = t.PickupNotes > 0 ? Milliseconds(metre.PickupLength, t.Tempo, t.PickupNotes) : t.MeasureInterval;
  t.StepTime = Milliseconds(t.Quantize, t.Tempo, 1);
  t.ClickLength = Milliseconds(std::max(1, settings.Duration), t.Tempo, 1);
  if (t.ClickLength > t.BeatInterval) t.ClickLength = std::max(1, t.BeatInterval / 2);
  return t;
}

int QuantizedPosition(const RecordTiming& timing, int startPosition, std::int64_t timeOffset, std::int64_t t,
                      bool noteOn) {
  if (t < timeOffset) return noteOn ? startPosition : 0;
  const double steps = std::nearbyint(static_cast<double>(t - timeOffset) / timing.StepTime);
  return startPosition + static_cast<int>(steps) * timing.Quantize;
}

}  // namespace nv::document
