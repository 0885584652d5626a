#include "platform/recording_canvas.h"

#include "platform/font_faces.h"

#include <array>
#include <cstdio>

namespace nv::platform {

namespace {

// Advance widths in thousandths of the em of the printable ASCII characters
// (space to tilde), the proportions of the common sans-serif face; any other
// character is 600 wide. The average width is 441.
constexpr std::array<int, 95> kAdvances = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  //  !"#$%&'()*+,-./
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0-9:;<=>?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @A-O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P-Z[\]^_
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // `a-o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,       // p-z{|}~
};
constexpr int kOtherAdvance = 600;
constexpr int kAverageAdvance = 441;
constexpr int kAscent = 905;
constexpr int kDescent = 212;

int advanceOf(unsigned code) {
  return code >= 32 && code < 127 ? kAdvances[code - 32] : kOtherAdvance;
}

// Characters of the text: bytes in the music face, UTF-8 code points else
// (only whether a character is ASCII matters here).
template <typename Visit>
void forEachCharacter(std::string_view face, std::string_view text, Visit visit) {
  const bool bytes = isMusicFace(face);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (bytes || byte < 0x80) visit(byte);
    else if ((byte & 0xC0) != 0xC0) continue;  // a continuation byte
    else visit(0x80u);
  }
}

std::string quoted(std::string_view face, std::string_view text) {
  const bool bytes = isMusicFace(face);
  std::string s = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      s += '\\';
      s += c;
    } else if (byte < 0x20 || byte == 0x7F || (bytes && byte >= 0x80)) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      s += escape;
    } else {
      s += c;
    }
  }
  return s + "\"";
}

std::string points(std::span<const Point> list) {
  std::string s;
  for (const Point& p : list) {
    s += ' ';
    s += toString(p);
  }
  return s;
}

std::string degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

}  // namespace

RecordingCanvas::RecordingCanvas(const DeviceCaps& caps) : Canvas(caps) {}

std::string RecordingCanvas::text() const {
  std::string all;
  for (const std::string& line : lines_) all += line + "\n";
  return all;
}

int RecordingCanvas::emPixels() const {
  const Font& f = font();
  if (f.height < 0) return -f.height;
  if (f.height > 0) return (f.height * 1000 + (kAscent + kDescent) / 2) / (kAscent + kDescent);
  return std::abs(pointsToPixels(f.size));
}

std::string RecordingCanvas::penPart() const { return " | " + toString(pen()); }

std::string RecordingCanvas::shapePart() const { return penPart() + " | " + toString(brush()); }

void RecordingCanvas::doLine(Point from, Point to) {
  write("LineTo " + toString(from) + " to " + toString(to) + penPart());
}

void RecordingCanvas::doPolyline(std::span<const Point> list) {
  write("Polyline" + points(list) + penPart());
}

void RecordingCanvas::doPolygon(std::span<const Point> list) {
  write("Polygon" + points(list) + shapePart());
}

void RecordingCanvas::doRectangle(const Rect& box) { write("Rectangle " + toString(box) + shapePart()); }

void RecordingCanvas::doRoundRect(const Rect& box, int cornerWidth, int cornerHeight) {
  write("RoundRect " + toString(box) + " corner " + std::to_string(cornerWidth) + "x" +
        std::to_string(cornerHeight) + shapePart());
}

void RecordingCanvas::doEllipse(const Rect& box) { write("Ellipse " + toString(box) + shapePart()); }

void RecordingCanvas::doArc(ArcKind kind, const Rect& box, Point startRadial, Point endRadial,
                            const ArcSweep& sweep) {
  const char* name = kind == ArcKind::Arc ? "Arc " : kind == ArcKind::Pie ? "Pie " : "Chord ";
  write(name + toString(box) + " " + toString(startRadial) + " " + toString(endRadial) + " from " +
        degrees(sweep.startDegrees) + " sweep " + degrees(sweep.sweepDegrees) +
        (kind == ArcKind::Arc ? penPart() : shapePart()));
}

void RecordingCanvas::doFillRect(const Rect& box) {
  write("FillRect " + toString(box) + " | " + toString(brush()));
}

void RecordingCanvas::doFrameRect(const Rect& box) {
  write("FrameRect " + toString(box) + " | " + toString(brush()));
}

void RecordingCanvas::doFocusRect(const Rect& box) { write("DrawFocusRect " + toString(box)); }

int RecordingCanvas::doTextOut(Point topLeft, std::string_view text) {
  const int width = doTextExtent(text).width;
  const std::string background =
      brush().isSolid() ? "opaque " + toString(brush().color) : std::string("transparent");
  write("TextOut " + toString(topLeft) + " " + quoted(font().face, text) + " width " +
        std::to_string(width) + " | " + toString(font()) + " | " + background);
  return width;
}

Size RecordingCanvas::doTextExtent(std::string_view text) {
  const int em = emPixels();
  const int stretchedWidth = font().width;
  int width = 0;
  forEachCharacter(font().face, text, [&](unsigned code) {
    const int advance = advanceOf(code);
    width += stretchedWidth > 0 ? (advance * stretchedWidth + kAverageAdvance / 2) / kAverageAdvance
                                : (advance * em + 500) / 1000;
  });
  const int height = (em * kAscent + 500) / 1000 + (em * kDescent + 500) / 1000;
  return {width, height};
}

void RecordingCanvas::doDraw(Point topLeft, const Picture& picture) {
  write("Draw " + toString(topLeft) + " " + toString(picture));
}

void RecordingCanvas::doStretchDraw(const Rect& box, const Picture& picture) {
  write("StretchDraw " + toString(box) + " " + toString(picture));
}

Color RecordingCanvas::doPixel(Point) { return kInvalidColor; }

void RecordingCanvas::doSetPixel(Point p, Color color) {
  write("SetPixel " + toString(p) + " " + toString(color));
}

void RecordingCanvas::onMoveTo(Point p) { write("MoveTo " + toString(p)); }

void RecordingCanvas::onIntersectClipRect(const Rect& box) {
  write("IntersectClipRect " + toString(box.normalized()));
}

void RecordingCanvas::onSetViewportOrigin(Point origin) {
  write("SetViewportOrigin " + toString(origin));
}

void RecordingCanvas::onSaveDC(int level) { write("SaveDC " + std::to_string(level)); }

void RecordingCanvas::onRestoreDC(int level) { write("RestoreDC " + std::to_string(level)); }

}  // namespace nv::platform
