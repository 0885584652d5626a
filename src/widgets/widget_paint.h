#pragma once

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

#include "platform/geometry.h"

class QPainter;
class QWidget;

namespace nv::widgets {

enum class ArrowDirection { Left, Up, Right, Down };

// The logic's rectangles (right and bottom exclusive) and Qt's.
inline QRect ToQRect(const nv::platform::Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
inline nv::platform::Rect ToRect(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

// The scroll arrow of the widgets (page tabs, scroll panel, drop parts): the
// style's arrow in a raised panel, or flat and sunken while pressed.
void DrawScrollArrow(QPainter& painter, const QRect& box, ArrowDirection direction, bool pressed,
                     const QWidget* widget);

// The caption cut to the longest beginning that fits in `room` pixels
// together with "..", followed by ".."; a caption that fits stays whole.
QString ShortenCaption(const QString& caption, int room, const QFontMetrics& metrics);

// A piece drawn transparent: every pixel of the bottom-left pixel's colour
// is left out.
QPixmap TransparentPiece(const QImage& image);

// Draws `piece` repeatedly over `area`, from `area`'s top-left corner.
void TilePiece(QPainter& painter, const QPixmap& piece, const QRect& area);

// The toggled face of buttons: button face over button highlight in a
// checkered pattern.
void FillExclusiveFace(QPainter& painter, const QRect& area, const QWidget* widget);

// The font of a description in points at the device's logical resolution:
// pixel height round(points x dpi / 72); "Arial" and "Times new roman" name
// their installed metric twins, the music face the registered music font.
QFont FontFromDescription(const QString& face, int points, int logicalDpi, bool bold = false);

}  // namespace nv::widgets
