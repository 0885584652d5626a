#include "document/preview_copy.h"

#include <algorithm>

#include "model/music_score.h"

namespace nv::document {

PreviewCopy::PreviewCopy(const ScoreDocument& source) {
  TECMusicScore& copy = copy_.Score();
  copy.SetPage(source.Score().Page());
  copy.Assign(source.Score());
  copy.ReadOnly = true;
  copy_.SetReadOnly(true);
}

int PreviewCopy::PageCount() const { return copy_.Score().PageCount(); }
int PreviewCopy::ActivePage() const { return copy_.Score().GetActivePage(); }

void PreviewCopy::SetActivePage(int page) {
  copy_.Score().SetActivePage(std::clamp(page, 0, std::max(PageCount() - 1, 0)));
}

int PreviewCopy::Zoom() const { return copy_.Score().GetZoom(); }
void PreviewCopy::SetZoom(int percent) { copy_.Score().SetZoom(percent); }
void PreviewCopy::ZoomToPageWidth() { copy_.Score().ZoomToPageWidth(); }
void PreviewCopy::ZoomToPageHeight() { copy_.Score().ZoomToPageHeight(); }

}  // namespace nv::document
