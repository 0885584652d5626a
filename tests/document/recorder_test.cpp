#include "document/recorder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <random>
#include <thread>
#include <tuple>
#include <vector>

#include "document/command_registry.h"
#include "document/midi_pitch.h"
#include "document/score_commands.h"
#include "document/score_document.h"
#include "document_fixture.h"
#include "playback/fake_play_clock.h"
#include "playback/play_clock.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "support/edit_harness.h"
#include "support/manual_ui_thread.h"
#include "support/saved_score.h"

namespace nv::document {
namespace {

constexpr std::int64_t kMs = 1'000'000;

TEST(RecordTiming, TempoAndMetre) {
  struct Case {
    int tempo, numerator, denominator;
    int beatInterval, stepTime, clickLength, beats;
  } cases[] = {
      {60, 4, 4, 1000, 250, 31, 4},  {120, 4, 4, 500, 125, 15, 4},
      {60, 2, 2, 2000, 250, 31, 2},  // a beat of a half note
      {60, 1, 1, 1000, 250, 31, 4},  {60, 6, 8, 500, 250, 31, 6},
  };
  for (const Case& c : cases) {
    RecordMetre metre;
    metre.Tempo = c.tempo;
    metre.Numerator = c.numerator;
    metre.Denominator = c.denominator;
    metre.MeasureLength = c.numerator * 128 / c.denominator;
    const RecordTiming t = ComputeRecordTiming(metre, {});
    EXPECT_EQ(std::make_tuple(t.BeatInterval, t.StepTime, t.ClickLength, t.BeatsPerMeasure),
              std::make_tuple(c.beatInterval, c.stepTime, c.clickLength, c.beats))
        << c.tempo << " " << c.numerator << "/" << c.denominator;
  }
}

TEST(RecordTiming, BadSettingsStayInBounds) {
  RecordMetre metre;
  metre.Tempo = 0;
  metre.Numerator = 0;
  metre.MeasureLength = 0;
  RecordSettings settings;
  settings.Quantize = 0;
  settings.Duration = 0;
  const RecordTiming t = ComputeRecordTiming(metre, settings);
  EXPECT_GE(t.Quantize, 1);
  EXPECT_GE(t.StepTime, 1);
  EXPECT_GE(t.BeatsPerMeasure, 1);
  EXPECT_GE(t.BeatInterval, 1);
  EXPECT_GE(t.ClickLength, 1);
}

TEST(RecordTiming, QuantizedPositions) {
  RecordTiming t;
  t.Quantize = 8;
  t.StepTime = 250;
  EXPECT_EQ(QuantizedPosition(t, 0, 1000, 1500, true), 16);
  EXPECT_EQ(QuantizedPosition(t, 0, 1000, 1375, true), 16);  // 1.5 steps: to even
  EXPECT_EQ(QuantizedPosition(t, 0, 1000, 1125, true), 0);   // 0.5 steps: to even
  EXPECT_EQ(QuantizedPosition(t, 64, 1000, 900, true), 64);  // before the first click
  EXPECT_EQ(QuantizedPosition(t, 64, 1000, 900, false), 0);
}

TEST(MidiPitch, BlackKeysAreSharps) {
  const MidiPitch c = MidiKeyToPitch(60);
  const MidiPitch cs = MidiKeyToPitch(61);
  const MidiPitch b = MidiKeyToPitch(71);
  EXPECT_EQ(std::make_tuple(c.octave, c.step, c.sharp), std::make_tuple(5, 1, false));
  EXPECT_EQ(std::make_tuple(cs.octave, cs.step, cs.sharp), std::make_tuple(5, 1, true));
  EXPECT_EQ(std::make_tuple(b.octave, b.step, b.sharp), std::make_tuple(5, 7, false));
}

// A score of one row of eight measures at tempo 60 in 4/4, a recorder on a
// fake clock, and the messages it sent with the clock's time.
struct Take {
  edit_harness::EditFixture fixture{1, 8};
  ManualUiThread ui;
  FakePlayClock* clock = nullptr;
  std::mutex lock;
  std::vector<std::tuple<std::int64_t, int, int, int>> sent;  // ms, status, key, velocity
  std::unique_ptr<Recorder> recorder;
  RecordSettings settings;

