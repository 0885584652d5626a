// The view's cursor: the XOR caret, scrolling to it, placing it from a point,
// the ruler markers and the navigator strip.
#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/scoped_flag.h"
#include "model/units.h"
#include "platform/canvas.h"

namespace {

using nv::platform::Canvas;
using nv::platform::Point;

constexpr nv::platform::Color kGrey = nv::platform::rgb(128, 128, 128);

}  // namespace

// The cursor's x and its row's staff top on the active page (document
// pixels); false when the cursor measure is not on it.
bool TECMusicScore::CursorPlace(int& x, int& staffTop) const {
  const TECInstrument* instrument = CurrentInstrument();
  const TECRow* row = CurrentRow();
  if (!instrument || !row) return false;
  const int onPage = cursorMeasure_ - PageFirstMeasure(activePage_);
  if (onPage < 0 || onPage >= static_cast<int>(row->Placement.size())) return false;
  const TECMeasurePlace& place = row->Placement[onPage];
  staffTop = place.Y;
  x = place.X;
  const TECMeasureLayout* layout = instrument->LayoutAt(cursorMeasure_);
  if (layout && !layout->Positions.empty()) {
    const int last = static_cast<int>(layout->Positions.size()) - 1;
    x += ByZoomFactor(std::int64_t{layout->HeaderWidth} + layout->ExtraWidth, zoomFactor_) +
         layout->Positions[std::clamp(cursorTick_, 0, last)];
    return true;
  }
  // No record yet: the estimate the painters use for such a measure.
  const int leftEdge = static_cast<int>(PageLeft(TECMetrix::rmPixels));
  const int t = cursorTick_;
  int offset;
  if (onPage > 0 && place.X >= leftEdge + 56)
    offset = t / 2 + 10;
  else if (row->MeasureCount() > 0 || cursorMeasure_ != 0)
    offset = 6 * instrument->MaxKeyAccidentals(cursorMeasure_, true) + t / 2 + 32;
  else
    offset = t / 2 + 48;
  x += offset * zoomFactor_ / 10000;
  return true;
}

void TECMusicScore::DrawCaret(Canvas& canvas, bool) {
  int x = 0;
  int top = 0;
  if (!CursorPlace(x, top)) return;
  const TECInstrument* instrument = CurrentInstrument();
  const TECRow* row = CurrentRow();
  const int d = StaffSpace(resolution_, zoomFactor_);
  const int staffHeight = 4 * d;
  int y1 = top - 4;
  int y2 = top + staffHeight + 4;
  if (cursorType_ != TECCursorType::ctRow) {
    const int onPage = cursorMeasure_ - PageFirstMeasure(activePage_);
    y1 = top;
    y2 = top + staffHeight;
    for (int r = 0; r < instrument->GetRowCount(); ++r) {
      const TECRow* other = instrument->GetRow(r);
      if (onPage >= static_cast<int>(other->Placement.size())) continue;
      y1 = std::min(y1, other->Placement[onPage].Y);
      y2 = std::max(y2, other->Placement[onPage].Y + staffHeight);
    }
  } else {
    const int index = row->GetIndex();
    const bool afterUnited = index > 0 && instrument->GetRow(index - 1)->United();
    const int shift = 8 * zoomFactor_ / 10000;
    const int voices = row->VoiceMode() + 1;
    if ((voices == 2 && cursorVoice_ == 1) || (voices == 3 && cursorVoice_ == 2) || afterUnited) {
      y1 += shift;
      y2 += shift;
    } else if ((voices >= 2 && voices <= 3 && cursorVoice_ == 0) || row->United()) {
      y1 -= shift;
      y2 -= shift;
    }
  }
  const int level = canvas.saveDC();
  const int r = RulerSize();
  canvas.setViewportOrigin({r - HorzScrollBar.Position, r - VertScrollBar.Position});
  if (host_) {
    canvas.intersectClipRect({HorzScrollBar.Position, VertScrollBar.Position,
                              HorzScrollBar.Position + ClientScoreRight() - r,
                              VertScrollBar.Position + ClientScoreBottom() - r});
  }
  const nv::platform::Color color = cursorColor_ != 0 ? static_cast<nv::platform::Color>(cursorColor_)
                                                      : nv::platform::colors::teal;
  canvas.setPen({color, 2, nv::platform::PenStyle::Solid, nv::platform::PenMode::Xor});
  canvas.moveTo(x, y1);
  canvas.lineTo(x, y2);
  if (cursorType_ == TECCursorType::ctRow) {
    // The pitch line: line 35 is the staff's middle line, two lines a space.
    const int y = top + 5 * d + d / 2 - (cursorPitch_ - 35) * d / 2;
    const int reach = 4 * zoomFactor_ / 10000;
    canvas.moveTo(x - reach, y);
    canvas.lineTo(x + reach, y);
  }
  canvas.restoreDC(level);
}

