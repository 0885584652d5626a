#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "playback/play_clock.h"
#include "model/model_object.h"

// Records what playback sends, with the play clock's time, as lines
// "<ms> <message> <data1> <data2>" in hexadecimal bytes.
class PlayRecorder {
 public:
  explicit PlayRecorder(IPlayClock& clock) : clock_(clock) {}

  auto Handler() {
    return [this](TECModelObject*, std::uint8_t message, std::uint8_t data1, std::uint8_t data2) {
      char line[64];
      std::snprintf(line, sizeof line, "%.3f %02X %02X %02X", static_cast<double>(clock_.Now()) / 1e6, message, data1,
                    data2);
      std::lock_guard<std::mutex> lock(lock_);
      lines_.push_back(line);
      if ((message & 0xF0) == 0x90) ++noteOns_;
      changed_.notify_all();
    };
  }
  std::string Text() const {
    std::lock_guard<std::mutex> lock(lock_);
    std::string text;
    for (const std::string& line : lines_) text += line + "\n";
    return text;
  }
  // Waits, at most ten seconds, until `count` note-ons were sent.
  bool WaitForNoteOns(int count) {
    std::unique_lock<std::mutex> lock(lock_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return noteOns_ >= count; });
  }

 private:
  IPlayClock& clock_;
  mutable std::mutex lock_;
  std::condition_variable changed_;
  std::vector<std::string> lines_;
  int noteOns_ = 0;
};

// Waits, at most ten seconds, until `flag` is clear.
template <typename Flag>
bool WaitUntilClear(const Flag& flag) {
  for (int i = 0; i < 10000 && flag; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return !flag;
}