  Take() {
    fixture.score().SetTempo(60);
    auto fake = std::make_unique<FakePlayClock>();
    clock = fake.get();
    recorder = std::make_unique<Recorder>(
        fixture.score(), std::move(fake),
        [this](std::uint8_t s, std::uint8_t k, std::uint8_t v) {
          std::lock_guard<std::mutex> hold(lock);
          sent.emplace_back(clock->Now() / kMs, s, k, v);
        },
        ui);
    settings.Quantize = 8;
    settings.Duration = 1;
    settings.FirstVelocity = 127;
    settings.OtherVelocity = 100;
  }
  // Records until the metronome reaches `holdMs`, where it waits.
  void Start(std::int64_t holdMs) {
    clock->HoldFrom(holdMs * kMs);
    recorder->StartRecord(0, settings);
    clock->WaitUntilHeld();
  }
  std::vector<std::tuple<std::int64_t, int, int, int>> Sent() {
    std::lock_guard<std::mutex> hold(lock);
    return sent;
  }
  const TECNote* NoteAt(int measure, int start) {
    for (const auto& note : fixture.measure(measure).Notes)
      if (note->Start == start) return note.get();
    return nullptr;
  }
};

using Message = std::tuple<std::int64_t, int, int, int>;

TEST(Recorder, ClicksTheBeatsAndAccentsTheFirst) {
  Take take;
  take.Start(5001);
  take.recorder->StopRecord();
  const std::vector<Message> expected = {
      {1000, 0x99, 42, 127}, {1030, 0x89, 42, 60}, {2000, 0x99, 42, 100}, {2030, 0x89, 42, 60},
      {3000, 0x99, 42, 100}, {3030, 0x89, 42, 60}, {4000, 0x99, 42, 100}, {4030, 0x89, 42, 60},
      {5000, 0x99, 42, 127}, {5000, 0x89, 42, 60},  // Stop ends the sounding click
  };
  EXPECT_EQ(take.Sent(), expected);
  EXPECT_FALSE(take.recorder->Recording());
  EXPECT_EQ(take.fixture.score().GetCursorType(), TECCursorType::ctRow);
}

TEST(Recorder, APickupClicksItsOwnBeatsFirst) {
  Take take;
  take.fixture.score().SetAufTakt(1, 8);
  take.Start(2001);
  take.recorder->StopRecord();
  std::vector<Message> onsets;
  for (const Message& m : take.Sent())
    if (std::get<1>(m) == 0x99) onsets.push_back(m);
  EXPECT_EQ(onsets, (std::vector<Message>{{500, 0x99, 42, 127}, {1000, 0x99, 42, 127}, {2000, 0x99, 42, 100}}));
}

TEST(Recorder, TheCursorFollowsWithOneNoticeAtATime) {
  Take take;
  take.Start(2001);  // held inside the second click, after one notice
  take.ui.RunPending();
  EXPECT_EQ(take.fixture.score().GetAbsolutePosition(), 32);  // 1000 ms past the first click
  take.recorder->StopRecord();
  // A notice still queued at the stop is dropped.
  Take late;
  late.Start(2001);
  late.fixture.score().SetAbsolutePosition(0);
  late.recorder->StopRecord();
  late.ui.RunPending();
  EXPECT_EQ(late.fixture.score().GetAbsolutePosition(), 0);
}

TEST(Recorder, NotesLandOnTheGrid) {
  Take take;
  take.Start(0);
  Recorder& r = *take.recorder;
  r.MidiInEvent(0x90, 61, 1500, 90);
  r.MidiInEvent(0xC0, 61, 1600, 0);  // a program change ends nothing
  r.MidiInEvent(0x80, 61, 1900, 0);
  r.MidiInEvent(0x90, 60, 2375, 80);  // 5.5 steps: to 6
  r.MidiInEvent(0x90, 60, 2450, 0);  // held 75 ms
  // Two presses of one key: the first release ends the first note.
  r.MidiInEvent(0x91, 64, 3000, 70);
  r.MidiInEvent(0x91, 64, 4000, 70);
  r.MidiInEvent(0x81, 64, 3500, 0);
  r.MidiInEvent(0x81, 64, 4500, 0);
  r.StopRecord();
  const TECNote* cs = take.NoteAt(0, 16);
  ASSERT_NE(cs, nullptr);
  EXPECT_EQ(cs->Kind, ek::NoteC);
  EXPECT_EQ(cs->Octave, 5);
  EXPECT_EQ(cs->Length, 16);
  ASSERT_FALSE(cs->Attributes.empty());
  EXPECT_EQ(cs->Attributes[0]->Kind, 105);
  const TECNote* c = take.NoteAt(0, 48);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Length, 8);
  const TECNote* e1 = take.NoteAt(0, 64);
  const TECNote* e2 = take.NoteAt(0, 96);
  ASSERT_NE(e1, nullptr);
  ASSERT_NE(e2, nullptr);
  EXPECT_EQ(e1->Length, 16);
  EXPECT_EQ(e2->Length, 16);
}

TEST(Recorder, TheTakeIsOneUndoStep) {
  Take take;
  TECMusicScore& score = take.fixture.score();
  const SavedScore before(score);
  const int steps = score.UndoCount();
  take.Start(0);
  for (int i = 0; i < 6; ++i) {
    take.recorder->MidiInEvent(0x90, static_cast<std::uint8_t>(60 + i), 1000 + 500 * i, 90);
    take.recorder->MidiInEvent(0x80, static_cast<std::uint8_t>(60 + i), 1400 + 500 * i, 0);
  }
  take.recorder->StopRecord();
  const SavedScore after(score);
  ASSERT_FALSE(after == before);
  ASSERT_EQ(score.UndoCount(), steps + 1);
  EXPECT_EQ(score.GetUndoStep(score.UndoCount() - 1)->Kind, 1);
  score.Undo(1);
  EXPECT_EQ(SavedScore(score), before);
  score.Redo(1);
  EXPECT_EQ(SavedScore(score), after);
}

TEST(Recorder, ATakePlaysBackOnTheClicks) {
  // At tempo 120 a quarter lasts 500 ms, the beat interval: quarters played
  // on the clicks land one quarter (32 ticks) apart.
  Take take;
  take.fixture.score().SetTempo(120);
  take.Start(0);
  EXPECT_EQ(take.recorder->Timing().BeatInterval, 500);
  const std::int64_t first = take.recorder->TimeOffset();
  for (int i = 0; i < 4; ++i) {
    take.recorder->MidiInEvent(0x90, 67, first + 500 * i, 90);
    take.recorder->MidiInEvent(0x80, 67, first + 500 * i + 480, 0);
  }
  take.recorder->StopRecord();
  for (int i = 0; i < 4; ++i) {
    const TECNote* note = take.NoteAt(0, 32 * i);
    ASSERT_NE(note, nullptr) << i;
    EXPECT_EQ(note->Length, 32) << i;
  }
}

TEST(Recorder, StopsAtAnyMomentOnTheRealClock) {
  edit_harness::EditFixture fixture(1, 4);
  fixture.score().SetTempo(512);
  fixture.score().SetTimeSignature(1, 16, 0, true);  // a beat every 29 ms
  ManualUiThread ui;
  std::mutex lock;
  int sounding = 0;
  Recorder recorder(
      fixture.score(), std::make_unique<SteadyPlayClock>(),
      [&](std::uint8_t status, std::uint8_t, std::uint8_t) {
        std::lock_guard<std::mutex> hold(lock);
        sounding += status == 0x99 ? 1 : -1;
      },
      ui);
  RecordSettings settings;
  settings.Duration = 2;
  std::mt19937 random(47);
  for (int i = 0; i < 200; ++i) {
    recorder.StartRecord(recorder.NowMs(), settings);
    ASSERT_LT(recorder.Timing().BeatInterval, 40);
    // Before the first click, inside one, or after a few.
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
    if (i % 3 == 0) ui.RunPending();
    recorder.StopRecord();
    std::lock_guard<std::mutex> hold(lock);
    ASSERT_EQ(sounding, 0) << i;
  }
  ui.RunPending();
}

TEST(Recorder, UndoWhileRecordingEndsTheTakeAndUndoesIt) {
  ManualUiThread ui;  // outlives the document's recorder
  const std::unique_ptr<ScoreDocument> loaded = document_fixture::LoadedDocument();
  ScoreDocument& document = *loaded;
  TECMusicScore& score = document.Score();
  score.SetTempo(60);
  auto fake = std::make_unique<FakePlayClock>();
  fake->HoldFrom(0);
  FakePlayClock& clock = *fake;
  document.ConnectRecording(std::move(fake), [](std::uint8_t, std::uint8_t, std::uint8_t) {}, ui);
  CommandRegistry registry;
  AddScoreCommands(registry, [&] { return &document; });
  const SavedScore before(score);
  Recorder& recorder = *document.GetRecorder();
  score.SetCursorPosition(0);
  recorder.StartRecord(0, {});
  clock.WaitUntilHeld();
  recorder.MidiInEvent(0x90, 60, 1000, 90);
  recorder.MidiInEvent(0x90, 64, 1250, 90);  // still held at the undo
  recorder.MidiInEvent(0x80, 60, 1500, 0);
  ASSERT_TRUE(document.Recording());
  EXPECT_TRUE(registry.Run("edit.undo"));
  EXPECT_FALSE(document.Recording());
  EXPECT_EQ(SavedScore(score), before);
  recorder.MidiInEvent(0x80, 64, 1750, 0);  // after the stop: nothing
  EXPECT_EQ(SavedScore(score), before);
}

}  // namespace
}  // namespace nv::document
