// How the notebook draws itself: background, page frames, the spiral
// binding and the index tabs.

#include <QPainter>
#include <QPaintEvent>
#include <QPolygon>

#include <map>
#include <string>

#include "platform/qt/qt_color.h"
#include "widgets/page_control.h"
#include "widgets/widget_paint.h"

namespace nv::widgets {

namespace {

constexpr int kSpiralPitch = 13;
constexpr int kSpiralDepth = 17;
const QColor kGrey(0x80, 0x80, 0x80);

const QPixmap& SpiralPiece(const char* name) {
  static std::map<std::string, QPixmap> pieces;
  auto it = pieces.find(name);
  if (it == pieces.end()) {
    it = pieces.emplace(name, TransparentPiece(QImage(QStringLiteral(":/art/spiral/%1.png").arg(QLatin1String(name))))).first;
  }
  return it->second;
}

bool VerticalSide(PageOrientation side) { return side == PageOrientation::Left || side == PageOrientation::Right; }

// Tab coordinates: u along the row, v across it from the page (0) to the free end.
struct TabFrame {
  const TabPlace& tab;
  int start() const { return VerticalSide(tab.side) ? tab.base.top : tab.base.left; }
  int end() const { return (VerticalSide(tab.side) ? tab.base.bottom : tab.base.right) - 1; }
  int depth() const { return (VerticalSide(tab.side) ? tab.base.width() : tab.base.height()) - 1; }
  QPoint at(int u, int v) const {
    switch (tab.side) {
      case PageOrientation::Right: return {tab.base.left + v, u};
      case PageOrientation::Left: return {tab.base.right - 1 - v, u};
      case PageOrientation::Bottom: return {u, tab.base.top + v};
      case PageOrientation::Top: return {u, tab.base.bottom - 1 - v};
    }
    return {};
  }
};

}  // namespace

void TECPageControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Qt paints only the invalid region, double-buffered: the background is
  // filled there also when only the hot tab changed.
  painter.fillRect(rect(), brush_);
  if (model_.Current() < 0) return;
  PaintFrames(painter);
  if (model_.SpiralVisible()) PaintSpiral(painter);
  for (const TabPlace& tab : model_.TabRow()) PaintTab(painter, tab);
}

void TECPageControl::PaintFrames(QPainter& painter) {
  const int halves = model_.DoubleSheet() ? 2 : 1;
  const int s = model_.SpiralWidth();
  for (int half = 0; half < halves; ++half) {
    const QRect frame = ToQRect(model_.FrameRect(half));
    // The strip along the frame's tab side.
    const PageOrientation side = model_.RowSide(model_.DoubleSheet() ? half : 0);
    QRect strip;
    switch (side) {
      case PageOrientation::Right: strip = QRect(frame.right() + 1 - s, frame.top(), s, frame.height()); break;
      case PageOrientation::Left: strip = QRect(frame.left(), frame.top(), s, frame.height()); break;
      case PageOrientation::Bottom: strip = QRect(frame.left(), frame.bottom() + 1 - s, frame.width(), s); break;
      case PageOrientation::Top: strip = QRect(frame.left(), frame.top(), frame.width(), s); break;
    }
    if (!picture_.isNull()) {
      const bool vertical = VerticalSide(model_.Orientation());
      if (vertical) TilePiece(painter, picture_, QRect(0, frame.top(), picture_.width(), frame.height()));
      else TilePiece(painter, picture_, strip);
    } else {
      painter.fillRect(strip, spiralBrush_);
    }
    // The frame lies just outside the page, which the sheet covers.
    const QRect outline = frame.adjusted(-1, -1, 0, 0);
    if (beveled_) {
      painter.setPen(Qt::white);
      painter.drawLine(outline.topLeft(), QPoint(outline.right() + 1, outline.top()));
      painter.drawLine(outline.topLeft(), QPoint(outline.left(), outline.bottom() + 1));
      painter.setPen(kGrey);
      painter.drawLine(QPoint(outline.left(), outline.bottom() + 1), QPoint(outline.right() + 1, outline.bottom() + 1));
      painter.drawLine(QPoint(outline.right() + 1, outline.top()), QPoint(outline.right() + 1, outline.bottom() + 1));
    } else {
      painter.setPen(kGrey);
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(outline);
    }
  }
}

void TECPageControl::PaintSpiral(QPainter& painter) {
  const PageOrientation o = model_.Orientation();
  const bool vertical = VerticalSide(o);
  const Rect c = model_.Client();
  const int s = model_.SpiralWidth();
  const int h = model_.TabThickness();
  int line = 0;
  const char* first = nullptr;
  const char* second = nullptr;
  int shift = 4;
  if (model_.DoubleSheet()) {
    line = vertical ? (c.left + h + c.right - h) / 2 : (c.top + h + c.bottom - h) / 2;
    first = vertical ? "LEFTHOLE" : "TOPHOLE";
    second = vertical ? "RIGHTHOLE" : "BOTTOMHOLE";
  } else {
    switch (o) {
      case PageOrientation::Left: line = c.left + s; first = "LEFT"; second = "RIGHTHOLE"; shift = 7; break;
      case PageOrientation::Right: line = c.right - s; first = "LEFTHOLE"; second = "RIGHT"; shift = 4; break;
      case PageOrientation::Top: line = c.top + s; first = "TOP"; second = "BOTTOMHOLE"; shift = 4; break;
      case PageOrientation::Bottom: line = c.bottom - s; first = "TOPHOLE"; second = "BOTTOM"; shift = 7; break;
    }
  }
  const QPixmap& a = SpiralPiece(first);
  const QPixmap& b = SpiralPiece(second);
  const int length = vertical ? c.height() : c.width();
  const int from = vertical ? c.top : c.left;
  // Whole pitches, the run centred.
  for (int pos = (length % kSpiralPitch) / 2; pos + kSpiralPitch <= length; pos += kSpiralPitch) {
    if (vertical) {
      painter.drawPixmap(line - kSpiralDepth, from + pos, a);
      painter.drawPixmap(line, from + pos + shift - 4, b);
    } else {
      painter.drawPixmap(from + pos, line - kSpiralDepth, a);
      painter.drawPixmap(from + pos + shift - 4, line, b);
    }
  }
}

