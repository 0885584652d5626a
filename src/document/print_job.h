#pragma once

#include <functional>
#include <optional>

#include "platform/form_texts.h"
#include "platform/message_prompt.h"

namespace nv::document {

// What the print dialog offers and what the user chose in it.
struct PrintChoices {
  int MinPage = 1;
  int MaxPage = 1;
  int FromPage = 1;
  int ToPage = 1;
  int Copies = 1;
  bool Collate = false;
  bool operator==(const PrintChoices&) const = default;
};

// The main window's side of printing: the print dialog, the private copy of
// the score that is printed while the user goes on editing, the queue of
// the user-interface thread and the refresh.
class PrintHost {
 public:
  virtual ~PrintHost() = default;
  virtual int PageCount() const = 0;
  // The print dialog; none when cancelled.
  virtual std::optional<PrintChoices> Ask(const PrintChoices& offer) = 0;
  // Makes the print copy: the page setup first, then the whole score.
  virtual void MakeCopy() = 0;
  // Prints the copy; raises when the target fails.
  virtual void PrintCopy(const PrintChoices& choices) = 0;
  virtual void FreeCopy() = 0;
  // Runs `job` on the user-interface thread once the current event is done;
  // a job still queued when the host goes is dropped (it refers to the job's
  // owner), so the host makes sure FinishBeforeExit ran.
  virtual void Queue(std::function<void()> job) = 0;
  virtual void SetWaitCursor(bool wait) = 0;
  virtual void RepaintStatus() = 0;
  virtual void UpdateActions() = 0;
};

// One print job at a time, printed from a copy of the score: printing and
// the status animation are on from the confirmed dialog until the job has
// ended, and however it ends (printed, failed, never started) the copy is
// freed, the flags go off and the commands are refreshed.
class PrintJob {
 public:
  PrintJob(PrintHost& host, platform::MessagePrompt& prompt, const platform::FormTexts& texts);

  // The Print command on the active score: the dialog, the copy, the job.
  void PrintActiveScore();
  bool Printing() const { return state_ != State::Idle; }
  // At exit: a job still queued is printed now. False only while the job
  // itself runs (the caller tries again once Printing is off).
  bool FinishBeforeExit();

 private:
  enum class State { Idle, Queued, Running };
  void Run();
  void End();
  void ShowError(const char* reason);

  PrintHost& host_;
  platform::MessagePrompt& prompt_;
  const platform::FormTexts& texts_;
  State state_ = State::Idle;
  bool hasCopy_ = false;
  PrintChoices choices_;
  // Tells a queued run that was already done at exit from the job it is.
  unsigned job_ = 0;
};

}  // namespace nv::document
