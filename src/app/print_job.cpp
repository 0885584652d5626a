#include "app/print_job.h"

#include "model/music_score.h"
#include "model/print_settings.h"
#include "platform/qt/qt_paged_target.h"

namespace nv::app {

namespace {

// The printer's resolution the pages are drawn at.
constexpr int kPrintDpi = 600;

}  // namespace

std::unique_ptr<nv::platform::PagedTarget> SystemPrinter(const QString& title, const QString& printer) {
  auto target = nv::platform::QtPagedTarget::printer(printer, kPrintDpi);
  target->setDocName(title);
  return target;
}

std::unique_ptr<TECMusicScore> MakePrintCopy(const TECMusicScore& score) {
  auto copy = std::make_unique<TECMusicScore>();
  copy->SetPage(score.Page());
  copy->Assign(score);
  return copy;
}

void PrintCopy(TECMusicScore& copy, nv::platform::PagedTarget& target, const nv::document::PrintChoices& choices) {
  const bool range = choices.FromPage != choices.MinPage || choices.ToPage != choices.MaxPage;
  copy.Print(target, TECPrintSettings{.PageRange = range,
                                      .FromPage = choices.FromPage,
                                      .ToPage = choices.ToPage,
                                      .Copies = choices.Copies,
                                      .Collate = choices.Collate});
}

}  // namespace nv::app
