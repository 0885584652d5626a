#pragma once

#include <QPixmap>

#include <span>
#include <string_view>

namespace nv::editor {

// The pictures of the palette buttons that are neither a character of the
// music font, a caption nor painted from a value: pointers, eraser, tempo,
// grace notes, whole and half rests, slides and falls, stem directions,
// bar lines, codas, arpeggio, trill line and the six bends. Each is drawn
// once by the program on a white ground, whose bottom-left pixel makes the
// ground transparent when the button shows it. Where the score draws the
// symbol with a music-font glyph, the picture uses that glyph.
class FaceFactory {
 public:
  // The button names that have a picture.
  static std::span<const std::string_view> Names();
  // A null pixmap for a name without one.
  static QPixmap Picture(std::string_view buttonName);
};

}  // namespace nv::editor
