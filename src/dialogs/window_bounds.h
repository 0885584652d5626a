#pragma once

#include <string>

#include "dialogs/logic/dialog_bounds.h"

class QWidget;

namespace nv::platform {
class IniFile;
}

namespace nv::dialogs {

// A window's "Bounds" in its section of the settings: restored as the mode
// says (onto a screen's available area) and written as "L,T,W,H". Without a
// settings object, a section or (for restoring) a mode nothing happens.
void RestoreWindowBounds(QWidget& window, nv::platform::IniFile* settings, const std::string& section, BoundsMode mode);
void StoreWindowBounds(const QWidget& window, nv::platform::IniFile* settings, const std::string& section);

}  // namespace nv::dialogs
