// Timing of the play thread on the machine's clock: a 60-second score
// (four instruments, eighth notes at tempo 120, 30 measures) played through
// the output component to null ports. Each message's lateness is the time
// of its send less the deadline of the tick that sent it; the counters give
// its percentiles in microseconds. Also the synthesizer's first Open (the
// sound font loads) and later ones.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "playback/midi_output.h"
#include "playback/play_clock.h"
#include "playback/score_player.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "platform/sound/system_midi_ports.h"
#include "platform/sound/test_midi_ports.h"
#include "platform/ui_thread.h"

namespace {

namespace np = nv::platform;

// The steady clock, telling the deadline the play thread last waited for.
class DeadlineClock final : public IPlayClock {
 public:
  std::int64_t Now() override { return clock_.Now(); }
  bool SleepUntil(std::int64_t deadline) override {
    deadline_ = deadline;
    return clock_.SleepUntil(deadline);
  }
  void Interrupt() override { clock_.Interrupt(); }
  void Rearm() override { clock_.Rearm(); }
  std::int64_t Deadline() const { return deadline_; }

 private:
  SteadyPlayClock clock_;
  std::atomic<std::int64_t> deadline_{0};
};

// Nothing is posted in this benchmark: the output sends no blocks.
class NoUiThread final : public np::UiThread {
 public:
  void Post(std::function<void()>) override {}
  std::unique_ptr<np::UiWakeSignal> MakeWakeSignal(std::function<void()>) override { return nullptr; }
};

std::unique_ptr<TECMusicScore> MakeMinuteScore() {
  auto score = std::make_unique<TECMusicScore>();
  for (int i = 0; i < 4; ++i) {
    TECRow& row = *score->AppendInstrument()->AppendRow();
    for (int m = 0; m < 30; ++m) {
      TECMeasure& measure = *row.AddMeasure();
      for (int n = 0; n < 8; ++n) {
        auto note = std::make_unique<TECNote>(static_cast<std::uint8_t>(21 + (n + i) % 7), &measure);
        note->Octave = 5;
        note->Value = note->Length = 16;
        note->Position = note->Start = static_cast<std::uint16_t>(16 * n);
        measure.Notes.push_back(std::move(note));
      }
    }
  }
  score->SetTempo(120);
  return score;
}

void BM_PlayThreadLateness(benchmark::State& state) {
  std::vector<double> lateness;
  for (auto _ : state) {
    auto score = MakeMinuteScore();
    auto clock = std::make_unique<DeadlineClock>();
    DeadlineClock& deadlines = *clock;
    InstallPlayback(*score, std::move(clock));
    np::TestMidiPorts ports(np::TestMidiPorts::Mode::Null, {"Null"}, {});
    NoUiThread ui;
    TMidiOutput output(ports, ui);
    output.Open();
    lateness.clear();
    lateness.reserve(10000);
    score->OnPlayShort = [&](TECModelObject*, std::uint8_t message, std::uint8_t data1, std::uint8_t data2) {
      lateness.push_back(std::abs(static_cast<double>(deadlines.Now() - deadlines.Deadline())) / 1000.0);
      if (message != 0xFF) output.SendShort(message, data1, data2);
    };
    score->Play();
    while (score->Playing) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    score->Stop();
  }
  std::sort(lateness.begin(), lateness.end());
  const auto at = [&](double p) { return lateness[static_cast<std::size_t>(p * (lateness.size() - 1))]; };
  state.counters["sends"] = static_cast<double>(lateness.size());
  state.counters["p50_us"] = at(0.50);
  state.counters["p99_us"] = at(0.99);
  state.counters["p999_us"] = at(0.999);
  state.counters["max_us"] = lateness.back();
}
BENCHMARK(BM_PlayThreadLateness)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_SynthesizerFirstOpen(benchmark::State& state) {
  int result = 0;
  for (auto _ : state) {
    np::SystemMidiPorts ports;
    std::unique_ptr<np::MidiOutPort> port;
    result = ports.OpenOutput(0, port);
    if (port) port->Close();
  }
  state.counters["opened"] = result == np::midi_error::kNone;
}
BENCHMARK(BM_SynthesizerFirstOpen)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_SynthesizerLaterOpen(benchmark::State& state) {
  np::SystemMidiPorts ports;
  std::unique_ptr<np::MidiOutPort> port;
  int result = ports.OpenOutput(0, port);
  if (port) port->Close();
  for (auto _ : state) {
    port.reset();
    result = ports.OpenOutput(0, port);
    if (port) port->Close();
  }
  state.counters["opened"] = result == np::midi_error::kNone;
}
BENCHMARK(BM_SynthesizerLaterOpen)->Unit(benchmark::kMillisecond);

}  // namespace
