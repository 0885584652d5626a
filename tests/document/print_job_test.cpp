#include "document/print_job.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/command_states.h"
#include "startup_fixture.h"

namespace {

using nv::document::PrintChoices;
using nv::document::PrintJob;

class Printer : public nv::document::PrintHost {
 public:
  int PageCount() const override { return 3; }
  std::optional<PrintChoices> Ask(const PrintChoices& o) override {
    offer = o;
    if (!confirm) return std::nullopt;
    PrintChoices chosen = o;
    chosen.FromPage = 2;
    chosen.Copies = 2;
    return chosen;
  }
  // The copy stands before the score is copied into it.
  void MakeCopy() override {
    ++copies;
    if (copyFails) throw std::runtime_error("out of memory");
  }
  void PrintCopy(const PrintChoices& choices) override {
    EXPECT_EQ(copies, 1) << "printed without its copy";
    if (whilePrinting) whilePrinting();
    if (targetFails) throw std::runtime_error("/missing/folder/out.pdf cannot be written");
    printed.push_back(choices);
  }
  void FreeCopy() override { --copies; }
  void Queue(std::function<void()> job) override { queue.push_back(std::move(job)); }
  void SetWaitCursor(bool wait) override { waiting = wait; }
  void RepaintStatus() override {}
  void UpdateActions() override {
    nv::document::CommandState state;
    state.HasDocument = true;
    state.Printing = job->Printing();
    printEnabled = nv::document::UpdateActions("file.print", state)->Enabled;
    previewEnabled = nv::document::UpdateActions("file.preview", state)->Enabled;
  }
  void RunQueue() {
    auto jobs = std::move(queue);
    queue.clear();
    for (auto& run : jobs) run();
  }

  const PrintJob* job = nullptr;
  PrintChoices offer;
  std::vector<PrintChoices> printed;
  std::vector<std::function<void()>> queue;
  std::function<void()> whilePrinting;
  bool confirm = true;
  bool copyFails = false;
  bool targetFails = false;
  bool waiting = false;
  bool printEnabled = true;
  bool previewEnabled = true;
  int copies = 0;
};

class PrintJobTest : public ::testing::Test {
 protected:
  PrintJobTest() { printer_.job = &job_; }
  // Printing is over and left nothing behind.
  void ExpectIdle() {
    EXPECT_FALSE(job_.Printing());
    EXPECT_EQ(printer_.copies, 0);
    EXPECT_TRUE(printer_.printEnabled);
    EXPECT_TRUE(printer_.previewEnabled);
    EXPECT_FALSE(printer_.waiting);
  }

  Printer printer_;
  startup_fixture::RecordingPrompt prompt_;
  startup_fixture::NumberedTexts texts_;
  PrintJob job_{printer_, prompt_, texts_};
};

TEST_F(PrintJobTest, AThreePageScoreOffersPages1To3AndOneCopy) {
  printer_.confirm = false;
  job_.PrintActiveScore();
  EXPECT_EQ(printer_.offer, (PrintChoices{1, 3, 1, 3, 1, false}));
  EXPECT_FALSE(job_.Printing());
  EXPECT_TRUE(printer_.queue.empty());
  EXPECT_EQ(printer_.copies, 0);
}

TEST_F(PrintJobTest, TheJobRunsLaterFromTheCopyWithPrintAndPreviewDisabledMeanwhile) {
  job_.PrintActiveScore();
  EXPECT_TRUE(job_.Printing());
  EXPECT_FALSE(printer_.printEnabled);
  EXPECT_FALSE(printer_.previewEnabled);
  EXPECT_TRUE(printer_.printed.empty());
  job_.PrintActiveScore();  // a second Print while the first waits does nothing
  EXPECT_EQ(printer_.queue.size(), 1u);
  printer_.RunQueue();
  ASSERT_EQ(printer_.printed.size(), 1u);
  EXPECT_EQ(printer_.printed[0].FromPage, 2);
  EXPECT_EQ(printer_.printed[0].Copies, 2);
  ExpectIdle();
  EXPECT_TRUE(prompt_.Shown.empty());
}

TEST_F(PrintJobTest, ATargetThatFailsShowsTheErrorAndPrintIsEnabledAgain) {
  printer_.targetFails = true;
  job_.PrintActiveScore();
  printer_.RunQueue();
  EXPECT_EQ(prompt_.Shown, std::vector<std::string>{"text 21: text 7\n/missing/folder/out.pdf cannot be written"});
  ExpectIdle();
}

TEST_F(PrintJobTest, ACopyThatCannotBeMadeStartsNoJob) {
  printer_.copyFails = true;
  job_.PrintActiveScore();
  EXPECT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_TRUE(printer_.queue.empty());
  ExpectIdle();
}

TEST_F(PrintJobTest, ExitPrintsAQueuedJobAtOnceAndOnlyOnce) {
  job_.PrintActiveScore();
  EXPECT_TRUE(job_.FinishBeforeExit());
  EXPECT_EQ(printer_.printed.size(), 1u);
  ExpectIdle();
  printer_.RunQueue();
  EXPECT_EQ(printer_.printed.size(), 1u);
  EXPECT_TRUE(job_.FinishBeforeExit());
}

TEST_F(PrintJobTest, ExitAskedWhileTheJobPrintsIsToldToWait) {
  std::optional<bool> mayExit;
  printer_.whilePrinting = [&] { mayExit = job_.FinishBeforeExit(); };
  job_.PrintActiveScore();
  printer_.RunQueue();
  EXPECT_EQ(mayExit, false);
  ExpectIdle();
  EXPECT_TRUE(job_.FinishBeforeExit());
}

}  // namespace
