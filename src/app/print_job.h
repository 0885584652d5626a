#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "document/print_job.h"
#include "platform/paged_target.h"

class TECMusicScore;

namespace nv::app {

// Where a print job goes, titled with the document's caption: the default
// printer in the program, a PDF file in tests.
using PrintTargetFactory = std::function<std::unique_ptr<nv::platform::PagedTarget>(const QString& title)>;

// The default printer.
std::unique_ptr<nv::platform::PagedTarget> DefaultPrinter(const QString& title);

// The copy of `score` a print job prints while the score itself goes on
// being edited: its page setup first, then the whole score.
std::unique_ptr<TECMusicScore> MakePrintCopy(const TECMusicScore& score);

// Prints the chosen pages and copies of `copy`. Raises the error that
// stopped it (EPrintError when the target cannot start).
void PrintCopy(TECMusicScore& copy, nv::platform::PagedTarget& target, const nv::document::PrintChoices& choices);

}  // namespace nv::app
