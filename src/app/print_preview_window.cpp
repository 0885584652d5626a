#include "app/print_preview_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "model/music_score.h"
#include "widgets/score_control.h"

namespace nv::app {

namespace {

constexpr int kPreviewWidth = 900;
constexpr int kPreviewHeight = 700;

} // namespace

PrintPreviewWindow::PrintPreviewWindow(const TECMusicScore &score,
                                       QWidget *parent)
    : QDialog(parent) {
  setObjectName("FPreview");
  setModal(true);
  // The page setup first: the copy lays out on the same paper.
  TECMusicScore &copy = copy_.Score();
  copy.SetPage(score.Page());
  copy.Assign(score);
  copy.ReadOnly = true;

  view_ = new nv::widgets::ScoreControl(copy_, this);
  view_->setObjectName("SCPreview");
  auto arrow = [this](const char *name, Qt::ArrowType type, int step) {
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setArrowType(type);
    connect(button, &QToolButton::clicked, this,
            [this, step] { ShowPage(copy_.Score().GetActivePage() + step); });
    return button;
  };
  previous_ = arrow("TBPreviousPage", Qt::LeftArrow, -1);
  next_ = arrow("TBNextPage", Qt::RightArrow, 1);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto *bar = new QHBoxLayout;
  bar->addWidget(previous_);
  bar->addWidget(next_);
  bar->addStretch(1);
  bar->addWidget(buttons);
  auto *column = new QVBoxLayout(this);
  column->addLayout(bar);
  column->addWidget(view_, 1);
  resize(kPreviewWidth, kPreviewHeight);
  ShowPage(copy.GetActivePage());
}

// The view goes before the copy it shows, not with the other children after it.
PrintPreviewWindow::~PrintPreviewWindow() { delete view_; }

void PrintPreviewWindow::ShowPage(int page) {
  TECMusicScore &copy = copy_.Score();
  const int last = std::max(copy.PageCount() - 1, 0);
  copy.SetActivePage(std::clamp(page, 0, last));
  previous_->setEnabled(copy.GetActivePage() > 0);
  next_->setEnabled(copy.GetActivePage() < last);
  view_->update();
}

} // namespace nv::app
