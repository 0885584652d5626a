// TECMusicScore::Paint and its rulers and page tabs: the client area of the
// score control drawn onto the canvas the window paints with.
#include <algorithm>
#include <cmath>
#include <string>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/units.h"
#include "platform/back_buffer.h"
#include "platform/frame_controls.h"
#include "render/page_tabs.h"

namespace {

using nv::platform::Canvas;
using nv::platform::Point;
using nv::platform::Rect;

constexpr nv::platform::Color kGrey = nv::platform::rgb(128, 128, 128);

nv::platform::Brush Solid(nv::platform::Color color) { return {color, nv::platform::BrushStyle::Solid, {}}; }

nv::platform::Color ButtonFace() { return nv::platform::systemColor(nv::platform::SystemColor::ButtonFace); }

bool Intersects(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Pixel position of label n along a ruler (without the ruler offset).
int LabelPosition(const TECMusicScore& score, int n) {
  switch (score.GetMetrix()) {
    case TECMetrix::rmPixels:
      return n * 100 * score.GetZoom() / 100;
    case TECMetrix::rmInches:
      return static_cast<int>(std::lround(StoredToDisplayUnits(&score, TECMetrix::rmPixels, false, n * 254.0)));
    case TECMetrix::rmMM:
      break;
  }
  return static_cast<int>(std::lround(StoredToDisplayUnits(&score, TECMetrix::rmPixels, false, n * 100.0)));
}

std::string LabelText(const TECMusicScore& score, int n) {
  return std::to_string(score.GetMetrix() == TECMetrix::rmPixels ? n * 100 : n);
}

// One ruler's bands, labels and ticks along an axis; `along` maps an offset
// along the ruler and an offset across it to a point.
template <typename Along>
void DrawScale(TECMusicScore& score, Canvas& canvas, int rulerSize, int margin, int edge, int length,
               bool horizontal, Along along) {
  const int r = rulerSize;
  auto band = [&](int from, int to, nv::platform::Color color) {
    canvas.setBrush(Solid(color));
    const Point a = along(from, 5);
    const Point b = along(to, r - 5);
    canvas.fillRect({a.x, a.y, b.x, b.y});
  };
  band(r, r + margin, kGrey);
  band(r + margin, r + edge + 1, nv::platform::colors::white);
  band(r + edge + 1, r + length, kGrey);
  canvas.brush().style = nv::platform::BrushStyle::Clear;
  const int middle = r / 2;
  int previous = r;
  for (int n = 1;; ++n) {
    const int x = r + LabelPosition(score, n);
    const std::string text = LabelText(score, n);
    const nv::platform::Size size = canvas.textExtent(text);
    const Point at = horizontal ? along(x - size.width / 2, (r - size.height) / 2)
                                : along(x - size.height / 2, (r - size.width) / 2);
    canvas.textOut(at.x, at.y, text);
    const int half = (previous + x) / 2;
    const Point tickFrom = along(half, middle - 2);
    const Point tickTo = along(half, middle + 3);
    canvas.moveTo(tickFrom.x, tickFrom.y);
    canvas.lineTo(tickTo.x, tickTo.y);
    for (const int quarter : {(previous + half) / 2, (half + x) / 2}) {
      const Point dot = along(quarter, middle);
      canvas.setPixel(dot.x, dot.y, nv::platform::colors::black);
    }
    // A length too small to move on would never reach the edge.
    if (x >= r + edge - size.width || x <= previous) break;
    previous = x;
  }
}

void DrawPageTabs(TECMusicScore& score, Canvas& canvas, const Rect& clip) {
  IECScoreHost* host = score.Host();
  const int top = host->ClientHeight() - host->HorizontalBarHeight();
  if (!host->Enabled() || clip.bottom <= top) return;
  const nv::render::PageTabStrip strip = nv::render::LayoutPageTabs(score, canvas);
  canvas.setBrush(Solid(ButtonFace()));
  canvas.fillRect(strip.Strip);
  nv::platform::drawEdge(canvas,
                         {host->ClientWidth() - host->VerticalBarWidth(), top, host->ClientWidth(),
                          host->ClientHeight()},
                         nv::platform::Edge::Raised, true);
  if (!score.CurrentInstrument()) return;
  const int bottom = strip.Strip.bottom;
  canvas.setPen({nv::platform::colors::black, 1, nv::platform::PenStyle::Solid, nv::platform::PenMode::Copy});
  auto drawTab = [&](const nv::render::PageTab& tab) {
    const int x = tab.X;
    const int w = tab.Width;
    const Point corners[] = {{x - 5, top - 1},         {x, bottom - 3},     {x + 1, bottom - 2},
                             {x + w - 6, bottom - 2}, {x + w - 5, bottom - 3}, {x + w, top - 1}};
    canvas.setBrush(Solid(nv::platform::colors::white));
    canvas.polygon(corners);
    canvas.brush().style = nv::platform::BrushStyle::Clear;
    canvas.textOut(x + 5, bottom - 14, std::to_string(tab.Page + 1));
  };
  const int active = score.GetActivePage();
  const nv::render::PageTab* activeTab = nullptr;
  // Left of the active tab from it leftwards, right of it from the far end
  // back, so that neighbours overlap towards the active tab, drawn last.
  for (auto it = strip.Tabs.rbegin(); it != strip.Tabs.rend(); ++it)
    if (it->Page < active) drawTab(*it);
  for (auto it = strip.Tabs.rbegin(); it != strip.Tabs.rend(); ++it) {
    if (it->Page > active) drawTab(*it);
    if (it->Page == active) activeTab = &*it;
  }
  if (activeTab) drawTab(*activeTab);
  canvas.setPen({nv::platform::colors::black, 1, nv::platform::PenStyle::Solid, nv::platform::PenMode::Copy});
  const int gapFrom = activeTab ? activeTab->X - 5 : strip.Strip.right;
  const int gapTo = activeTab ? activeTab->X + activeTab->Width + 1 : strip.Strip.right;
  canvas.moveTo(strip.Strip.left, top);
  canvas.lineTo(gapFrom, top);
  canvas.moveTo(gapTo, top);
  canvas.lineTo(strip.Strip.right, top);
  if (strip.LeftArrow.right > strip.LeftArrow.left)
    nv::platform::drawScrollArrow(canvas, strip.LeftArrow, nv::platform::ArrowDirection::Left, score.TabArrowLeft,
                                  score.TabArrowLeft);
  if (strip.RightArrow.right > strip.RightArrow.left)
    nv::platform::drawScrollArrow(canvas, strip.RightArrow, nv::platform::ArrowDirection::Right,
                                  score.TabArrowRight, score.TabArrowRight);
}

}  // namespace

void TECMusicScore::DrawRulers(Canvas& canvas, bool clip, const Rect& area) {
  if (!host_ || LayoutSuspended) return;
  const int level = canvas.saveDC();
  Rect rect = area;
  if (clip) {
    rect.right = std::min(rect.right, host_->ClientWidth() - host_->VerticalBarWidth() + 2);
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
      canvas.restoreDC(level);
      return;
    }
    canvas.intersectClipRect(rect);
  }
  const int r = RulerWidth;
  const int left = static_cast<int>(std::lround(PageLeft(TECMetrix::rmPixels)));
  const int top = static_cast<int>(std::lround(PageTop(TECMetrix::rmPixels)));
  const int right = static_cast<int>(std::lround(PageRightEdge(TECMetrix::rmPixels)));
  const int bottom = static_cast<int>(std::lround(PageBottomEdge(TECMetrix::rmPixels)));
  canvas.setBrush(Solid(ButtonFace()));
  canvas.fillRect({0, 0, rect.right, r});
  canvas.fillRect({0, 0, r, rect.bottom});
  canvas.setPen({nv::platform::colors::black, 1, nv::platform::PenStyle::Solid, nv::platform::PenMode::Copy});
  canvas.font() = nv::platform::Font{};
  canvas.font().face = "Times New Roman";
  canvas.font().size = 7;
  if (RulerDrag != 3) {
    const int inner = canvas.saveDC();
    if (!clip) canvas.intersectClipRect({r, 0, host_->ClientWidth() - host_->VerticalBarWidth(), r});
    canvas.setViewportOrigin({-HorzScrollBar.Position, 0});
    DrawScale(*this, canvas, r, left, right, page_->PixelWidth(), true, [](int a, int b) { return Point{a, b}; });
    // The corners are client pixels; this ruler is drawn scrolled.
    for (const int marker : {1, 2, 4})
      if (const auto corner = RulerMarkerCorner(marker))
        DrawRulerMarks(canvas, corner->X + HorzScrollBar.Position, corner->Y, RulerDrag == marker, marker == 4 ? 1 : 2);
    canvas.restoreDC(inner);
  }
  if (RulerDrag == 0 || RulerDrag == 3) {
    const int inner = canvas.saveDC();
    if (!clip) canvas.intersectClipRect({0, r, r, host_->ClientHeight() - host_->HorizontalBarHeight() - 2});
    canvas.setViewportOrigin({0, -VertScrollBar.Position});
    DrawScale(*this, canvas, r, top, bottom, page_->PixelHeight(), false, [](int a, int b) { return Point{b, a}; });
    if (const auto corner = RulerMarkerCorner(3))
      DrawRulerMarks(canvas, corner->X, corner->Y + VertScrollBar.Position, RulerDrag == 3, 4);
    canvas.restoreDC(inner);
  }
  canvas.restoreDC(level);
}

