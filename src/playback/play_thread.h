#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "playback/play_clock.h"
#include "playback/play_session.h"
#include "playback/tick_pacer.h"
#include "model/model_object.h"

// Walks a play session one tick at a time on its own thread, sending every
// MIDI message through `Send` at its tick's absolute deadline. It reads the
// session (which nothing changes while it plays) and its own atomics only.
class TPlayThread final : public TECModelObject {
 public:
  using Sender = std::function<void(TECModelObject* sender, std::uint8_t message, std::uint8_t data1, std::uint8_t data2)>;
  struct Start {
    int Step = 0;
    int Tick = 0;
    int Tempo = 120;
    int TempoScale = 100;
    bool Reverce = false;
  };
  // Delays beyond this re-anchor the ticks at the time the thread woke, so
  // a stalled machine does not make playback rush to catch up.
  static constexpr std::int64_t kStallNs = 50'000'000;

  // `playing` is set now and cleared when playback ends; `playLock` guards
  // each tick's sending against Stop.
  TPlayThread(std::shared_ptr<const PlaySession> session, IPlayClock& clock, std::atomic<bool>& playing,
              std::mutex& playLock, Sender send, const Start& start);
  // Joins the thread; Stop must have been called, or playback ended.
  ~TPlayThread() override;
  TPlayThread(const TPlayThread&) = delete;
  TPlayThread& operator=(const TPlayThread&) = delete;

  // Ends playback: the thread sends a note-off for every sounding note and
  // one end marker (0xFF, 47, 0) and stops. Waits for it unless called on
  // the play thread itself.
  void Stop();
  // The play thread running the caller, or none off every play thread.
  static TPlayThread* Current();

  // Tempo in force from the next tick on.
  void SetTempo(int tempo) { tempo_ = tempo; }
  void SetTempoScale(int scale) { scale_ = scale; }
  void SetMute(std::size_t row, bool mute);
  // The step and tick being played, or -1 and 0 before the first.
  int PlayingStep() const { return static_cast<int>(position_.load() >> 32); }
  int PlayingTick() const { return static_cast<int>(position_.load() & 0xFFFFFFFF); }

 private:
  struct Sounding {
    std::uint8_t Channel = 0;
    std::uint8_t Key = 0;
    int Remaining = 0;
  };
  void Run();
  // Sends what tick `tick` of step `step` starts and ends; returns the list
  // tempo met, or 0.
  int PlayTick(const TECPlayStep& step, int tick);
  void Attack(const TECPlayEvent& event, bool continued);
  void Finish();
  void Publish(int step, int tick) { position_ = std::int64_t{step} << 32 | static_cast<std::uint32_t>(tick); }
  void SendShort(std::uint8_t message, std::uint8_t data1, std::uint8_t data2) { send_(this, message, data1, data2); }

  std::shared_ptr<const PlaySession> session_;
  IPlayClock& clock_;
  std::atomic<bool>& playing_;
  std::mutex& playLock_;
  Sender send_;
  Start start_;
  std::atomic<int> tempo_;
  std::atomic<int> scale_;
  std::unique_ptr<std::atomic<bool>[]> mutes_;
  std::atomic<std::int64_t> position_{std::int64_t{-1} << 32};
  // Play thread only.
  std::vector<Sounding> sounding_;
  std::int16_t programs_[16];
  TickPacer pacer_;
  std::thread thread_;
};
