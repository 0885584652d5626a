#pragma once

#include "document/insert_dialogs.h"
#include "document/program_settings.h"

namespace nv::document {

// The font the expressions page writes its terms in, as the font dialog
// shows it: name, size, style and colour.
TextInputValues TermFontValues(const ProgramSettings& settings);

// Keeps what the font dialog chose: a font without a name or a size below
// one point keeps the one before.
void StoreTermFont(const TextInputValues& chosen, ProgramSettings& settings);

}  // namespace nv::document
