#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "document/metronome.h"
#include "document/record_timing.h"
#include "model/undo_recorder.h"

class IPlayClock;
namespace nv::platform {
class UiThread;
class UiWakeSignal;
}  // namespace nv::platform

namespace nv::document {

// Records notes played on a MIDI keyboard into the active row, quantised to
// the grid, against the metronome's clicks, as one undo step. Every call but
// the metronome's runs on the GUI thread. Times are milliseconds of the
// recorder's clock; MIDI time stamps count from the input's start.
class Recorder {
 public:
  // Made on the GUI thread; `send` reaches the MIDI output from the metronome's thread.
  Recorder(TECMusicScore& score, std::unique_ptr<IPlayClock> clock, Metronome::Send send,
           nv::platform::UiThread& ui);
  ~Recorder();

  // The clock's time in milliseconds (the record command's start is taken on it).
  std::int64_t NowMs();
  // Starts a take; `commandTick` is when the record command began, before it opened the devices.
  void StartRecord(std::int64_t commandTick, const RecordSettings& settings);
  // Ends the take: the metronome stops (a sounding click ends), held keys keep
  // their inserted length, and cursor notices still queued are dropped.
  void StopRecord();
  bool Recording() const { return recording_; }
  void MidiInEvent(std::uint8_t status, std::uint8_t key, std::int64_t time, std::uint8_t velocity);

  const RecordTiming& Timing() const { return timing_; }
  std::int64_t TimeOffset() const { return timeOffset_; }

 private:
  struct PendingNote {
    TECNote* note;
    std::uint8_t key;
    std::uint8_t velocity;
    int position;
    std::int64_t time;
  };
  void MoveCursorToNow();
  void NoteOn(std::uint8_t key, std::int64_t time, std::uint8_t velocity);
  void NoteOff(std::uint8_t key, std::int64_t time);
  // Saves into the take each measure of the active row that ticks
  // [from, from + length) touch, appending the missing ones first.
  void SaveSpan(int from, int length);
  // True while `note` is still a note of `row`.
  static bool Holds(const TECRow& row, const TECNote* note);

  TECMusicScore& score_;
  std::unique_ptr<IPlayClock> clock_;
  Metronome metronome_;
  std::unique_ptr<nv::platform::UiWakeSignal> cursorNotice_;
  std::atomic<bool> recording_{false};
  RecordTiming timing_;
  int startPosition_ = 0;
  std::int64_t startTick_ = 0;
  std::int64_t timeOffset_ = 0;
  TECRow* row_ = nullptr;
  // The take's undo step, begun by its first note.
  std::optional<UndoRecorder> take_;
  std::vector<PendingNote> pending_;
};

}  // namespace nv::document