void TECPageControl::PaintTab(QPainter& painter, const TabPlace& tab) {
  const TECTabSheet* sheet = Pages(tab.page);
  const TabLook& look = model_.Tabs();
  const TabFrame f{tab};
  const int a = f.start();
  const int b = f.end();
  const int d = f.depth();
  // Single sheet and the first half: the right bend before the tab, the left after it.
  const bool firstHalf = !model_.DoubleSheet() || tab.row == 0;
  const int before = firstHalf ? look.rightBend : look.leftBend;
  const int after = firstHalf ? look.leftBend : look.rightBend;
  const int base = beveled_ ? 1 : 0;
  const QPolygon shape({f.at(a - before, base), f.at(a, d - 3), f.at(a + 1, d - 2), f.at(a + 2, d - 1), f.at(a + 3, d),
                        f.at(b - 3, d), f.at(b - 2, d - 1), f.at(b - 1, d - 2), f.at(b, d - 3), f.at(b + after, base)});
  const bool open = tab.page == model_.Current();
  if (open || (beveled_ && sheet->Picture().isNull())) {
    painter.setPen(beveled_ ? QPen(Qt::NoPen) : QPen(kGrey));
    painter.setBrush(look.style == TabStyle::Round ? palette().button() : sheet->TabBrush());
    painter.drawPolygon(shape);
    if (open && !sheet->Picture().isNull()) painter.drawPixmap(ToQRect(tab.base).topLeft(), sheet->Picture());
  }
  if (beveled_) {
    painter.setPen(Qt::white);
    painter.drawLine(shape[0], shape[1]);
    painter.setPen(kGrey);
    painter.drawPolyline(shape.mid(1, 9));
  }
  if (look.style == TabStyle::Round) {
    const QRect box = ToQRect(tab.base).adjusted(5, 5, -5, -5);
    painter.fillRect(box, sheet->TabBrush());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    painter.drawRoundedRect(ToQRect(tab.base).adjusted(4, 4, -5, -5), 3, 3);
    painter.setPen(Qt::white);
    painter.drawRoundedRect(ToQRect(tab.base).adjusted(5, 5, -6, -6), 3, 3);
  }

  // Content: image and caption, rotated on vertical sides.
  const bool hot = tab.page == hot_ && hotTrack_;
  const bool vertical = VerticalSide(tab.side);
  QFont font = FontFromDescription(sheet->TabFont().family(), sheet->TabFont().pointSize(), logicalDpiY(),
                                   sheet->TabFont().bold());
  font.setItalic(sheet->TabFont().italic());
  font.setUnderline(sheet->TabFont().underline());
  font.setStrikeOut(sheet->TabFont().strikeOut());
  if (hot && look.style != TabStyle::XP) {
    font.setBold(true);
    font.setUnderline(true);
  }
  painter.setFont(font);
  painter.setBrush(Qt::NoBrush);
  int textStart = a;
  const bool hasImage = sheet->Image() >= 0 && sheet->Image() < static_cast<int>(images_.size());
  const int across = (d + 1) / 2;  // the middle across the tab
  if (hasImage) {
    const QPixmap& image = images_[static_cast<std::size_t>(sheet->Image())];
    const int imageLength = vertical ? image.height() : image.width();
    const int imageAcross = vertical ? image.width() : image.height();
    const int u = sheet->Caption().isEmpty() ? (a + b - imageLength) / 2 : a + 2;
    const QPoint corner = f.at(u, across);
    const QPoint other = f.at(u + imageLength, across);
    const int x = vertical ? corner.x() - imageAcross / 2 : std::min(corner.x(), other.x());
    const int y = vertical ? std::min(corner.y(), other.y()) : corner.y() - imageAcross / 2;
    painter.drawPixmap(x, y, image);
    textStart += imageLength + 4;
  }
  if (sheet->Caption().isEmpty()) return;
  const QFontMetrics metrics(font);
  const QString caption = ShortenCaption(sheet->Caption(), model_.CaptionRoom(tab, textStart), metrics);
  const QColor ink = open ? nv::platform::toQColor(0x000080) : palette().color(QPalette::WindowText);
  const QPoint centre = f.at((textStart + b) / 2, across);
  auto draw = [&](QPoint offset, const QColor& colour) {
    painter.save();
    painter.translate(centre + offset);
    if (vertical) painter.rotate(-90);
    painter.setPen(colour);
    const int w = metrics.horizontalAdvance(caption);
    painter.drawText(QPoint(-w / 2, (metrics.ascent() - metrics.descent()) / 2), caption);
    painter.restore();
  };
  if (hot && look.style == TabStyle::XP && pressedTab_ != tab.page) {
    draw({1, 1}, kGrey);
    draw({-1, -1}, ink);
  } else {
    draw({}, ink);
  }
}

}  // namespace nv::widgets
