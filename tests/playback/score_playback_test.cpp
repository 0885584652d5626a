#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <random>

#include "fake_play_clock.h"
#include "playback/play_forwarder.h"
#include "playback/score_player.h"
#include "model/memory_stream.h"
#include "platform/sound/test_midi_ports.h"
#include "play_fixtures.h"
#include "play_recorder.h"
#include "support/manual_ui_thread.h"

namespace {

namespace np = nv::platform;
using play_fixtures::MeasureOf;
using score_builder::AddNote;

// A score of `measures` measures with a quarter C5 at the start of each,
// playing on a fake clock held from `holdFrom` ns on.
struct Playback {
  std::unique_ptr<TECMusicScore> score;
  FakePlayClock* clock = nullptr;
  std::unique_ptr<PlayRecorder> recorder;

  explicit Playback(int measures, std::int64_t holdFrom = std::numeric_limits<std::int64_t>::max()) {
    score = score_builder::MakeScore(1, measures);
    for (int m = 0; m < measures; ++m) AddNote(MeasureOf(*score, 0, 0, m), 1, 5, 32, 0);
    score->SetTempo(120);
    auto fake = std::make_unique<FakePlayClock>();
    fake->HoldFrom(holdFrom);
    clock = fake.get();
    recorder = std::make_unique<PlayRecorder>(*fake);
    InstallPlayback(*score, std::move(fake));
    score->OnPlayShort = recorder->Handler();
  }
};

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(ScorePlayback, FollowPlaybackMovesTheCursorToThePlayingMeasureAndTick) {
  // Held at 2,010 ms: measure 1, tick 0 has just been played.
  Playback p(3, 2'010'000'000);
  p.score->Play();
  p.clock->WaitUntilHeld();
  p.score->FollowPlayback();
  EXPECT_EQ(p.score->CursorMeasure(), 1);
  EXPECT_EQ(p.score->CursorTick(), 0);
  p.score->Stop();
  EXPECT_FALSE(p.score->Playing);
}

TEST(ScorePlayback, LoadingOrClearingStopsPlaybackFirst) {
  Playback p(2, 1);
  MemoryStream saved;
  p.score->SaveToStream(saved);
  p.score->Play();
  p.clock->WaitUntilHeld();
  saved.Seek(0, SeekOrigin::soBeginning);
  p.score->LoadFromStream(saved);
  EXPECT_FALSE(p.score->Playing);
  EXPECT_EQ(Count(p.recorder->Text(), "FF 2F 00"), 1);

  p.score->Play();
  p.clock->WaitUntilHeld();
  p.score->ClearInstruments();
  EXPECT_FALSE(p.score->Playing);
  EXPECT_EQ(Count(p.recorder->Text(), "FF 2F 00"), 2);
}

TEST(ScorePlayback, DestroyingTheScoreJoinsTheThread) {
  Playback p(2, 1);
  p.score->Play();
  p.clock->WaitUntilHeld();
  p.score.reset();
  EXPECT_EQ(Count(p.recorder->Text(), "FF 2F 00"), 1);
}

TEST(ScorePlayback, StopFromTheEndMarkerHandlerDoesNotWaitForItself) {
  Playback p(1);
  std::atomic<int> ends{0};
  p.score->OnPlayShort = [&](TECModelObject*, std::uint8_t message, std::uint8_t, std::uint8_t) {
    if (message == 0xFF) {
      ++ends;
      p.score->Stop();
      p.score->Play();  // refused on the play thread
    }
  };
  p.score->Play();
  ASSERT_TRUE(WaitUntilClear(p.score->Playing));
  // The next Play joins the finished thread and starts again.
  p.score->Play();
  ASSERT_TRUE(WaitUntilClear(p.score->Playing));
  p.score->Stop();
  EXPECT_EQ(ends, 2);
}

TEST(ScorePlayback, SendProgramChangeTakesTheRowsProgramWhenSet) {
  auto score = score_builder::MakeScore(1, 1);
  std::vector<int> sent;
  score->OnPlayShort = [&](TECModelObject*, std::uint8_t message, std::uint8_t data1, std::uint8_t) {
    sent.push_back(message);
    sent.push_back(data1);
  };
  score->GetInstrumentAt(0)->SetMidiInstrument(40);
  score->SendProgramChange(18);  // the channel byte is taken modulo 16
  score->CurrentRow()->SetMidiInstrument(0);
  score->SendProgramChange(3);
  EXPECT_EQ(sent, (std::vector<int>{0xC2, 40, 0xC3, 0}));
}

TEST(ScorePlayback, TempoSettersKeepTheirRanges) {
  auto score = score_builder::MakeScore(1, 1);
  int changes = 0;
  score->OnChanged = [&](TECModelObject*) { ++changes; };
  score->SetTempo(120);
  for (int bad : {7, 513, 120}) score->SetTempo(bad);
  score->SetTempoScale(200);
  for (int bad : {0, -5, 200}) score->SetTempoScale(bad);
  EXPECT_EQ(score->GetTempo(), 120);
  EXPECT_EQ(score->GetTempoScale(), 200);
  EXPECT_EQ(changes, 2);
}

TEST(PlayForwarder, OpensTheOutputForwardsAndKeepsTheEndMarkerInProcess) {
  Playback p(1);
  np::TestMidiPorts ports(np::TestMidiPorts::Mode::Null, {"Synth"}, {});
  ManualUiThread ui;
  TMidiOutput output(ports, ui);
  int ends = 0;
  PlayForwarder forwarder(*p.score, output, ui, [&] { ++ends; });
  p.score->OnPlayShort = forwarder.Handler();
  p.score->Play();
  ASSERT_TRUE(WaitUntilClear(p.score->Playing));
  EXPECT_TRUE(output.IsOpen());
  for (const auto& call : ports.Calls()) EXPECT_NE(call.Bytes[0], 0xFF);
  EXPECT_EQ(ports.Calls().size(), 3u);  // program, note-on, note-off
  // A second end marker before the GUI ran the reaction adds no second run.
  forwarder.Forward(p.score.get(), 0xFF, 47, 0);
  EXPECT_EQ(ends, 0);
  ui.RunPending();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(p.score->GetCursorType(), TECCursorType::ctRow);
  EXPECT_EQ(p.score->GetCursorColor(), 0x00FFFF);
  p.score->Stop();
}

TEST(ScorePlayback, PlayAndStopTwoHundredTimesWithEditsAndReloads) {
  auto score = score_builder::MakeScore(2, 4);
  for (int i = 0; i < 2; ++i)
    for (int m = 0; m < 4; ++m)
      for (int n = 0; n < 4; ++n) AddNote(MeasureOf(*score, i, 0, m), 1 + n, 5, 32, 32 * n);
  // Ticks of 91 µs: a whole playback lasts about 47 ms, so some end by
  // themselves before Stop.
  score->SetTempo(512);
  score->SetTempoScale(4000);
  MemoryStream saved;
  score->SaveToStream(saved);
  InstallPlayback(*score);
  std::atomic<int> ends{0};
  std::atomic<int> sent{0};
  score->OnPlayShort = [&](TECModelObject*, std::uint8_t message, std::uint8_t data1, std::uint8_t) {
    ++sent;
    if (message == 0xFF && data1 == 47) ++ends;
  };
  std::mt19937 random(7);
  for (int i = 0; i < 200; ++i) {
    score->Play();
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
    if (i % 7 == 3) AddNote(MeasureOf(*score, i % 2, 0, i % 4), 3, 5, 16, 16);
    if (i % 3 == 1) score->FollowPlayback();
    if (i % 25 == 12) {
      saved.Seek(0, SeekOrigin::soBeginning);
      score->LoadFromStream(saved);
    }
    score->Stop();
  }
  // Every Play ends with exactly one end marker, whether its playback ran
  // out by itself (a loaded machine may get there before Play returns) or
  // was stopped.
  EXPECT_FALSE(score->Playing);
  EXPECT_EQ(ends, 200);
  EXPECT_GT(sent, ends);
}

}  // namespace
