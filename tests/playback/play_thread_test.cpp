#include "playback/play_thread.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "fake_play_clock.h"
#include "playback/score_player.h"
#include "play_fixtures.h"
#include "play_recorder.h"

namespace {

TECPlayEvent Note(int start, int key, int duration, int program = -1, bool continued = false, int channel = 0) {
  TECPlayEvent event;
  event.Start = start;
  event.Key = static_cast<std::uint8_t>(key);
  event.Duration = duration;
  event.Velocity = 64;
  event.Program = static_cast<std::int16_t>(program);
  event.Continuation = continued ? 1 : 0;
  event.Channel = static_cast<std::uint8_t>(channel);
  return event;
}

TECPlayStep Step(std::vector<TECPlayEvent> events, int tempo = 0, int length = 128) {
  TECPlayStep step;
  step.Length = length;
  TECPlayList list;
  list.Length = length;
  list.Tempo = tempo;
  list.Events = std::move(events);
  step.Lists.push_back(std::move(list));
  return step;
}

std::shared_ptr<PlaySession> Session(std::vector<TECPlayStep> steps) {
  auto session = std::make_shared<PlaySession>();
  session->Result = 1;
  session->Rows.push_back(PlayRow{});
  session->Steps = std::move(steps);
  return session;
}

// Plays a session to its end on the fake clock and returns what was sent.
struct ThreadRun {
  FakePlayClock clock;
  PlayRecorder recorder{clock};
  std::atomic<bool> playing{false};
  std::mutex lock;
  std::unique_ptr<TPlayThread> thread;

