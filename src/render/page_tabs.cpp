#include "render/page_tabs.h"

#include <string>

#include "model/instrument.h"

namespace nv::render {

void SelectPageTabFont(nv::platform::Canvas& canvas) {
  canvas.font() = nv::platform::Font{};
  canvas.font().face = "Arial";
  canvas.font().size = 8;
}

namespace {

TECRect ToRect(const nv::platform::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// What the mouse presses: each tab from 5 pixels left of its number's
// place over the number's width and 10 pixels more, as tabs step.
void RecordPlaces(TECMusicScore& score, const PageTabStrip& strip) {
  score.PageTabLeftArrow = ToRect(strip.LeftArrow);
  score.PageTabRightArrow = ToRect(strip.RightArrow);
  score.PageTabPlaces.clear();
  for (const PageTab& tab : strip.Tabs)
    score.PageTabPlaces.push_back({tab.Page, {tab.X - 5, strip.Strip.top, tab.X + tab.Width - 10, strip.Strip.bottom}});
}

}  // namespace

PageTabStrip LayoutPageTabs(TECMusicScore& score, nv::platform::Canvas& canvas) {
  PageTabStrip strip;
  IECScoreHost* host = score.Host();
  if (!host) return strip;
  const int height = host->HorizontalBarHeight();
  const int top = host->ClientHeight() - height;
  strip.Strip = {0, top, host->ClientWidth() / 2, host->ClientHeight()};
  score.LastPageTab = -1;
  const TECInstrument* instrument = score.CurrentInstrument();
  if (!instrument) {
    RecordPlaces(score, strip);
    return strip;
  }
  SelectPageTabFont(canvas);
  const int first = std::clamp(score.FirstPageTab, 0, std::max(instrument->PageCount() - 1, 0));
  int x = 0;
  if (first > 0) {
    strip.LeftArrow = {0, top, height + 1, top + height + 1};
    x = strip.LeftArrow.right;
  }
  const int limit = host->ClientWidth() / 2 - height - 6;
  for (int p = first; p < instrument->PageCount(); ++p) {
    const int text = canvas.textWidth(std::to_string(p + 1));
    const PageTab tab{p, x + 5, text + 15};
    if (tab.X + tab.Width >= limit && p > first) {
      score.LastPageTab = p - 1;
      const int right = host->ClientWidth() / 2;
      strip.RightArrow = {right - height - 1, top, right, top + height + 1};
      break;
    }
    strip.Tabs.push_back(tab);
    x += text + 10;
  }
  RecordPlaces(score, strip);
  return strip;
}

}  // namespace nv::render
