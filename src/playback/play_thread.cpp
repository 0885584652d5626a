#include "playback/play_thread.h"

#include <pthread.h>

#include <algorithm>

namespace {

constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kController = 0xB0;
constexpr std::uint8_t kProgramChange = 0xC0;
constexpr std::uint8_t kVolume = 7;
constexpr std::uint8_t kPan = 10;
// The General MIDI sustain pedal, which every synthesizer follows.
constexpr std::uint8_t kSustain = 64;
constexpr std::uint8_t kReleaseVelocity = 64;

std::uint8_t DataByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }

// Timing is the thread's whole job: ask for a real-time slot, and keep the
// ordinary one when the system refuses.
void RaisePriority(std::thread& thread) {
  sched_param param{};
  param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 10;
  pthread_setschedparam(thread.native_handle(), SCHED_FIFO, &param);
}

thread_local TPlayThread* current = nullptr;

}  // namespace

TPlayThread* TPlayThread::Current() { return current; }

TPlayThread::TPlayThread(std::shared_ptr<const PlaySession> session, IPlayClock& clock,
                         std::atomic<bool>& playing, std::mutex& playLock, Sender send, const Start& start)
    : session_(std::move(session)),
      clock_(clock),
      playing_(playing),
      playLock_(playLock),
      send_(std::move(send)),
      start_(start),
      tempo_(start.Tempo),
      scale_(start.TempoScale),
      mutes_(std::make_unique<std::atomic<bool>[]>(session_->Rows.size())) {
  for (std::size_t i = 0; i < session_->Rows.size(); ++i) mutes_[i] = session_->Rows[i].Mute;
  std::fill(std::begin(programs_), std::end(programs_), -1);
  playing_ = true;
  thread_ = std::thread([this] { Run(); });
  RaisePriority(thread_);
}

TPlayThread::~TPlayThread() { Stop(); }

void TPlayThread::SetMute(std::size_t row, bool mute) {
  if (row < session_->Rows.size()) mutes_[row] = mute;
}

void TPlayThread::Stop() {
  if (current == this) {
    // A handler on this thread holds the play lock already; the loop sees
    // the flag before its next tick.
    playing_ = false;
    clock_.Interrupt();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(playLock_);
    playing_ = false;
  }
  clock_.Interrupt();
  if (thread_.joinable()) thread_.join();
}

void TPlayThread::Run() {
  current = this;
  const std::vector<TECPlayStep>& steps = session_->Steps;
  const int count = static_cast<int>(steps.size());
  int step = start_.Step;
  int tick = start_.Tick;
  pacer_.Anchor(clock_.Now());
  while (step >= 0 && step < count) {
    if (!clock_.SleepUntil(pacer_.Deadline())) break;
    if (clock_.Now() - pacer_.Deadline() > kStallNs) pacer_.Anchor(clock_.Now());
    int listTempo = 0;
    {
      std::lock_guard<std::mutex> lock(playLock_);
      if (!playing_) break;
      Publish(step, tick);
      listTempo = PlayTick(steps[step], tick);
    }
    if (listTempo != 0) tempo_ = listTempo;
    if (++tick >= steps[step].Length) {
      tick = 0;
      ++step;
      if (step >= count && start_.Reverce) step = 0;
    }
    pacer_.SetRate(tempo_, scale_);
    pacer_.Next();
  }
  // The end of the score sounds to the end of its last tick.
  if (step >= count) clock_.SleepUntil(pacer_.Deadline());
  Finish();
}

int TPlayThread::PlayTick(const TECPlayStep& step, int tick) {
  int tempo = 0;
  for (const TECPlayList& list : step.Lists) {
    for (const TECPlayEvent& event : list.Events) {
      if (event.Start != tick) continue;
      if (event.Key == kPedalDown || event.Key == kPedalUp) {
        SendShort(kController | event.Channel, kSustain, DataByte(event.Velocity));
      } else if (event.Row < session_->Rows.size() && mutes_[event.Row]) {
        continue;
      } else if (event.Continuation != 0) {
        const auto held = std::find_if(sounding_.begin(), sounding_.end(), [&](const Sounding& s) {
          return s.Channel == event.Channel && s.Key == event.Key;
        });
        if (held != sounding_.end())
          held->Remaining += event.Duration;
        else
          Attack(event, true);
      } else {
        Attack(event, false);
      }
    }
    if (list.Tempo != 0) tempo = list.Tempo;
  }
  for (std::size_t i = sounding_.size(); i-- > 0;) {
    if (--sounding_[i].Remaining > 0) continue;
    SendShort(kNoteOff | sounding_[i].Channel, sounding_[i].Key, kReleaseVelocity);
    sounding_.erase(sounding_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return tempo;
}

void TPlayThread::Attack(const TECPlayEvent& event, bool continued) {
  const std::uint8_t channel = event.Channel & 15;
  const auto same = std::find_if(sounding_.begin(), sounding_.end(),
                                 [&](const Sounding& s) { return s.Channel == channel && s.Key == event.Key; });
  if (same != sounding_.end()) {
    SendShort(kNoteOff | channel, event.Key, 0);
    sounding_.erase(same);
  }
  if (event.Program >= 0 && event.Program <= 127 && programs_[channel] != event.Program) {
    SendShort(kProgramChange | channel, static_cast<std::uint8_t>(event.Program), 0);
    if (!continued && event.Row < session_->Rows.size()) {
      const PlayRow& row = session_->Rows[event.Row];
      if (row.Volume >= 0) SendShort(kController | channel, kVolume, DataByte(row.Volume));
      if (row.Pan >= 0) SendShort(kController | channel, kPan, DataByte(row.Pan));
    }
    programs_[channel] = event.Program;
  }
  SendShort(kNoteOn | channel, DataByte(event.Key), DataByte(event.Velocity));
  sounding_.push_back({channel, event.Key, event.Duration + 1});
}

void TPlayThread::Finish() {
  std::lock_guard<std::mutex> lock(playLock_);
  for (const Sounding& s : sounding_) SendShort(kNoteOff | s.Channel, s.Key, kReleaseVelocity);
  sounding_.clear();
  SendShort(0xFF, 47, 0);
  // The flag drops last, so whoever sees playback over can rely on the
  // final note-offs and the end marker having gone out.
  playing_ = false;
}