  void Start(std::shared_ptr<const PlaySession> session, TPlayThread::Start start = {}) {
    thread = std::make_unique<TPlayThread>(std::move(session), clock, playing, lock, recorder.Handler(), start);
  }
  std::string ToEnd(std::shared_ptr<const PlaySession> session, TPlayThread::Start start = {}) {
    Start(std::move(session), start);
    EXPECT_TRUE(WaitUntilClear(playing));
    thread.reset();
    return recorder.Text();
  }
};

TEST(TickPacer, TickLengthsInExactNanoseconds) {
  struct Case {
    int Tempo, Scale;
    std::int64_t Ns;
  };
  const Case cases[] = {
      {120, 100, 15'625'000}, {8, 100, 234'375'000}, {512, 100, 3'662'109},
      {120, 200, 7'812'500},  {60, 50, 62'500'000},  {512, 400, 915'527},
  };
  for (const Case& c : cases) EXPECT_EQ(TickPacer::TickNs(c.Tempo, c.Scale), c.Ns) << c.Tempo << " at " << c.Scale;
}

TEST(TickPacer, CarriesTheRemainderSoTickTenThousandIsExact) {
  TickPacer pacer;
  pacer.Anchor(1000);
  pacer.SetRate(512, 100);
  for (int i = 0; i < 10000; ++i) pacer.Next();
  // 10,000 × 6·10¹² / 1,638,400 = 36,621,093,750 exactly.
  EXPECT_EQ(pacer.Deadline(), 1000 + 36'621'093'750);
}

TEST(PlayThread, AQuarterC5AtTempo120FromTheScore) {
  auto score = score_builder::MakeScore(1, 1);
  score_builder::AddNote(play_fixtures::MeasureOf(*score, 0, 0, 0), 1, 5, 32, 0);
  score->SetTempo(120);
  auto clock = std::make_unique<FakePlayClock>();
  PlayRecorder recorder(*clock);
  InstallPlayback(*score, std::move(clock));
  score->OnPlayShort = recorder.Handler();
  score->Play();
  EXPECT_TRUE(WaitUntilClear(score->Playing));
  score->Stop();
  EXPECT_EQ(recorder.Text(),
            "0.000 C0 00 00\n"
            "0.000 90 3C 40\n"
            "500.000 80 3C 40\n"
            "2000.000 FF 2F 00\n");
}

TEST(PlayThread, PlayDoesNothingWithoutAHandler) {
  auto score = score_builder::MakeScore(1, 1);
  score_builder::AddNote(play_fixtures::MeasureOf(*score, 0, 0, 0), 1, 5, 32, 0);
  InstallPlayback(*score, std::make_unique<FakePlayClock>());
  score->Play();
  EXPECT_FALSE(score->Playing);
}

TEST(PlayThread, ATiedPairGivesOneAttack) {
  ThreadRun run;
  EXPECT_EQ(run.ToEnd(Session({Step({Note(0, 60, 32), Note(32, 60, 64, -1, true)})})),
            "0.000 90 3C 40\n"
            "1500.000 80 3C 40\n"
            "2000.000 FF 2F 00\n");
}

TEST(PlayThread, ARepeatedKeyCutsTheSoundingNote) {
  ThreadRun run;
  EXPECT_EQ(run.ToEnd(Session({Step({Note(0, 60, 64), Note(32, 60, 32)})})),
            "0.000 90 3C 40\n"
            "500.000 80 3C 00\n"
            "500.000 90 3C 40\n"
            "1000.000 80 3C 40\n"
            "2000.000 FF 2F 00\n");
}

TEST(PlayThread, ProgramVolumeAndPanOnlyBeforeAChannelsFirstNote) {
  auto session = Session({Step({Note(0, 60, 32, 5), Note(32, 62, 32, 5), Note(64, 64, 32, 5, false, 1),
                                Note(96, 65, 16, 7, true, 2)})});
  session->Rows[0].Volume = 100;
  session->Rows[0].Pan = 20;
  ThreadRun run;
  EXPECT_EQ(run.ToEnd(session),
            "0.000 C0 05 00\n"
            "0.000 B0 07 64\n"
            "0.000 B0 0A 14\n"
            "0.000 90 3C 40\n"
            "500.000 90 3E 40\n"
            "500.000 80 3C 40\n"
            "1000.000 C1 05 00\n"
            "1000.000 B1 07 64\n"
            "1000.000 B1 0A 14\n"
            "1000.000 91 40 40\n"
            "1000.000 80 3E 40\n"
            // A continuation with nothing to continue attacks, without
            // volume or pan.
            "1500.000 C2 07 00\n"
            "1500.000 92 41 40\n"
            "1500.000 81 40 40\n"
            "1750.000 82 41 40\n"
            "2000.000 FF 2F 00\n");
}

TEST(PlayThread, MutedRowsAreSilentButThePedalIsSustain) {
  TECPlayEvent pedal = Note(0, kPedalDown, 0);
  pedal.Velocity = 127;
  TECPlayEvent release = Note(64, kPedalUp, 0);
  release.Velocity = 0;
  auto session = Session({Step({pedal, Note(0, 60, 32), release})});
  session->Rows[0].Mute = true;
  ThreadRun run;
  EXPECT_EQ(run.ToEnd(session),
            "0.000 B0 40 7F\n"
            "1000.000 B0 40 00\n"
            "2000.000 FF 2F 00\n");
}

TEST(PlayThread, ATempoMarkPacesFromItsStep) {
  ThreadRun run;
  EXPECT_EQ(run.ToEnd(Session({Step({Note(0, 60, 1)}), Step({Note(0, 62, 1), Note(64, 64, 1)}, 60)})),
            "0.000 90 3C 40\n"
            "15.625 80 3C 40\n"
            "2000.000 90 3E 40\n"
            "2031.250 80 3E 40\n"
            "4000.000 90 40 40\n"
            "4031.250 80 40 40\n"
            "6000.000 FF 2F 00\n");
}

TEST(PlayThread, PlayingFromTheCursorStartsAtTheTempoInForceThere) {
  const auto session = Session({Step({}), Step({}, 90), Step({}), Step({}, 72), Step({})});
  EXPECT_EQ(TempoInForce(*session, 0, 120), 120);
  EXPECT_EQ(TempoInForce(*session, 1, 120), 120);
  EXPECT_EQ(TempoInForce(*session, 3, 120), 90);
  EXPECT_EQ(TempoInForce(*session, 4, 120), 72);
}

TEST(PlayThread, AStallOverFiftyMillisecondsReanchorsTheTicks) {
  ThreadRun late;
  late.clock.StallNext(100'000'000);
  EXPECT_EQ(late.ToEnd(Session({Step({Note(0, 60, 0), Note(1, 61, 0), Note(2, 62, 0)}, 0, 3)})),
            // Tick 0 is due at once and woke 100 ms late: the ticks count
            // from then, not from the missed deadline.
            "100.000 90 3C 40\n"
            "100.000 80 3C 40\n"
            "115.625 90 3D 40\n"
            "115.625 80 3D 40\n"
            "131.250 90 3E 40\n"
            "131.250 80 3E 40\n"
            "146.875 FF 2F 00\n");
}

TEST(PlayThread, StopInALongTickReturnsAtOnceWithEveryNoteOff) {
  ThreadRun run;
  run.clock.HoldFrom(1);
  TPlayThread::Start start;
  start.Tempo = 8;
  run.Start(Session({Step({Note(0, 60, 128), Note(0, 64, 128)})}), start);
  run.clock.WaitUntilHeld();
  run.thread->Stop();
  EXPECT_FALSE(run.playing);
  EXPECT_EQ(run.clock.Now(), 0);
  EXPECT_EQ(run.recorder.Text(),
            "0.000 90 3C 40\n"
            "0.000 90 40 40\n"
            "0.000 80 3C 40\n"
            "0.000 80 40 40\n"
            "0.000 FF 2F 00\n");
  run.thread.reset();
  EXPECT_EQ(run.recorder.Text().find("FF", run.recorder.Text().find("FF") + 1), std::string::npos);
}

TEST(PlayThread, ReverceLoopsWithoutAPause) {
  ThreadRun run;
  TPlayThread::Start start;
  start.Reverce = true;
  run.Start(Session({Step({Note(0, 60, 32)})}), start);
  ASSERT_TRUE(run.recorder.WaitForNoteOns(3));
  run.thread->Stop();
  const std::string text = run.recorder.Text();
  EXPECT_EQ(text.substr(0, text.find("4000.000 90") + 18),
            "0.000 90 3C 40\n"
            "500.000 80 3C 40\n"
            "2000.000 90 3C 40\n"
            "2500.000 80 3C 40\n"
            "4000.000 90 3C 40\n");
}

}  // namespace
