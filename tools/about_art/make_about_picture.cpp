// Draws the picture of the about and splash windows: the program's name, a
// staff with a clef and a few notes in the program's music font, and the
// version. The lower part stays quiet for the about window's credits.
// The same fonts give the same file, byte for byte.
//
// Usage: make_about_picture <output.bmp> <music font .ttf> <version>

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>

#include <cstdio>

#include "render/music_font_codes.h"

namespace glyph = nv::render::glyph;

namespace {

constexpr int kWidth = 506;
constexpr int kHeight = 342;
constexpr int kStaffLeft = 30;
constexpr int kStaffRight = kWidth - 30;
constexpr int kStaffTop = 118;
constexpr int kSpace = 10;  // between two staff lines

// The y of a staff position: 0 the top line, each step half a space down.
int StaffY(int step) { return kStaffTop + step * kSpace / 2; }

void DrawStaff(QPainter& p, const QString& musicFamily) {
  p.setPen(QPen(QColor(40, 44, 70), 1));
  for (int line = 0; line < 5; ++line) p.drawLine(kStaffLeft, StaffY(2 * line), kStaffRight, StaffY(2 * line));
  p.drawLine(kStaffRight, StaffY(0), kStaffRight, StaffY(8));
  // The font's staff space is 2/7 of its em; glyphs are placed by their
  // cell's top, as the score's painters place them.
  constexpr int em = kSpace * 7 / 2;
  QFont music(musicFamily);
  music.setPixelSize(em);
  p.setFont(music);
  p.setPen(QColor(20, 22, 40));
  auto glyphAt = [&](int x, int top, glyph::Code code) {
    p.drawText(QRect(x, top, 4 * em, 4 * em), Qt::AlignLeft | Qt::AlignTop, QString(QChar(code)));
  };
  glyphAt(kStaffLeft + 8, StaffY(0) - 2 * kSpace, glyph::GClef);
  // A short rising and falling line of quarters, eighths and halves.
  struct Note {
    glyph::Code code;
    int step;  // staff position of the head
  };
  const Note notes[] = {{glyph::StemmedQuarter, 9}, {glyph::StemmedQuarter, 7}, {glyph::StemmedEighth, 6},
                        {glyph::StemmedEighth, 5},  {glyph::StemmedQuarter, 4}, {glyph::StemmedHalf, 5},
                        {glyph::StemmedQuarter, 6}, {glyph::StemmedEighth, 7},  {glyph::StemmedHalf, 8}};
  int x = kStaffLeft + 70;
  for (const Note& note : notes) {
    glyphAt(x, StaffY(note.step) - glyph::StemmedHeadCentre(em), note.code);
    x += 40;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_about_picture <output.bmp> <music font .ttf> <version>\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const int fontId = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(argv[2]));
  if (fontId < 0) {
    std::fprintf(stderr, "make_about_picture: cannot load the music font %s\n", argv[2]);
    return 1;
  }
  const QString musicFamily = QFontDatabase::applicationFontFamilies(fontId).value(0);

  QImage image(kWidth, kHeight, QImage::Format_RGB888);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0, QColor(214, 226, 246));
  sky.setColorAt(0.55, QColor(246, 248, 252));
  sky.setColorAt(1, QColor(255, 255, 255));
  p.fillRect(image.rect(), sky);
  p.setPen(QPen(QColor(70, 86, 140), 2));
  p.drawRect(QRectF(1, 1, kWidth - 2, kHeight - 2));

  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(40);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(30, 40, 90));
  p.drawText(QRect(kStaffLeft, 18, kWidth - 2 * kStaffLeft, 52), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Notavistra"));
  QFont version(QStringLiteral("DejaVu Sans"));
  version.setPixelSize(15);
  p.setFont(version);
  p.setPen(QColor(70, 80, 120));
  p.drawText(QRect(kStaffLeft, 18, kWidth - 2 * kStaffLeft, 52), Qt::AlignRight | Qt::AlignBottom,
             QStringLiteral("Version %1").arg(QString::fromLocal8Bit(argv[3])));

  DrawStaff(p, musicFamily);
  p.setPen(QPen(QColor(170, 180, 210), 1));
  p.drawLine(kStaffLeft, 196, kStaffRight, 196);
  p.end();

  if (!image.save(QString::fromLocal8Bit(argv[1]), "BMP")) {
    std::fprintf(stderr, "make_about_picture: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
