// The score's view state: scroll bars and scrolling, invalidation under its
// lock, the caret counter, zoom to the page and the host window calls.
// The caret, cursor placement and navigator drawing are in score_view_cursor.cpp.
#include <algorithm>
#include <cmath>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/scoped_flag.h"
#include "model/units.h"

// --- client geometry -------------------------------------------------------------

// The score area's right and bottom edges in the client: the scroll bars
// stand there only while the control is enabled.
int TECMusicScore::ClientScoreRight() const {
  return host_->ClientWidth() - (host_->Enabled() ? host_->VerticalBarWidth() : 0);
}

int TECMusicScore::ClientScoreBottom() const {
  return host_->ClientHeight() - (host_->Enabled() ? host_->HorizontalBarHeight() : 0);
}

ScoreViewport TECMusicScore::Viewport() const {
  ScoreViewport viewport;
  viewport.ScrollX = HorzScrollBar.Position;
  viewport.ScrollY = VertScrollBar.Position;
  if (host_) {
    viewport.ClientWidth = host_->ClientWidth();
    viewport.ClientHeight = host_->ClientHeight();
    viewport.VerticalBarWidth = host_->VerticalBarWidth();
    viewport.HorizontalBarHeight = host_->HorizontalBarHeight();
    viewport.Enabled = host_->Enabled();
  }
  return viewport;
}

void TECMusicScore::SetScoreSize(int width, int height) {
  if (host_) host_->SetScoreSize(width, height);
}

// --- invalidation ------------------------------------------------------------------

void TECMusicScore::InvalidateClientRect(const TECRect& area) {
  if (InvalidationLocked) {
    ++InvalidationCount;
    return;
  }
  if (host_) host_->InvalidateRect(area);
}

void TECMusicScore::InvalidateArea(const TECRect& area) {
  const int dx = RulerSize() - HorzScrollBar.Position;
  const int dy = RulerSize() - VertScrollBar.Position;
  InvalidateClientRect({area.Left + dx, area.Top + dy, area.Right + dx, area.Bottom + dy});
}

void TECMusicScore::InvalidateScore() {
  if (InvalidationLocked) {
    ++InvalidationCount;
    return;
  }
  if (!host_) return;
  const int r = RulerSize();
  host_->InvalidateRect({r, r, ClientScoreRight(), ClientScoreBottom()});
}

void TECMusicScore::InvalidateClientArea() {
  if (host_) host_->InvalidateAll();
}

// The strip of page tabs left of the horizontal scroll bar.
void TECMusicScore::InvalidatePageTabs() {
  if (!host_) return;
  const int barTop = host_->ClientHeight() - host_->HorizontalBarHeight();
  InvalidateClientRect({0, barTop - 1, host_->ClientWidth() / 2 + 1, host_->ClientHeight()});
}

// --- scroll bars -----------------------------------------------------------------------

namespace {

// Within 0 .. Max - PageSize; the upper bound wins when the page is smaller.
int ClampedPosition(const TECScrollBar& bar, int position) {
  return std::min(std::max(position, 0), bar.Max - bar.PageSize);
}

void SetRange(TECScrollBar& bar, int max, int visible) {
  bar.Max = max;
  bar.PageSize = max < visible ? max : visible;
  bar.Position = ClampedPosition(bar, bar.Position);
}

}  // namespace

void TECMusicScore::UpdateScrollBars(bool notify) {
  if (!host_ || updatingScrollBars_ || PageLayout.Running) return;
  const ScopedFlag updating(updatingScrollBars_);
  const int r = RulerSize();
  SetRange(HorzScrollBar, page_->PixelWidth(), ClientScoreRight() - r);
  SetRange(VertScrollBar, page_->PixelHeight(), ClientScoreBottom() - r);
  host_->SetScrollBar(TECScrollBarKind::sbHorizontal, HorzScrollBar);
  host_->SetScrollBar(TECScrollBarKind::sbVertical, VertScrollBar);
  LayoutScore(0, false);
  if (notify) DoChanged();
}

void TECMusicScore::ScrollTo(TECScrollBarKind kind, int position) {
  const bool horizontal = kind == TECScrollBarKind::sbHorizontal;
  TECScrollBar& bar = horizontal ? HorzScrollBar : VertScrollBar;
  const int p = ClampedPosition(bar, position);
  const int old = bar.Position;
  if (p == old) return;
  bar.Position = p;
  if (!host_) return;
  const int r = RulerSize();
  const int right = host_->ClientWidth() - host_->VerticalBarWidth() - 1;
  const int bottom = host_->ClientHeight() - host_->HorizontalBarHeight() - 1;
  const TECRect area = horizontal ? TECRect{r, 0, right, bottom} : TECRect{0, r, right, bottom};
  const TECRect uncovered = host_->ScrollContents(area, horizontal ? old - p : 0, horizontal ? 0 : old - p);
  host_->SetScrollBar(kind, bar);
  // One pixel more than the move uncovers, so that the edge is repainted too.
  const int client = horizontal ? host_->ClientWidth() : host_->ClientHeight();
  const int barSize = horizontal ? host_->VerticalBarWidth() : host_->HorizontalBarHeight();
  const int farEdge = horizontal ? area.Right : area.Bottom;
  const int from = p > old ? client + old - barSize - p - 2 : r;
  const int to = p > old ? farEdge : old + r - p + 1;
  TECRect strip = horizontal ? TECRect{from, area.Top, to, area.Bottom} : TECRect{area.Left, from, area.Right, to};
  strip = {std::min(strip.Left, uncovered.Left), std::min(strip.Top, uncovered.Top),
           std::max(strip.Right, uncovered.Right), std::max(strip.Bottom, uncovered.Bottom)};
  InvalidateClientRect(strip);
  if (!InvalidationLocked) host_->RepaintNow();
}

