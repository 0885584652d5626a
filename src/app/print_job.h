#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "document/print_job.h"
#include "platform/paged_target.h"

class TECMusicScore;

namespace nv::app {

// Where a print job goes, titled with the document's caption: a PDF file in
// tests; none: the printer of the printer set-up.
using PrintTargetFactory = std::function<std::unique_ptr<nv::platform::PagedTarget>(const QString& title)>;

// The printer named `printer` ("" the system's default).
std::unique_ptr<nv::platform::PagedTarget> SystemPrinter(const QString& title, const QString& printer);

// The copy of `score` a print job prints while the score itself goes on
// being edited: its page setup first, then the whole score.
std::unique_ptr<TECMusicScore> MakePrintCopy(const TECMusicScore& score);

// Prints the chosen pages and copies of `copy`. Raises the error that
// stopped it (EPrintError when the target cannot start).
void PrintCopy(TECMusicScore& copy, nv::platform::PagedTarget& target, const nv::document::PrintChoices& choices);

}  // namespace nv::app
