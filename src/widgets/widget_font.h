#pragma once

#include <QFont>

namespace nv::widgets {

// The dialogs' and pop-ups' font: "MS Sans Serif" 8 as the font mapper
// stands it in (Liberation Sans).
QFont DialogFont(bool bold = false);

}  // namespace nv::widgets
