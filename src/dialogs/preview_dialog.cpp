#include "dialogs/preview_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <stdexcept>
#include <string>

#include "dialogs/logic/page_ranges.h"
#include "document/preview_copy.h"
#include "widgets/score_control.h"

namespace nv::dialogs {
namespace {

const char* const kZoomItems[] = {"By width", "By height", "50%", "75%", "100%", "150%", "200%"};
constexpr int kHundredPercent = 4;
constexpr const char* kActions[][2] = {{"AFirstPage", "First page"}, {"APriorPage", "Previous page"},
                                       {"ANextPage", "Next page"},   {"ALastPage", "Last page"},
                                       {"APrint", "Print"},          {"APrintSettings", "Print settings"}};

}  // namespace

TFDCPreview::TFDCPreview(const nv::document::ScoreDocument& source, nv::platform::IniFile* settings, bool canPrint,
                         PrintRoutine print, QWidget* parent)
    : DialogFrame({QStringLiteral("FDCPreview"), {900, 700}, "PreviewForm", BoundsMode::PositionSize, {}, 0}, settings,
                  parent),
      copy_(std::make_unique<nv::document::PreviewCopy>(source)) {
  setWindowTitle(QStringLiteral("Preview"));
  setSizeGripEnabled(true);
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("TBPreview"));
  zoom_ = new QComboBox(bar);
  zoom_->setObjectName(QStringLiteral("CBScale"));
  zoom_->setToolTip(QStringLiteral("Zoom"));
  for (const char* item : kZoomItems) zoom_->addItem(QString::fromLatin1(item));
  zoom_->setCurrentIndex(kHundredPercent);
  bar->addWidget(zoom_);
  for (const auto& [name, caption] : kActions) {
    auto* action = bar->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    actions_.push_back(action);
  }
  auto* close = new QPushButton(QStringLiteral("&Close"), bar);
  close->setObjectName(QStringLiteral("SBClose"));
  close->setToolTip(QStringLiteral("Close preview"));
  bar->addWidget(close);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  view_ = new nv::widgets::ScoreControl(copy_->Document(), this);
  view_->setObjectName(QStringLiteral("MSPreview"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(bar);
  column->addWidget(view_, 1);

  const auto page = [this](std::function<int()> target) {
    return [this, target = std::move(target)] {
      copy_->SetActivePage(target());
      UpdatePageActions();
    };
  };
  connect(actions_[0], &QAction::triggered, this, page([] { return 0; }));
  connect(actions_[1], &QAction::triggered, this, page([this] { return copy_->ActivePage() - 1; }));
  connect(actions_[2], &QAction::triggered, this, page([this] { return copy_->ActivePage() + 1; }));
  connect(actions_[3], &QAction::triggered, this, page([this] { return copy_->PageCount() - 1; }));
  actions_[4]->setEnabled(canPrint && print);
  connect(actions_[4], &QAction::triggered, this, [this, print = std::move(print)] {
    if (print) print(copy_->Document());
  });
  connect(zoom_, &QComboBox::activated, this, &TFDCPreview::ZoomChosen);
  subscriptions_.push_back(copy_->Document().Notices().ActivePageChanged.Subscribe([this] { UpdatePageActions(); }));
  Translate();
  UpdatePageActions();
}

// The view goes before the copy it shows.
TFDCPreview::~TFDCPreview() {
  subscriptions_.clear();
  delete view_;
}

QAction& TFDCPreview::Action(const char* name) const {
  for (QAction* action : actions_)
    if (action->objectName() == QLatin1String(name)) return *action;
  throw std::invalid_argument(std::string("The preview has no action ") + name);
}

void TFDCPreview::UpdatePageActions() {
  const PageActionStates states = PageActionsFor(copy_->ActivePage(), copy_->PageCount());
  actions_[0]->setEnabled(states.First);
  actions_[1]->setEnabled(states.Previous);
  actions_[2]->setEnabled(states.Next);
  actions_[3]->setEnabled(states.Last);
  view_->update();
}

void TFDCPreview::showEvent(QShowEvent* event) {
  DialogFrame::showEvent(event);
  UpdatePageActions();
}

void TFDCPreview::ZoomChosen(int index) {
  if (index == 0) {
    copy_->ZoomToPageWidth();
  } else if (index == 1) {
    copy_->ZoomToPageHeight();
  } else {
    QString text = zoom_->itemText(index);
    text.chop(1);
    copy_->SetZoom(text.toInt());
  }
  view_->update();
}

}  // namespace nv::dialogs
