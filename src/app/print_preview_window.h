#pragma once

#include <QDialog>

#include "document/score_document.h"

class QToolButton;
class TECMusicScore;

namespace nv::widgets {
class ScoreControl;
}

namespace nv::app {

// A modal look at a copy of a score, page by page: the copy cannot be edited
// and whatever the look does leaves the score it came from as it was.
class PrintPreviewWindow : public QDialog {
  Q_OBJECT
public:
  explicit PrintPreviewWindow(const TECMusicScore &score,
                              QWidget *parent = nullptr);
  ~PrintPreviewWindow() override;

  const TECMusicScore &Copy() const { return copy_.Score(); }
  QToolButton &PreviousButton() const { return *previous_; }
  QToolButton &NextButton() const { return *next_; }

private:
  // Shows page `page` of the copy, kept within its pages.
  void ShowPage(int page);

  nv::document::ScoreDocument copy_;
  nv::widgets::ScoreControl *view_ = nullptr;
  QToolButton *previous_ = nullptr;
  QToolButton *next_ = nullptr;
};

} // namespace nv::app
