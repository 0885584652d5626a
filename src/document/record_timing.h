#pragma once

#include <cstdint>

namespace nv::document {

// The "Record parameters" the recording reads.
struct RecordSettings {
  int Quantize = 8;  // grid in score ticks
  bool AccentFirst = true;
  int FirstVelocity = 127;
  int OtherVelocity = 100;
  int Duration = 1;  // click length in grid units
};

// What the score gives the metronome at the start of a take.
struct RecordMetre {
  int Tempo = 120;
  int Numerator = 4;
  int Denominator = 4;
  int PickupLength = 128;  // ticks of measure 0
  int MeasureLength = 128; // ticks of measure 1
  int PickupNotes = 0;     // 0: no pickup
  bool CursorInPickup = false;
};

// The metronome's and the grid's times in milliseconds. A quarter is 32
// ticks, so the clicks, the grid and playback share one tempo. Every value
// is at least 1, whatever the settings hold, so nothing divides by zero or
// waits forever.
struct RecordTiming {
  int Tempo = 120;
  int Quantize = 8;
  int StepTime = 125;
  int BeatInterval = 500;
  int ClickLength = 15;
  int BeatsPerMeasure = 4;
  int PickupNotes = 0;  // 0 once the pickup is counted or without one
  int MeasureInterval = 500;  // the beat interval after the pickup
};

RecordTiming ComputeRecordTiming(const RecordMetre& metre, const RecordSettings& settings);

// The grid position (score ticks) of a MIDI time stamp `t`, measured from
// the input's start: before `timeOffset` a note-on lands on the start and a
// note-off at 0; otherwise the nearest grid step, halves to even.
int QuantizedPosition(const RecordTiming& timing, int startPosition, std::int64_t timeOffset, std::int64_t t,
                      bool noteOn);

}  // namespace nv::document
