#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "document/record_timing.h"

class IPlayClock;

namespace nv::document {

// The metronome of a recording: a thread that clicks the beats on the drum
// channel at absolute deadlines of the clock and tells the GUI thread after
// each click, without ever waiting for it.
class Metronome {
 public:
  // A MIDI short message for the output.
  using Send = std::function<void(std::uint8_t status, std::uint8_t key, std::uint8_t velocity)>;

  // `afterClick` runs on the metronome's thread after each click; it must not wait.
  Metronome(IPlayClock& clock, Send send, std::function<void()> afterClick);
  ~Metronome();
  Metronome(const Metronome&) = delete;
  Metronome& operator=(const Metronome&) = delete;

  // Clicks from `firstClick` (clock nanoseconds) on.
  void Start(const RecordTiming& timing, const RecordSettings& settings, std::int64_t firstClick);
  // Ends the loop, silences a click that is sounding and joins the thread.
  void Stop();
  bool Running() const { return thread_.joinable(); }

 private:
  void Run(RecordTiming timing, RecordSettings settings, std::int64_t nextClick);

  IPlayClock& clock_;
  Send send_;
  std::function<void()> afterClick_;
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace nv::document
