#include "editor/guitar.h"

#include <QMouseEvent>

namespace nv::editor {

using platform::Color;
namespace colors = platform::colors;

namespace {
constexpr Color kGrey = 0x808080;
constexpr Color kDarkGrey = 0x424040;  // as stored: 0x00BBGGRR
constexpr Color kInlay = 0xE3EEEE;

void VLine(platform::Canvas& c, Color color, int x, int height) {
  c.setPen({color});
  c.moveTo(x, 0);
  c.lineTo(x, height);
}

void CentredText(platform::Canvas& c, const std::string& text, int left, int width, int middleY) {
  if (text.empty()) return;
  const platform::Size size = c.textExtent(text);
  c.textOut(left + (width - size.width) / 2, middleY - size.height / 2, text);
}
}  // namespace

TECGuitar::TECGuitar(QWidget* parent) : BufferedControl(parent) {
  model_.OnChanged = [this] { update(); };
}

void TECGuitar::PaintBoard(platform::Canvas& c) {
  const FretboardModel& m = model_;
  const int w = m.ClientWidth();
  const int h = m.ClientHeight();
  const int s = m.StringSpacing();
  c.setBrush({Color, platform::BrushStyle::Solid, {}});
  c.fillRect({0, 0, w, h});
  c.setBrush({colors::black, platform::BrushStyle::Solid, {}});
  c.fillRect({0, 0, m.PanelWidth(), h});
  c.setFont(Font);
  for (int k = 1; k <= m.FretCount(); ++k) {
    const int x = m.SpaceRight(k);
    VLine(c, kGrey, x - 1, h);
    VLine(c, colors::white, x, h);
    VLine(c, colors::silver, x + 1, h);
    VLine(c, kDarkGrey, x + 2, h);
    // A number wider than its space is left out rather than run into the next.
    const std::string number = std::to_string(k);
    if (c.textWidth(number) + 5 > m.SpaceWidth(k)) continue;
    c.setBrush({colors::white, platform::BrushStyle::Clear, {}});
    c.textOut(m.SpaceLeft(k) + 5, 0, number);
  }
  // Inlays in the spaces after the wires: single at 5, 7, 9, 15, 17, 19, 21; double at 12 and 23.
  const int r = s * 2 / 5;
  const int mid = h - (s + 1) * m.StringCount() / 2 - 1;
  c.setPen({kInlay});
  c.setBrush({kInlay, platform::BrushStyle::Solid, {}});
  for (int wire : {4, 6, 8, 11, 14, 16, 18, 20, 22}) {
    if (wire + 1 > m.FretCount()) continue;
    const int cx = m.SpaceLeft(wire + 1) + m.SpaceWidth(wire + 1) / 2;
    if (wire == 11 || wire == 22) {
      c.ellipse(cx - r, mid - s - r, cx + r, mid - s + r);
      c.ellipse(cx - r, mid + s - r, cx + r, mid + s + r);
    } else {
      c.ellipse(cx - r, mid - r, cx + r, mid + r);
    }
  }
  for (int string = m.StringCount() - 1; string >= 0; --string) {
    const int y = m.StringY(string);
    c.setPen({kDarkGrey});
    c.moveTo(m.PanelWidth(), y + 1);
    c.lineTo(w, y + 1);
    c.setPen({colors::white});
    c.moveTo(m.PanelWidth(), y);
    c.lineTo(w, y);
    c.setBrush({colors::white, platform::BrushStyle::Clear, {}});
    c.font().color = colors::white;
    if (OnGetNoteName) CentredText(c, OnGetNoteName(-1, string), 0, m.FingerWidth(), y);
    const int fret = m.GetFret(string);
    if (fret <= 0) continue;
    const int left = fret == 1 ? 0 : m.SpaceLeft(fret - 1) + (m.SpaceWidth(fret - 1) - m.FingerWidth()) / 2;
    c.setPen({kDarkGrey});
    c.setBrush({0x00FFFF, platform::BrushStyle::Solid, {}});
    c.roundRect({left, y - s / 2, left + m.FingerWidth(), y - s / 2 + s}, 4, 4);
    c.setBrush({colors::white, platform::BrushStyle::Clear, {}});
    c.font().color = colors::black;
    if (OnGetNoteName) CentredText(c, OnGetNoteName(fret - 2, string), left, m.FingerWidth(), y);
    c.font().color = Font.color;
  }
}

void TECGuitar::resizeEvent(QResizeEvent*) { model_.SetClientSize(width(), height()); }

void TECGuitar::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  model_.MouseDown(p.x(), p.y());
}

}  // namespace nv::editor
