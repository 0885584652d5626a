// Draws the widgets' pictures: the notebook's spiral binding and the three
// window skins (caption, border and caption-button pieces, program icon).
// Every piece is drawn pixel by pixel without antialiasing; its bottom-left
// pixel is the transparent colour (magenta), as the widgets draw pieces.
//
// Usage: make_skin_art <output folder>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>
#include <functional>

namespace {

const QColor kTransparent(255, 0, 255);

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kTransparent);
  return image;
}

bool Save(const QImage& image, const QString& path) {
  if (image.pixelColor(0, image.height() - 1) != kTransparent) {
    std::fprintf(stderr, "make_skin_art: %s has an opaque bottom-left pixel\n", qPrintable(path));
    return false;
  }
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "make_skin_art: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

// --- the spiral binding ------------------------------------------------------
// Pieces for a vertical binding are 17 wide and 13 high, the binding line at
// their inner edge; a horizontal binding's pieces are the same turned.

const QColor kHole(60, 60, 60);
const QColor kHoleRim(150, 150, 150);
const QColor kWire(40, 40, 48);
const QColor kWireLight(170, 170, 185);

// A punched hole near the binding (x = 16) with the wire entering it.
QImage HolePiece() {
  QImage image = Blank(17, 13);
  QPainter p(&image);
  p.setPen(kHoleRim);
  p.setBrush(kHole);
  p.drawEllipse(QRect(2, 3, 6, 6));
  p.setPen(kWire);
  p.drawLine(6, 5, 16, 5);
  p.drawLine(6, 6, 16, 6);
  p.setPen(kWireLight);
  p.drawLine(7, 4, 16, 4);
  return image;
}

// The wire's loop over the binding, from the line (x = 0) outwards and back.
QImage LoopPiece() {
  QImage image = Blank(17, 13);
  QPainter p(&image);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kWire, 2));
  p.drawArc(QRect(-8, 1, 20, 10), 90 * 16, -180 * 16);
  p.setPen(kWireLight);
  p.drawArc(QRect(-7, 2, 17, 7), 60 * 16, -90 * 16);
  return image;
}

QImage Mirrored(const QImage& image) { return image.mirrored(true, false); }
// Turned a quarter so that the binding runs horizontally: x along, y across.
QImage Turned(const QImage& image) { return image.transformed(QTransform().rotate(90)).mirrored(true, false); }

// Every piece's bottom-left pixel stays transparent after turning.
QImage KeepCorner(QImage image) {
  image.setPixelColor(0, image.height() - 1, kTransparent);
  return image;
}

// --- the window skins -------------------------------------------------------

struct SkinColours {
  // The frame line keeps its colour when inactive: the caption colour under
  // the pieces shows through their transparent pixels in both looks.
  QColor light, dark, inactiveLight, inactiveDark, frame, glyph;
};

struct Skin {
  const char* name;
  int caption;  // caption height
  int border;   // border width
  SkinColours colours;
};

const Skin kSkins[] = {
    {"main", 24, 4, {{96, 140, 214}, {28, 62, 140}, {176, 184, 200}, {120, 128, 146}, {20, 44, 104}, {255, 255, 255}}},
    {"dialog", 20, 3, {{84, 170, 166}, {22, 98, 104}, {180, 196, 194}, {122, 140, 140}, {14, 70, 74}, {255, 255, 255}}},
    {"tool", 16, 2, {{126, 126, 138}, {58, 58, 70}, {190, 190, 196}, {140, 140, 148}, {36, 36, 44}, {255, 255, 255}}},
};

QColor Mix(const QColor& a, const QColor& b, int num, int den) {
  auto m = [&](int x, int y) { return x + (y - x) * num / (den == 0 ? 1 : den); };
  return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()));
}

// A caption piece: a vertical gradient; the bottom row stays transparent so
// that the caption colour underneath draws a line between caption and client.
QImage CaptionPiece(int width, int height, const QColor& light, const QColor& dark, bool rim) {
  QImage image = Blank(width, height);
  for (int y = 0; y < height - 1; ++y) {
    const QColor c = Mix(light, dark, y, height - 2);
    for (int x = 0; x < width; ++x) image.setPixelColor(x, y, c);
  }
  if (rim) {  // a lighter first row
    for (int x = 0; x < width; ++x) image.setPixelColor(x, 0, light.lighter(125));
  }
  return image;
}

