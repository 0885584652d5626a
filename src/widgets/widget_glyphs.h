#pragma once

#include <QPixmap>
#include <QString>

namespace nv::widgets {

// The fields' button pictures, drawn by the program: "CALCIMAGE",
// "CALENDARIMAGE" and "TIMEIMAGE" (14 x 12), the calculator's strip
// "CALCBTNS" (84 x 13: cancel, OK, sign, multiply, minus, plus) and the
// calendar's 8 x 6 arrows "PREV2", "PREV1", "NEXT1", "NEXT2". The
// bottom-left pixel's colour is transparent, as in every picture strip.
// An unknown name gives a null pixmap.
QPixmap WidgetGlyph(const QString& name);

// One glyph of a strip of equal-width glyphs.
QPixmap StripGlyph(const QPixmap& strip, int index, int width);

}  // namespace nv::widgets
