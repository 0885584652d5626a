#include "document/metronome.h"

#include <algorithm>

#include <pthread.h>
#include <sched.h>

#include "playback/play_clock.h"

namespace nv::document {

namespace {
constexpr std::int64_t kMillisecond = 1'000'000;
constexpr std::uint8_t kClickKey = 42;
}  // namespace

Metronome::Metronome(IPlayClock& clock, Send send, std::function<void()> afterClick)
    : clock_(clock), send_(std::move(send)), afterClick_(std::move(afterClick)) {}

Metronome::~Metronome() { Stop(); }

void Metronome::Start(const RecordTiming& timing, const RecordSettings& settings, std::int64_t firstClick) {
  Stop();
  clock_.Rearm();
  running_ = true;
  thread_ = std::thread([this, timing, settings, firstClick] { Run(timing, settings, firstClick); });
  // A raised priority keeps the clicks steady; without the right to one they run at the normal one.
  sched_param param{};
  param.sched_priority = sched_get_priority_min(SCHED_FIFO);
  pthread_setschedparam(thread_.native_handle(), SCHED_FIFO, &param);
}

void Metronome::Stop() {
  running_ = false;
  clock_.Interrupt();
  if (thread_.joinable()) thread_.join();
}

void Metronome::Run(RecordTiming timing, RecordSettings settings, std::int64_t nextClick) {
  int beat = 1;
  while (running_) {
    if (!clock_.SleepUntil(nextClick)) return;
    const bool accent = beat == 1 && settings.AccentFirst;
    send_(0x99, kClickKey, static_cast<std::uint8_t>(accent ? settings.FirstVelocity : settings.OtherVelocity));
    const bool sounded = clock_.SleepUntil(nextClick + (timing.ClickLength - 1) * kMillisecond);
    // The click ends even when Stop cut it short.
    send_(0x89, kClickKey, 60);
    if (!sounded || !running_) return;
    nextClick += timing.BeatInterval * kMillisecond;
    afterClick_();
    if (timing.PickupNotes == 0) {
      beat = beat >= timing.BeatsPerMeasure ? 1 : beat + 1;
    } else if (beat >= timing.PickupNotes) {
      // The pickup is over: whole measures from here.
      timing.PickupNotes = 0;
      beat = 1;
      timing.BeatInterval = timing.MeasureInterval;
      if (timing.BeatInterval < timing.ClickLength) timing.ClickLength = std::max(1, timing.BeatInterval / 2);
    } else {
      ++beat;
    }
  }
}

}  // namespace nv::document