// Vertical border pieces run down the sides; `outerLeft` puts the frame line
// at column 0 (left side) or at the last column (right side).
QImage SidePiece(int width, int height, const QColor& frame, const QColor& fill, bool outerLeft) {
  QImage image = Blank(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool outer = outerLeft ? x == 0 : x == width - 1;
      image.setPixelColor(x, y, outer ? frame : fill);
    }
  }
  return KeepCorner(image);
}

QImage BottomPiece(int width, int height, const QColor& frame, const QColor& fill, int cornerSide) {
  QImage image = Blank(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool outer = y == height - 1;
      if (cornerSide < 0) outer = outer || x == 0;
      if (cornerSide > 0) outer = outer || x == width - 1;
      image.setPixelColor(x, y, outer ? frame : fill);
    }
  }
  return KeepCorner(image);
}

enum class Glyph { Minimize, Maximize, Restore, Close, Forward, Back };

// A strip of four 16 x 14 states: normal, hot, pressed, inactive.
QImage ButtonStrip(Glyph glyph, const SkinColours& c) {
  constexpr int w = 16, h = 14;
  QImage image = Blank(4 * w, h);
  QPainter p(&image);
  const QColor faces[4] = {c.dark, c.light, c.frame, c.inactiveDark};
  for (int state = 0; state < 4; ++state) {
    const int x0 = state * w;
    const int shift = state == 2 ? 1 : 0;
    // A square face with cut corners.
    p.setPen(Qt::NoPen);
    p.setBrush(faces[state]);
    p.drawRect(x0 + 1, 0, w - 2, h - 1);
    p.drawRect(x0, 1, w, h - 3);
    p.setPen(state == 2 ? c.frame.darker(140) : c.light.lighter(130));
    p.drawLine(x0 + 1, 0, x0 + w - 2, 0);
    const QColor ink = state == 3 ? c.inactiveLight : c.glyph;
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::NoBrush);
    const int gx = x0 + 4 + shift;
    const int gy = 3 + shift;
    switch (glyph) {
      case Glyph::Minimize:
        p.fillRect(gx, gy + 6, 8, 2, ink);
        break;
      case Glyph::Maximize:
        p.drawRect(gx, gy, 7, 7);
        p.drawLine(gx, gy + 1, gx + 7, gy + 1);
        break;
      case Glyph::Restore:
        p.drawRect(gx + 2, gy, 5, 5);
        p.fillRect(gx, gy + 2, 6, 6, faces[state]);
        p.drawRect(gx, gy + 2, 5, 5);
        p.drawLine(gx, gy + 3, gx + 5, gy + 3);
        break;
      case Glyph::Close:
        p.drawLine(gx, gy, gx + 7, gy + 7);
        p.drawLine(gx + 1, gy, gx + 7, gy + 6);
        p.drawLine(gx + 7, gy, gx, gy + 7);
        p.drawLine(gx + 6, gy, gx, gy + 6);
        break;
      case Glyph::Forward:  // a triangle pointing right
      case Glyph::Back: {
        const bool right = glyph == Glyph::Forward;
        for (int i = 0; i < 4; ++i) {
          const int x = right ? gx + 2 + i : gx + 5 - i;
          p.drawLine(x, gy + i, x, gy + 7 - i);
        }
        break;
      }
    }
  }
  p.end();
  // Between the states the cut corners stay transparent, including the
  // strip's bottom-left pixel.
  return image;
}

// The program icon: a note head with its stem on a rounded field.
QImage Icon(const SkinColours& c) {
  QImage image = Blank(16, 16);
  QPainter p(&image);
  p.setPen(c.frame);
  p.setBrush(c.light);
  p.drawRoundedRect(QRect(1, 0, 14, 14), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 20, 20));
  p.drawEllipse(QRect(4, 8, 5, 4));
  p.fillRect(8, 2, 1, 8, QColor(20, 20, 20));
  p.fillRect(9, 2, 3, 1, QColor(20, 20, 20));
  p.fillRect(9, 3, 2, 1, QColor(20, 20, 20));
  return image;
}

