#pragma once

#include <QFont>
#include <QPoint>
#include <QString>

#include <cstdint>

class QPainter;

namespace nv::dialogs {

// The music font at a point size of the forms (96 pixels an inch).
QFont MusicFont(int pointSize);
// A text font at a point size of the forms.
QFont FormFont(const QString& family, int pointSize, bool bold = false, bool italic = false);

// The top-left corner of a music-font character's cell that puts the
// character's ink at `x` and centres it vertically in a face `height` high.
QPoint CentredMusicChar(const QFont& font, std::uint8_t code, int x, int height);

// Draws one music-font character with its cell's top-left corner at `at`.
void DrawMusicChar(QPainter& painter, const QFont& font, QPoint at, std::uint8_t code);

}  // namespace nv::dialogs
