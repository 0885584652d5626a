#pragma once

#include <QString>

#include <functional>
#include <memory>

#include "platform/paged_target.h"

class TECMusicScore;

namespace nv::app {

// Where a print job goes, titled with the document's caption: the default
// printer in the program, a PDF file in tests.
using PrintTargetFactory = std::function<std::unique_ptr<nv::platform::PagedTarget>(const QString& title)>;

// The default printer.
std::unique_ptr<nv::platform::PagedTarget> DefaultPrinter(const QString& title);

// Prints every page of a copy of `score` (its page setup first, then the
// whole score), so that the score itself stays as it is. Raises the error
// that stopped it (EPrintError when the target cannot start).
void PrintScoreCopy(const TECMusicScore& score, nv::platform::PagedTarget& target);

}  // namespace nv::app