bool WriteSkin(const Skin& s, const QDir& dir) {
  const SkinColours& c = s.colours;
  const int h = s.caption;
  const int b = s.border;
  struct Piece { const char* name; QImage image; };
  const Piece pieces[] = {
      {"caption_left_active", CaptionPiece(24, h, c.light, c.dark, true)},
      {"caption_left_inactive", CaptionPiece(24, h, c.inactiveLight, c.inactiveDark, true)},
      {"caption_center_active", CaptionPiece(4, h, c.light, c.dark, true)},
      {"caption_center_inactive", CaptionPiece(4, h, c.inactiveLight, c.inactiveDark, true)},
      {"caption_right_active", CaptionPiece(64, h, c.light, c.dark, true)},
      {"caption_right_inactive", CaptionPiece(64, h, c.inactiveLight, c.inactiveDark, true)},
      {"caption_minright_active", CaptionPiece(44, h, c.light, c.dark, true)},
      {"caption_minright_inactive", CaptionPiece(44, h, c.inactiveLight, c.inactiveDark, true)},
      {"border_left_active", SidePiece(b, 8, c.frame, c.dark, true)},
      {"border_left_inactive", SidePiece(b, 8, c.frame, c.inactiveDark, true)},
      {"border_right_active", SidePiece(b, 8, c.frame, c.dark, false)},
      {"border_right_inactive", SidePiece(b, 8, c.frame, c.inactiveDark, false)},
      {"border_left_top_active", SidePiece(b, 8, c.frame, Mix(c.dark, c.light, 1, 2), true)},
      {"border_left_top_inactive", SidePiece(b, 8, c.frame, Mix(c.inactiveDark, c.inactiveLight, 1, 2), true)},
      {"border_right_top_active", SidePiece(b, 8, c.frame, Mix(c.dark, c.light, 1, 2), false)},
      {"border_right_top_inactive", SidePiece(b, 8, c.frame, Mix(c.inactiveDark, c.inactiveLight, 1, 2), false)},
      {"border_bottom_active", BottomPiece(8, b, c.frame, c.dark, 0)},
      {"border_bottom_inactive", BottomPiece(8, b, c.frame, c.inactiveDark, 0)},
      {"border_left_bottom_active", BottomPiece(8, b, c.frame, c.dark, -1)},
      {"border_left_bottom_inactive", BottomPiece(8, b, c.frame, c.inactiveDark, -1)},
      {"border_right_bottom_active", BottomPiece(8, b, c.frame, c.dark, 1)},
      {"border_right_bottom_inactive", BottomPiece(8, b, c.frame, c.inactiveDark, 1)},
      {"button_minimize", ButtonStrip(Glyph::Minimize, c)},
      {"button_maximize", ButtonStrip(Glyph::Maximize, c)},
      {"button_restore", ButtonStrip(Glyph::Restore, c)},
      {"button_close", ButtonStrip(Glyph::Close, c)},
      {"button_forward", ButtonStrip(Glyph::Forward, c)},
      {"button_back", ButtonStrip(Glyph::Back, c)},
      {"icon", Icon(c)},
  };
  if (!dir.mkpath(s.name)) return false;
  bool ok = true;
  for (const Piece& piece : pieces) {
    ok = Save(piece.image, dir.filePath(QString("%1/%2.png").arg(s.name, piece.name))) && ok;
  }
  return ok;
}

bool WriteSpiral(const QDir& dir) {
  if (!dir.mkpath("spiral")) return false;
  const QImage hole = HolePiece();  // left of a vertical binding line
  const QImage loop = LoopPiece();  // right of it
  struct Piece { const char* name; QImage image; };
  const Piece pieces[] = {
      {"LEFTHOLE", hole},
      {"RIGHT", loop},
      {"LEFT", Mirrored(loop)},
      {"RIGHTHOLE", Mirrored(hole)},
      {"TOPHOLE", KeepCorner(Turned(hole))},
      {"BOTTOM", KeepCorner(Turned(loop))},
      {"TOP", KeepCorner(Turned(Mirrored(loop)))},
      {"BOTTOMHOLE", KeepCorner(Turned(Mirrored(hole)))},
  };
  bool ok = true;
  for (const Piece& piece : pieces) {
    ok = Save(piece.image, dir.filePath(QString("spiral/%1.png").arg(piece.name))) && ok;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_skin_art <output folder>\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(".")) {
    std::fprintf(stderr, "make_skin_art: cannot make %s\n", argv[1]);
    return 1;
  }
  bool ok = WriteSpiral(dir);
  for (const Skin& skin : kSkins) ok = WriteSkin(skin, dir) && ok;
  return ok ? 0 : 1;
}
