// The score's calls into its view: invalidation, caret, navigator, scrolling.
// Until the view code exists they only reach the host window, when there is
// one; scrolling and the navigator do nothing yet.
#include "model/music_score.h"

void TECMusicScore::InvalidateScore() {
  if (host_) host_->InvalidateAll();
}

void TECMusicScore::InvalidateClientArea() {
  if (host_) host_->InvalidateAll();
}

void TECMusicScore::InvalidateArea(const TECRect& area) {
  if (host_) host_->InvalidateRect(area);
}

// The strip of page tabs left of the horizontal scroll bar.
void TECMusicScore::InvalidatePageTabs() {
  if (!host_) return;
  const int barTop = host_->ClientHeight() - host_->HorizontalBarHeight();
  InvalidateArea({0, barTop - 1, host_->ClientWidth() / 2 + 1, host_->ClientHeight()});
}

void TECMusicScore::ShowCaret(bool show) {
  if (host_) host_->SetCaretVisible(show);
}

void TECMusicScore::SetScoreSize(int width, int height) {
  if (host_) host_->SetScoreSize(width, height);
}

TScoreViewport TECMusicScore::Viewport() const {
  TScoreViewport viewport;
  viewport.ScrollX = ScrollX;
  viewport.ScrollY = ScrollY;
  if (host_) {
    viewport.ClientWidth = host_->ClientWidth();
    viewport.ClientHeight = host_->ClientHeight();
    viewport.VerticalBarWidth = host_->VerticalBarWidth();
    viewport.HorizontalBarHeight = host_->HorizontalBarHeight();
    viewport.Enabled = host_->Enabled();
  }
  return viewport;
}

void TECMusicScore::DrawNavigatorFrame(bool) {}

void TECMusicScore::ScrollToCursor() {}

void TECMusicScore::FitCursorToPage(int) {}

void TECMusicScore::UpdateScrollBars(bool) {}
