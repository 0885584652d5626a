#pragma once

#include "document/score_document.h"

namespace nv::document {

// A read-only copy of a score for looking at page by page: its page setup
// first, so that it lays out on the same paper, then the whole score.
// Whatever is done to the copy leaves the score it came from as it was.
class PreviewCopy {
 public:
  explicit PreviewCopy(const ScoreDocument& source);

  ScoreDocument& Document() { return copy_; }
  const ScoreDocument& Document() const { return copy_; }

  int PageCount() const;
  int ActivePage() const;
  // Kept within the pages.
  void SetActivePage(int page);
  int Zoom() const;
  void SetZoom(int percent);
  // Fit the page's width or height into the view showing the copy.
  void ZoomToPageWidth();
  void ZoomToPageHeight();

 private:
  ScoreDocument copy_;
};

}  // namespace nv::document