void TECMusicScore::ScrollToCursor() {
  if (zoomChanging_ || placingCursor_ || !host_ || cursorTick_ >= GetMeasureLength(cursorMeasure_)) return;
  int x = 0;
  int top = 0;
  if (!CursorPlace(x, top)) return;
  const int staffHeight = 4 * StaffSpace(resolution_, zoomFactor_);
  const TECRect box{x - 20, top - staffHeight / 2, x + 60, top + staffHeight + staffHeight / 2};
  const int r = RulerSize();
  auto target = [](const TECScrollBar& bar, int from, int to, int margin, int edge, int visible, int barSize) {
    if (from < margin) return 0;
    if (to > edge) return bar.Max - bar.PageSize;
    if (from < bar.Position) return from;
    if (to > bar.Position + visible) return to - visible + barSize;
    return bar.Position;
  };
  const int h = target(HorzScrollBar, box.Left, box.Right, static_cast<int>(PageLeft(TECMetrix::rmPixels)),
                       static_cast<int>(PageRightEdge(TECMetrix::rmPixels)), ClientScoreRight() - r,
                       host_->VerticalBarWidth());
  const int v = target(VertScrollBar, box.Top, box.Bottom, static_cast<int>(PageTop(TECMetrix::rmPixels)),
                       static_cast<int>(PageBottomEdge(TECMetrix::rmPixels)), ClientScoreBottom() - r,
                       host_->HorizontalBarHeight());
  if (h != HorzScrollBar.Position && v != VertScrollBar.Position) {
    ScopedInvalidationLock lock(*this);
    ScrollTo(TECScrollBarKind::sbHorizontal, h);
  } else {
    ScrollTo(TECScrollBarKind::sbHorizontal, h);
  }
  ScrollTo(TECScrollBarKind::sbVertical, v);
}

void TECMusicScore::SetCursorFromPoint(int x, int y, bool voiceByHeight) {
  ScoreClicked = false;
  TECInstrument* instrument = CurrentInstrument();
  if (!instrument) return;
  const int d = StaffSpace(resolution_, zoomFactor_);
  const int staffHeight = 4 * d;
  int rowIndex = -1;
  int onPage = -1;
  for (int r = 0; r < instrument->GetRowCount() && rowIndex < 0; ++r) {
    const TECRow* row = instrument->GetRow(r);
    const bool united = row->United() || (r > 0 && instrument->GetRow(r - 1)->United());
    if (united && r != instrument->GetActiveRowIndex()) continue;
    for (int k = static_cast<int>(row->Placement.size()) - 1; k >= 0; --k) {
      const TECMeasurePlace& place = row->Placement[k];
      if (place.X <= x && y >= place.Y - staffHeight / 2 && y <= place.Y + staffHeight + staffHeight / 2) {
        rowIndex = r;
        onPage = k;
        break;
      }
    }
  }
  if (rowIndex < 0) return;
  TECRow* row = instrument->GetRow(rowIndex);
  const TECMeasurePlace place = row->Placement[onPage];
  const int m = PageFirstMeasure(activePage_) + onPage;
  instrument->SetActiveRow(rowIndex);
  {
    const ScopedFlag placing(placingCursor_);
    GoToMeasure(m);
    int tick = 0;
    if (const TECMeasureLayout* layout = instrument->LayoutAt(m)) {
      const int origin = place.X + ByZoomFactor(std::int64_t{layout->HeaderWidth} + layout->ExtraWidth, zoomFactor_);
      const int length = std::min<int>(GetMeasureLength(m), static_cast<int>(layout->Positions.size()));
      for (int t = 0; t < length; ++t)
        if (origin + layout->Positions[t] <= x) tick = t;
    }
    SetCursorPosition(tick);
    row->SnapCursor();
  }
  ScrollToCursor();
  if (voiceByHeight) {
    if (row->VoiceMode() == 2)
      SetCursorVoice(y < place.Y ? 0 : y <= place.Y + 4 * d ? 1 : 2);
    else if (row->VoiceMode() == 1)
      SetCursorVoice(y <= place.Y + 2 * d ? 0 : 1);
  }
  ScoreClicked = true;
  ClickedPitchLine = (place.Y + 5 * d + d / 2 - y) * 2 / d;
  SetCursorPitch(ClickedPitchLine + 35);
}