void TECMusicScore::Paint(Canvas& canvas, nv::platform::BackBuffer* buffer,
                          const nv::render::PaintSelection* selection) {
  if (!host_) return;
  const Rect clip = canvas.clipRect();
  const int width = host_->ClientWidth();
  const int height = host_->ClientHeight();
  Rect r{0, 0, width, height};
  const bool pages = style_ == TScoreStyle::ssPages || style_ == TScoreStyle::ssPreviewPages;
  if (pages && rules_) {
    const int size = RulerWidth;
    if (Intersects(clip, {0, 0, width, size}) || Intersects(clip, {0, 0, size, height})) DrawRulers(canvas, false, r);
    r.left += size;
    r.top += size;
  }
  auto drawScore = [&](Canvas& target) {
    const Point origin = target.setViewportOrigin(
        {target.viewportOrigin().x + r.left - HorzScrollBar.Position, target.viewportOrigin().y + r.top - VertScrollBar.Position});
    const int level = target.saveDC();
    page_->DrawBackground(target, page_->PageRect());
    page_->DrawWatermark(target);
    DrawPage(target, zoom_, zoom_, selection);
    target.restoreDC(level);
    target.setViewportOrigin(origin);
  };
  const int level = canvas.saveDC();
  // The scroll bars' strips stay as the window drew them.
  if (host_->Enabled())
    canvas.intersectClipRect({r.left, r.top, width - host_->VerticalBarWidth(), height - host_->HorizontalBarHeight()});
  else
    canvas.intersectClipRect({r.left, r.top, width, height - 1});
  if (buffer) {
    Canvas& back = buffer->begin(width, height);
    drawScore(back);
    canvas.draw(0, 0, buffer->end());
  } else {
    drawScore(canvas);
  }
  canvas.restoreDC(level);
  // After the page: the tabs hang one pixel into the score area.
  if (pages) DrawPageTabs(*this, canvas, clip);
}
