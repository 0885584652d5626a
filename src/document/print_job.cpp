#include "document/print_job.h"

#include <exception>

namespace nv::document {

PrintJob::PrintJob(PrintHost& host, platform::MessagePrompt& prompt, const platform::FormTexts& texts)
    : host_(host), prompt_(prompt), texts_(texts) {}

void PrintJob::ShowError(const char* reason) { platform::ShowErrorMessage(prompt_, texts_, reason); }

void PrintJob::PrintActiveScore() {
  if (Printing()) return;
  const int pages = host_.PageCount();
  PrintChoices offer;
  offer.MaxPage = pages;
  offer.ToPage = pages;
  const std::optional<PrintChoices> chosen = host_.Ask(offer);
  if (!chosen) return;
  choices_ = *chosen;
  state_ = State::Queued;
  try {
    host_.SetWaitCursor(true);
    hasCopy_ = true;
    host_.MakeCopy();
    host_.SetWaitCursor(false);
  } catch (const std::exception& error) {
    host_.SetWaitCursor(false);
    End();
    ShowError(error.what());
    return;
  }
  host_.RepaintStatus();
  host_.UpdateActions();
  host_.Queue([this, job = ++job_] {
    if (job == job_ && state_ == State::Queued) Run();
  });
}

void PrintJob::Run() {
  state_ = State::Running;
  try {
    host_.PrintCopy(choices_);
  } catch (const std::exception& error) {
    End();
    ShowError(error.what());
    return;
  }
  End();
}

void PrintJob::End() {
  if (hasCopy_) host_.FreeCopy();
  hasCopy_ = false;
  state_ = State::Idle;
  host_.RepaintStatus();
  host_.UpdateActions();
}

bool PrintJob::FinishBeforeExit() {
  if (state_ == State::Running) return false;
  if (state_ == State::Queued) Run();
  return true;
}

}  // namespace nv::document
