#include "app/print_job.h"

#include "model/music_score.h"
#include "model/print_settings.h"
#include "platform/qt/qt_paged_target.h"

namespace nv::app {

namespace {

// The printer's resolution the pages are drawn at.
constexpr int kPrintDpi = 600;

}  // namespace

std::unique_ptr<nv::platform::PagedTarget> DefaultPrinter(const QString& title) {
  auto printer = nv::platform::QtPagedTarget::printer(QString(), kPrintDpi);
  printer->setDocName(title);
  return printer;
}

void PrintScoreCopy(const TECMusicScore& score, nv::platform::PagedTarget& target) {
  TECMusicScore copy;
  copy.SetPage(score.Page());
  copy.Assign(score);
  copy.Print(target, TECPrintSettings{});
}

}  // namespace nv::app