// --- zoom ------------------------------------------------------------------------------

void TECMusicScore::SetMetrix(TECMetrix v) {
  if (v == metrix_) return;
  metrix_ = v;
  InvalidateClientArea();
}

void TECMusicScore::SetZoom(int v) {
  if (v < kLowestZoom || v > kHighestZoom || v == zoom_) return;
  const ScopedFlag silent(SuppressChanged);
  if (!host_) {
    zoom_ = v;
    zoomFactor_ = zoom_ * scale_;
    LayoutScore(0, false);
    return;
  }
  ShowCaret(false);
  const TECScrollBar oldHorz = HorzScrollBar;
  const TECScrollBar oldVert = VertScrollBar;
  zoom_ = v;
  zoomFactor_ = zoom_ * scale_;
  {
    const ScopedFlag changing(zoomChanging_);
    page_->UpdateScoreSize();
  }
  LayoutScore(0, false);
  // Each bar keeps its position at the same fraction of its range.
  auto keep = [](const TECScrollBar& was, TECScrollBar& bar) {
    const int oldRange = was.Max - was.PageSize;
    if (oldRange <= 0) {
      bar.Position = 0;
      return;
    }
    const long long range = std::max(bar.Max - bar.PageSize, 0);
    bar.Position = static_cast<int>(range * was.Position / oldRange);
  };
  keep(oldHorz, HorzScrollBar);
  keep(oldVert, VertScrollBar);
  host_->SetScrollBar(TECScrollBarKind::sbHorizontal, HorzScrollBar);
  host_->SetScrollBar(TECScrollBarKind::sbVertical, VertScrollBar);
  ShowCaret(true);
}

// The zoom that makes `tenths` of a millimetre fill `client` pixels.
void TECMusicScore::ZoomToPageLength(int client, double tenths) {
  if (tenths <= 0) return;
  const int dpi = ResolutionOrDefault(resolution_);
  const double zoom = std::nearbyint(client * 100.0 / (tenths / (254.0 / dpi)));
  SetZoom(static_cast<int>(std::clamp(zoom, double{kLowestZoom}, double{kHighestZoom})));
}

void TECMusicScore::ZoomToPageWidth() {
  if (host_) ZoomToPageLength(host_->ClientWidth() - host_->VerticalBarWidth(), page_->StoredValue(TECScorePage::viWidth));
}

void TECMusicScore::ZoomToPageHeight() {
  if (host_) ZoomToPageLength(host_->ClientHeight() - host_->HorizontalBarHeight(), page_->StoredValue(TECScorePage::viHeight));
}

// --- caret -----------------------------------------------------------------------------

void TECMusicScore::ShowCaret(bool show) {
  bool draw = false;
  if (!show && caretHideCount_ == 9999) {
    caretHideCount_ = -1;
  } else if (show) {
    draw = ++caretHideCount_ == 0;
  } else {
    draw = --caretHideCount_ == -1;
  }
  if (!draw || zoomChanging_ || !host_ || style_ == TScoreStyle::ssPreviewPages) return;
  host_->SetCaretVisible(show);
}

// --- page following --------------------------------------------------------------------

void TECMusicScore::FollowActivePage() {
  TECInstrument* instrument = CurrentInstrument();
  if (!instrument) return;
  int p = activePage_;
  while (PageLastMeasure(p) < cursorMeasure_ && p + 1 < instrument->PageCount()) ++p;
  if (p == activePage_) return;
  activePage_ = p;
  LayoutScore(p, false);
  ScrollToCursor();
  InvalidateScore();
  InvalidatePageTabs();
  if (OnActivePageChanged) OnActivePageChanged(this);
}

void TECMusicScore::FitCursorToPage(int oldPage) {
  TECRow* row = CurrentRow();
  if (!row) return;
  const int m = PageFirstMeasure(activePage_) + (cursorMeasure_ - PageFirstMeasure(oldPage));
  // The last page's end is not in the page table: it takes every measure after its start.
  const bool lastPage = activePage_ + 1 >= CurrentInstrument()->PageCount();
  if (!lastPage && m > PageLastMeasure(activePage_)) {
    row->GoToPageStart();
    return;
  }
  GoToMeasure(m);
  row->SnapCursor();
}