void TECMusicScore::DrawRulerMarks(Canvas& canvas, int x, int y, bool grey, int kind) {
  if (!rules_ || kind < 1 || kind > 4) return;
  // Five corners of an 8 x 8 marker, apex in the direction of the kind,
  // listed from the apex clockwise; `lit` of them border the upper-left edges.
  struct Shape {
    Point corners[5];
    int lit;
  };
  static constexpr Shape shapes[4] = {
      {{{4, 0}, {8, 4}, {8, 8}, {0, 8}, {0, 4}}, 2},  // up: left side and its slope
      {{{4, 8}, {0, 4}, {0, 0}, {8, 0}, {8, 4}}, 3},  // down: left side and top
      {{{0, 4}, {4, 0}, {8, 0}, {8, 8}, {4, 8}}, 3},  // left: slope and top
      {{{8, 4}, {4, 8}, {0, 8}, {0, 0}, {4, 0}}, 3},  // right: left side and top
  };
  const Shape& shape = shapes[kind - 1];
  Point points[5];
  for (int i = 0; i < 5; ++i) points[i] = {x + shape.corners[i].x, y + shape.corners[i].y};
  canvas.setPen({grey ? kGrey : nv::platform::colors::black, 1, nv::platform::PenStyle::Solid,
                 nv::platform::PenMode::Copy});
  canvas.setBrush({nv::platform::systemColor(nv::platform::SystemColor::ButtonFace),
                   nv::platform::BrushStyle::Solid, {}});
  canvas.polygon(points);
  if (grey) return;
  // The highlight runs one pixel inside the upper-left edges.
  canvas.pen().color = nv::platform::colors::white;
  const int start = kind == 1 ? 3 : 1;
  Point lit[4];
  for (int i = 0; i <= shape.lit; ++i) {
    const Point& p = points[(start + i) % 5];
    lit[i] = {p.x + (p.x == x ? 1 : p.x == x + 8 ? -1 : 0), p.y + (p.y == y ? 1 : p.y == y + 8 ? -1 : 0)};
  }
  canvas.polyline(std::span<const Point>(lit, shape.lit + 1));
}

std::optional<TECPoint> TECMusicScore::RulerMarkerCorner(int marker) const {
  if (!rules_) return std::nullopt;
  const RulerMarkers markers = ComputeRulerMarkers();
  const int r = RulerWidth;
  const int h = HorzScrollBar.Position;
  switch (marker) {
    case 1: {
      const int x = markers.X1 ? markers.X1 : static_cast<int>(std::lround(PageLeft(TECMetrix::rmPixels)));
      return TECPoint{r + x - 4 - h, 3};
    }
    case 2: {
      const int x = markers.X2 ? markers.X2 : static_cast<int>(std::lround(PageRightEdge(TECMetrix::rmPixels)));
      return TECPoint{r + x - 4 - h, 3};
    }
    case 3:
      if (!CurrentRow()) return std::nullopt;
      return TECPoint{3, r + markers.Y - 4 - VertScrollBar.Position};
    case 4:
      if (!markers.X3) return std::nullopt;
      return TECPoint{r + markers.X3 - 4 - h, 12};
    default: return std::nullopt;
  }
}

// --- navigator -------------------------------------------------------------------------

namespace {

int NavigatorX(int measure, double scale) { return 10 + static_cast<int>(std::lround(measure * scale)); }

}  // namespace

