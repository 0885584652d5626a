#include "document/recorder.h"

#include <algorithm>

#include "document/midi_pitch.h"
#include "playback/play_clock.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"
#include "platform/ui_thread.h"

namespace nv::document {

namespace {
constexpr std::int64_t kMillisecond = 1'000'000;
constexpr std::uint8_t kTakeUndoKind = 1;
constexpr std::uint8_t kSharpKind = 105;
constexpr std::int32_t kRecordingCursor = 0xFFFF00;
constexpr std::int32_t kEditingCursor = 0x00FFFF;
}  // namespace

Recorder::Recorder(TECMusicScore& score, std::unique_ptr<IPlayClock> clock, Metronome::Send send,
                   nv::platform::UiThread& ui)
    : score_(score),
      clock_(std::move(clock)),
      metronome_(*clock_, std::move(send), [this] { cursorNotice_->Wake(); }),
      cursorNotice_(ui.MakeWakeSignal([this] { MoveCursorToNow(); })) {}

Recorder::~Recorder() { StopRecord(); }

std::int64_t Recorder::NowMs() { return clock_->Now() / kMillisecond; }

void Recorder::StartRecord(std::int64_t commandTick, const RecordSettings& settings) {
  StopRecord();
  score_.SetCursorPosition(0);
  score_.SetCursorType(TECCursorType::ctInstrument);
  score_.SetCursorColor(kRecordingCursor);
  RecordMetre metre;
  metre.Tempo = score_.GetTempo();
  metre.Numerator = score_.GetNumerator();
  metre.Denominator = score_.GetDenominator();
  metre.PickupLength = score_.GetMeasureLength(0);
  metre.MeasureLength = score_.GetMeasureLength(1);
  metre.PickupNotes = score_.GetAufTaktNotes();
  metre.CursorInPickup = score_.CursorMeasure() == 0;
  timing_ = ComputeRecordTiming(metre, settings);
  startPosition_ = score_.GetAbsolutePosition();
  row_ = score_.CurrentRow();
  take_.emplace(&score_, kTakeUndoKind);
  pending_.clear();
  const std::int64_t now = NowMs();
  const std::int64_t opening = std::max<std::int64_t>(0, now - commandTick);
  startTick_ = now;
  timeOffset_ = opening + timing_.BeatInterval;
  recording_ = true;
  metronome_.Start(timing_, settings, (now + timing_.BeatInterval + opening) * kMillisecond);
}

void Recorder::StopRecord() {
  if (!recording_) return;
  recording_ = false;
  metronome_.Stop();
  pending_.clear();
  row_ = nullptr;
  take_.reset();
  score_.SetCursorType(TECCursorType::ctRow);
  score_.SetCursorColor(kEditingCursor);
}

void Recorder::MoveCursorToNow() {
  // A notice that arrives after the stop is dropped.
  if (!recording_) return;
  const std::int64_t elapsed = NowMs() - startTick_ - timeOffset_;
  const std::int64_t position = startPosition_ + std::max<std::int64_t>(0, elapsed) * timing_.Quantize /
                                                     timing_.StepTime;
  score_.SetAbsolutePosition(static_cast<int>(position));
}

void Recorder::MidiInEvent(std::uint8_t status, std::uint8_t key, std::int64_t time, std::uint8_t velocity) {
  if (!recording_) return;
  const int kind = status & 0xF0;
  if (kind == 0x90 && velocity > 0)
    NoteOn(key, time, velocity);
  else if (kind == 0x80 || kind == 0x90)
    NoteOff(key, time);
}

void Recorder::NoteOn(std::uint8_t key, std::int64_t time, std::uint8_t velocity) {
  const int position = QuantizedPosition(timing_, startPosition_, timeOffset_, time, true);
  score_.SetAbsolutePosition(position);
  TECRow* row = score_.CurrentRow();
  if (row == nullptr || row != row_) return;
  SaveSpan(position, timing_.Quantize);
  const MidiPitch pitch = MidiKeyToPitch(key);
  score_.ClearSelection();
  TECNote* note = row->InsertPitchedNote(pitch.step, pitch.octave, 0, 0, 0, pitch.sharp ? kSharpKind : 0,
                                         timing_.Quantize);
  if (note == nullptr) return;
  pending_.push_back({note, key, velocity, position, time});
  score_.InvalidateScore();
  score_.DoChanged();
}

void Recorder::SaveSpan(int from, int length) {
  int first = 0;
  while (from >= score_.GetMeasureLength(first)) from -= score_.GetMeasureLength(first++);
  int last = first;
  int end = from + length - 1;
  while (end >= score_.GetMeasureLength(last)) end -= score_.GetMeasureLength(last++);
  for (int m = first; m <= last; ++m) {
    while (row_->MeasureCount() <= m) row_->AddMeasure();
    take_->Save(row_->GetMeasure(m));
  }
}

bool Recorder::Holds(const TECRow& row, const TECNote* note) {
  for (int m = 0; m < row.MeasureCount(); ++m)
    if (const TECMeasure* measure = row.GetMeasure(m))
      for (const auto& held : measure->Notes)
        if (held.get() == note) return true;
  return false;
}

void Recorder::NoteOff(std::uint8_t key, std::int64_t time) {
  const auto it = std::find_if(pending_.begin(), pending_.end(), [key](const PendingNote& p) { return p.key == key; });
  if (it == pending_.end()) return;
  const PendingNote held = *it;
  pending_.erase(it);
  // The note may have gone (an edit while recording): its record goes with it.
  if (row_ == nullptr || !Holds(*row_, held.note)) return;
  const int position = QuantizedPosition(timing_, startPosition_, timeOffset_, time, false);
  const int duration = std::max(position - held.position, timing_.Quantize);
  SaveSpan(held.position, duration);
  score_.ReleaseSelection();
  row_->ReflowNote(held.note, duration, 0, held.velocity);
  score_.InvalidateScore();
  score_.DoChanged();
}

}  // namespace nv::document
