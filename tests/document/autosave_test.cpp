#include "document/autosave.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "startup_fixture.h"

namespace {

using nv::document::Autosave;
using nv::document::AutosaveCandidate;

constexpr std::int64_t kMinute = 60'000;

class HandClock : public nv::document::UptimeClock {
 public:
  std::int64_t NowMs() const override { return now; }
  std::int64_t now = 0;
};

class Documents : public nv::document::AutosaveHost {
 public:
  std::vector<AutosaveCandidate> Candidates() const override { return documents; }
  bool Save(std::uint64_t key) override {
    saves.push_back(key);
    if (whileSaving) whileSaving();
    if (failing) {
      prompt->ShowMessageBlock("Error", "cannot write", 0, 0);
      return false;
    }
    for (AutosaveCandidate& d : documents)
      if (d.Key == key) {
        d.Modified = false;
        d.LastSavedMs = clock->now;
      }
    return true;
  }

  std::vector<AutosaveCandidate> documents;
  std::vector<std::uint64_t> saves;
  bool failing = false;
  std::function<void()> whileSaving;
  nv::platform::MessagePrompt* prompt = nullptr;
  const HandClock* clock = nullptr;
};

AutosaveCandidate Modified(std::uint64_t key, std::int64_t savedAt, bool hasFile = true) {
  AutosaveCandidate d;
  d.Key = key;
  d.Modified = true;
  d.HasFile = hasFile;
  d.LastSavedMs = savedAt;
  return d;
}

class AutosaveTest : public ::testing::Test {
 protected:
  AutosaveTest() {
    documents_.prompt = &prompt_;
    documents_.clock = &clock_;
  }
  // One timer tick with AutoSave on and interval 0 (five minutes).
  void TickAt(std::int64_t now) {
    clock_.now = now;
    autosave_.Tick(true, 0);
  }

  HandClock clock_;
  Documents documents_;
  startup_fixture::RecordingPrompt prompt_;
  startup_fixture::NumberedTexts texts_;
  Autosave autosave_{documents_, clock_, prompt_, texts_};
};

TEST_F(AutosaveTest, SettingSevenWaitsTheLongestInterval) {
  documents_.documents = {Modified(1, 0)};
  clock_.now = 3'200'000;
  autosave_.Tick(true, 7);
  EXPECT_TRUE(documents_.saves.empty());
  clock_.now = 3'200'001;
  autosave_.Tick(true, 7);
  EXPECT_TRUE(documents_.saves.empty()) << "within 30 s of the last check";
  clock_.now = 3'230'001;
  autosave_.Tick(true, 7);
  EXPECT_EQ(documents_.saves.size(), 1u);
}

TEST_F(AutosaveTest, AModifiedDocumentSavedSixMinutesAgoIsSavedAtTheNextCheckAndAnUntitledOneNever) {
  const std::int64_t start = 100 * kMinute;
  documents_.documents = {Modified(1, start - 6 * kMinute), Modified(2, 0, false)};
  TickAt(start);
  EXPECT_EQ(documents_.saves, std::vector<std::uint64_t>{1});
  for (int minute = 1; minute <= 120; ++minute) TickAt(start + minute * kMinute);
  EXPECT_EQ(documents_.saves, std::vector<std::uint64_t>{1});
}

TEST_F(AutosaveTest, ChecksComeAtMostEvery30Seconds) {
  documents_.documents = {Modified(1, 0)};
  TickAt(30'000);
  EXPECT_TRUE(documents_.saves.empty()) << "the first check waits for 30 s to have passed";
  documents_.documents = {Modified(1, -10 * kMinute)};
  TickAt(30'001);
  EXPECT_EQ(documents_.saves.size(), 1u);
  documents_.documents = {Modified(1, -10 * kMinute)};
  TickAt(30'001 + 29'000);
  EXPECT_EQ(documents_.saves.size(), 1u);
  TickAt(30'001 + 30'001);
  EXPECT_EQ(documents_.saves.size(), 2u);
}

TEST_F(AutosaveTest, NothingIsSavedWithAutosaveOffOrWithinTheInterval) {
  documents_.documents = {Modified(1, 10 * kMinute - 4 * kMinute)};
  clock_.now = 10 * kMinute;
  autosave_.Tick(false, 0);
  autosave_.Tick(true, 0);
  EXPECT_TRUE(documents_.saves.empty());
  clock_.now += 10 * kMinute;
  autosave_.Tick(true, 3);
  EXPECT_TRUE(documents_.saves.empty()) << "thirty minutes have not passed";
}

TEST_F(AutosaveTest, AFailingSaveShowsOneBoxAndIsTriedAgainOnlyAfterTheNextChange) {
  documents_.documents = {Modified(1, 0)};
  documents_.failing = true;
  // The error box runs the timer on: ticks inside it start no second pass.
  documents_.whileSaving = [this] {
    documents_.whileSaving = nullptr;
    TickAt(clock_.now + 31'000);
  };
  TickAt(10 * kMinute);
  EXPECT_EQ(prompt_.Shown.size(), 1u);
  TickAt(11 * kMinute);
  TickAt(20 * kMinute);
  EXPECT_EQ(documents_.saves.size(), 1u);
  EXPECT_EQ(prompt_.Shown.size(), 1u);
  documents_.documents[0].Revision = 1;
  documents_.failing = false;
  TickAt(21 * kMinute);
  EXPECT_EQ(documents_.saves.size(), 2u);
  EXPECT_FALSE(documents_.documents[0].Modified);
}

TEST_F(AutosaveTest, AFailedDocumentSavedByHandIsAutosavedAgainLater) {
  documents_.documents = {Modified(1, 0)};
  documents_.failing = true;
  TickAt(10 * kMinute);
  documents_.failing = false;
  documents_.documents[0].LastSavedMs = 11 * kMinute;  // saved by hand, still modified since
  TickAt(20 * kMinute);
  EXPECT_EQ(documents_.saves.size(), 2u);
}

TEST_F(AutosaveTest, AnImportAwaitingTheOverwriteAnswerIsNeverAutosaved) {
  AutosaveCandidate import = Modified(1, 0);
  import.AwaitsOverwriteAnswer = true;
  documents_.documents = {import};
  for (int minute = 1; minute <= 60; ++minute) TickAt(minute * kMinute);
  EXPECT_TRUE(documents_.saves.empty());
}

TEST_F(AutosaveTest, ChecksAcrossTwoToThe31And32BehaveLikeAnyOther) {
  for (const std::int64_t edge : {std::int64_t{1} << 31, std::int64_t{1} << 32}) {
    documents_.saves.clear();
    documents_.documents = {Modified(1, edge - 2 * kMinute)};
    // Two minutes on each side of the edge: too recent to save, on every tick.
    for (std::int64_t t = edge - kMinute; t <= edge + 2 * kMinute; t += 220) TickAt(t);
    EXPECT_TRUE(documents_.saves.empty()) << edge;
    // Past the interval: saved once, and not again while unchanged.
    for (std::int64_t t = edge + 3 * kMinute + 1; t <= edge + 6 * kMinute; t += 220) TickAt(t);
    EXPECT_EQ(documents_.saves.size(), 1u) << edge;
  }
}

}  // namespace