void TECMusicScore::PaintNavigator(IECNavigatorPanel& panel, Canvas& canvas) {
  navigatorPanel_ = &panel;
  navigatorMarkShown_ = false;
  TECInstrument* instrument = CurrentInstrument();
  if (!instrument) return;
  const int measures = std::max(instrument->MaxMeasureCount(), instrument->LaidOutAll);
  if (measures < 1) return;
  navigatorScale_ = static_cast<double>(panel.ClientWidth() - 20) / measures;
  const double scale = navigatorScale_;
  // A panel narrower than its margins has no room for measures.
  if (scale <= 0) return;
  const int step = scale >= 3 ? 10 : scale >= 0.3 ? 100 : 1000;
  using nv::platform::colors::black;
  using nv::platform::colors::white;
  canvas.setPen({black, 1, nv::platform::PenStyle::Solid, nv::platform::PenMode::Copy});
  canvas.setBrush({black, nv::platform::BrushStyle::Solid, {}});
  // The bar: black as far as the music is laid out.
  const int laidOut = std::clamp(instrument->LaidOutRows, 0, measures);
  const int endX = NavigatorX(measures, scale);
  canvas.fillRect({10, 20, NavigatorX(laidOut, scale), 24});
  canvas.setBrush({white, nv::platform::BrushStyle::Solid, {}});
  canvas.fillRect({NavigatorX(laidOut, scale), 20, endX, 24});
  canvas.moveTo(10, 18);
  canvas.lineTo(10, 26);
  canvas.moveTo(endX, 18);
  canvas.lineTo(endX, 26);

  // Rehearsal marks where the counter changes.
  canvas.brush().style = nv::platform::BrushStyle::Clear;
  canvas.font() = nv::platform::Font{};
  canvas.font().size = 6;
  canvas.font().bold = true;
  int counter = 0;
  for (int m = 0; m < measures; ++m) {
    const TECMeasureLayout* layout = instrument->LayoutAt(m);
    if (!layout || layout->RehearsalCounter == counter) continue;
    counter = layout->RehearsalCounter;
    if (counter == 0) continue;
    const int x = NavigatorX(m, scale);
    canvas.moveTo(x, 18);
    canvas.lineTo(x, 26);
    const std::string label = layout->RehearsalStyle == 0 ? std::to_string(counter - 1)
                                                          : std::string(1, static_cast<char>(counter + 64));
    const int w = canvas.textWidth(label);
    const int h = canvas.textHeight(label);
    const nv::platform::Rect frame{x - w / 2 - 2, 7 - 1, x + w / 2 + 3, 7 + h + 1};
    if (layout->RehearsalStyle == 2)
      canvas.ellipse(frame);
    else
      canvas.rectangle(frame);
    canvas.textOut(x - w / 2, 7, label);
  }

  // The measure scale.
  canvas.font().bold = false;
  canvas.moveTo(10, 38);
  canvas.lineTo(endX, 38);
  for (int m = 0; m < measures; ++m) {
    const int x = NavigatorX(m, scale);
    if (m % step == 0) {
      canvas.moveTo(x, 34);
      canvas.lineTo(x, 38);
      if (m > 0 && m < measures - 1) {
        const std::string number = std::to_string(m);
        canvas.textOut(x - canvas.textWidth(number) / 2, 26, number);
      }
    } else if (step < 100) {
      canvas.moveTo(x, 36);
      canvas.lineTo(x, 38);
    }
  }

  // Page bands, grey for odd pages.
  int from = 10;
  for (int p = 0; p < instrument->PageCount(); ++p) {
    const int to = p + 1 < instrument->PageCount() ? NavigatorX(PageFirstMeasure(p + 1), scale) : endX;
    canvas.setBrush({p % 2 ? kGrey : white, nv::platform::BrushStyle::Solid, {}});
    canvas.rectangle({from, 52, std::max(to, from + 1), 58});
    canvas.brush().style = nv::platform::BrushStyle::Clear;
    canvas.textOut(from + 2, 42, std::to_string(p + 1));
    from = to;
  }
  DrawNavigatorMarker(canvas);
  navigatorMarkShown_ = true;
}

void TECMusicScore::DrawNavigatorMarker(Canvas& canvas) const {
  const int x = NavigatorX(cursorMeasure_, navigatorScale_);
  canvas.setPen({static_cast<nv::platform::Color>(cursorColor_ != 0 ? cursorColor_ : nv::platform::colors::teal), 2,
                 nv::platform::PenStyle::Solid, nv::platform::PenMode::Xor});
  canvas.moveTo(x, 18);
  canvas.lineTo(x, 60);
}

void TECMusicScore::DrawNavigatorFrame(bool show) {
  if (!navigatorPanel_ || navigatorScale_ <= 0 || show == navigatorMarkShown_) return;
  navigatorMarkShown_ = show;
  navigatorPanel_->DrawNow([this](Canvas& canvas) { DrawNavigatorMarker(canvas); });
}

void TECMusicScore::NavigatorClick(int x) {
  TECInstrument* instrument = CurrentInstrument();
  if (!navigatorPanel_ || navigatorScale_ <= 0 || !instrument) return;
  const int last = std::max(instrument->MaxMeasureCount(), instrument->LaidOutAll) - 1;
  const double measure = std::nearbyint((x - 10) / navigatorScale_);
  GoToMeasure(static_cast<int>(std::clamp(measure, 0.0, static_cast<double>(std::max(last, 0)))));
}
