#include "render/painter_context.h"

#include <algorithm>
#include <cmath>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/measure_layout.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/units.h"
#include "platform/font_faces.h"
#include "render/music_font_codes.h"

namespace nv::render {

bool PaintSelection::Contains(const TECElement* element) const {
  return std::find(Elements.begin(), Elements.end(), element) != Elements.end();
}

PainterContext::PainterContext(nv::platform::Canvas& canvas, TECMusicScore& score, TECInstrument& instrument,
                                     int hzoom, int vzoom)
    : Canvas(canvas), Score(score), Instrument(instrument) {
  HorizontalFactor = hzoom * score.GetScale();
  VerticalFactor = vzoom * score.GetScale();
  for (int n = 1; n <= 6; ++n) PenUnits[n] = n * HorizontalFactor / 10000;
  TwoThirdsUnit = HorizontalFactor / 15000;
  Space = StaffSpace(score.GetResolution(), VerticalFactor);
  StaffHeight = 4 * Space;
  Printing = score.Printing();
  HasWindow = score.Host() != nullptr;
  Enabled = !HasWindow || score.Viewport().Enabled;
}

int PainterContext::FontSize(int points) const {
  return Printing ? Score.GetScale() * points / 100 : points * HorizontalFactor / 10000;
}

int PainterContext::MusicFontHeight(int points) const {
  return std::max(1, static_cast<int>(std::lround(Space * 7.0 * points / 32.0)));
}

void PainterContext::UseMusicFont(int points, nv::platform::Color color) {
  nv::platform::Font font;
  font.face = nv::platform::kMusicFace;
  font.size = FontSize(points);
  font.height = -MusicFontHeight(points);
  font.color = color;
  Canvas.setFont(font);
}

void PainterContext::UseTextFont(const char* face, int size, nv::platform::Color color, bool bold, bool italic) {
  nv::platform::Font font;
  font.face = face;
  font.size = size;
  font.color = color;
  font.bold = bold;
  font.italic = italic;
  Canvas.setFont(font);
}

int PainterContext::HeadWidth(bool whole) {
  int& width = headWidths_[whole ? 1 : 0];
  if (width < 0) {
    const nv::platform::Font previous = Canvas.font();
    UseMusicFont(16);
    width = Canvas.textWidth(glyph::Text(whole ? glyph::WholeHead : glyph::HalfHead));
    Canvas.setFont(previous);
  }
  return width;
}

bool PainterContext::IsSelected(const TECElement* element) const {
  return Selection != nullptr && SelectionIndex >= 0 && Selection->Contains(element);
}

nv::platform::Color PainterContext::InkFor(const TECElement* element) const {
  return IsSelected(element) ? nv::platform::colors::red : nv::platform::colors::black;
}

void PainterContext::SetPen(nv::platform::Color color, int width) {
  Canvas.setPen({color, width, nv::platform::PenStyle::Solid, nv::platform::PenMode::Copy});
}

void PainterContext::SetSolidBrush(nv::platform::Color color) {
  Canvas.setBrush({color, nv::platform::BrushStyle::Solid, {}});
}

void PainterContext::Line(int x1, int y1, int x2, int y2) {
  Canvas.moveTo(x1, y1);
  Canvas.lineTo(x2, y2);
}

nv::platform::Font TextFont(const std::string& face, int size, nv::platform::Color color, int style) {
  nv::platform::Font font;
  font.face = face.empty() ? "Arial" : face;
  font.size = size;
  font.color = color;
  font.bold = style & 1;
  font.italic = style & 2;
  font.underline = style & 4;
  font.strikeout = style & 8;
  return font;
}

void PainterContext::SetClearBrush() { Canvas.setBrush({0, nv::platform::BrushStyle::Clear, {}}); }

int LayoutColumn(const TECMeasureLayout& layout, int tick) {
  if (layout.Positions.empty()) return 0;
  // Within the table and within the measure: the entry past the last tick
  // is the measure's end.
  int last = static_cast<int>(layout.Positions.size()) - 1;
  if (layout.MeasureLength > 0) last = std::min<int>(last, layout.MeasureLength);
  return layout.Positions[std::clamp(tick, 0, last)];
}

int PainterContext::ColumnOffset(int tick) const {
  if (Layout != nullptr && !Layout->Positions.empty()) return LayoutColumn(*Layout, tick);
  const int t = std::max(tick, 0);
  if (!FirstInSystem) return Scaled(t / 2 + 10);
  const bool rowHasMeasures = Row != nullptr && Row->MeasureCount() > 0;
  if (rowHasMeasures || MeasureIndex != 0) return Scaled(6 * KeyAccidentals + t / 2 + 32);
  return Scaled(t / 2 + 48);
}

int PainterContext::ColumnX(int tick) const { return MeasureX + ColumnOffset(tick); }

}  // namespace nv::render
