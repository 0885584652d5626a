#include "widgets/page_control.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

#include "platform/qt/qt_font_faces.h"
#include "widgets/scroll_arrow_button.h"
#include "widgets/widget_paint.h"

namespace nv::widgets {

namespace {

// The tab text of a form: its caption up to the first line break.
QString FirstLine(const QString& caption) {
  const qsizetype end = caption.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
  return end < 0 ? caption : caption.left(end);
}

}  // namespace

// --- TECTabSheet -------------------------------------------------------------

TECTabSheet::TECTabSheet(TECPageControl* control)
    : QWidget(control), brush_(Qt::white), tabBrush_(Qt::white) {
  tabFont_ = QFont(nv::platform::fontFamilyFor("Arial"));
  tabFont_.setPointSize(8);
  hide();
  if (control != nullptr) {
    control_ = control;
    control->AddSheet(this);
  }
}

TECTabSheet::~TECTabSheet() {
  if (control_ != nullptr) control_->RemoveSheet(this);
}

void TECTabSheet::SetPageControl(TECPageControl* control) {
  if (control == control_) return;
  if (control_ != nullptr) control_->RemoveSheet(this);
  control_ = control;
  setParent(control);
  hide();
  if (control != nullptr) control->AddSheet(this);
}

void TECTabSheet::Changed() {
  if (control_ != nullptr) control_->SheetChanged(this);
}

void TECTabSheet::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

void TECTabSheet::SetSheetVisible(bool visible) {
  if (visible == sheetVisible_) return;
  sheetVisible_ = visible;
  Changed();
}

void TECTabSheet::SetTabVisible(bool visible) {
  if (visible == tabVisible_) return;
  tabVisible_ = visible;
  Changed();
}

int TECTabSheet::PageIndex() const { return control_ == nullptr ? -1 : control_->IndexOf(this); }

void TECTabSheet::SetPageIndex(int n) {
  if (control_ != nullptr) control_->MoveSheet(this, n);
}

void TECTabSheet::SetTabWidth(int width) {
  if (width == tabWidth_) return;
  tabWidth_ = width;
  Changed();
}

void TECTabSheet::SetBrush(const QBrush& brush) {
  brush_ = brush;
  update();
}

void TECTabSheet::SetTabBrush(const QBrush& brush) {
  tabBrush_ = brush;
  Changed();
}

void TECTabSheet::SetTabFont(const QFont& font) {
  tabFont_ = font;
  Changed();
}

void TECTabSheet::SetImage(int index) {
  if (index == image_) return;
  image_ = index;
  Changed();
}

void TECTabSheet::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  Changed();
}

void TECTabSheet::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), brush_);
}

// --- TECPageControl ----------------------------------------------------------

TECPageControl::TECPageControl(QWidget* parent)
    : QWidget(parent), brush_(Qt::white), spiralBrush_(Qt::white) {
  pageSetting_.brush = QBrush(Qt::white);
  model_.SetOrientation(pageSetting_.orientation);
  model_.SetDoubleSheet(pageSetting_.doubleSheet);
  setMouseTracking(true);
  resize(300, 200);
}

TECPageControl::~TECPageControl() {
  destroying_ = true;
  for (TECTabSheet* sheet : sheets_) {
    if (sheet->dockedForm_ != nullptr) {
      disconnect(sheet->dockedForm_, nullptr, this, nullptr);
      sheet->dockedForm_->removeEventFilter(this);
    }
    sheet->control_ = nullptr;
  }
  sheets_.clear();
}

int TECPageControl::IndexOf(const TECTabSheet* sheet) const {
  const auto it = std::find(sheets_.begin(), sheets_.end(), sheet);
  return it == sheets_.end() ? -1 : static_cast<int>(it - sheets_.begin());
}

TECTabSheet* TECPageControl::ActivePage() const {
  const int active = model_.Active();
  return active < 0 ? nullptr : sheets_[static_cast<std::size_t>(active)];
}

PageInfo TECPageControl::InfoOf(const TECTabSheet* sheet) const {
  PageInfo info;
  info.visible = sheet->SheetVisible();
  info.tabVisible = sheet->TabVisible();
  info.tabWidth = sheet->TabWidth();
  const QFont bold = FontFromDescription(sheet->TabFont().family(), sheet->TabFont().pointSize(), logicalDpiY(), true);
  info.captionWidth = QFontMetrics(bold).horizontalAdvance(sheet->Caption());
  info.hasCaption = !sheet->Caption().isEmpty();
  info.hasImage = sheet->Image() >= 0 && sheet->Image() < static_cast<int>(images_.size());
  return info;
}

void TECPageControl::SyncModel() {
  for (int i = 0; i < PageCount(); ++i) model_.Page(i) = InfoOf(Pages(i));
  model_.SetClient({0, 0, width(), height()});
  model_.SetOrientation(pageSetting_.orientation);
  model_.SetDoubleSheet(pageSetting_.doubleSheet);
  if (images_.empty()) model_.SetImageSize(0, 0);
  else model_.SetImageSize(images_.front().width(), images_.front().height());
}

void TECPageControl::AddSheet(TECTabSheet* sheet) {
  if (sheet->parentWidget() != this) sheet->setParent(this);
  sheets_.push_back(sheet);
  model_.Append(InfoOf(sheet));
  Relayout();
}

void TECPageControl::RemoveSheet(TECTabSheet* sheet) {
  const int index = IndexOf(sheet);
  if (index < 0) return;
  const bool wasActive = index == model_.Active();
  model_.Remove(index);
  sheets_.erase(sheets_.begin() + index);
  sheet->control_ = nullptr;
  if (hot_ == index) hot_ = -1;
  else if (hot_ > index) --hot_;
  if (destroying_) return;
  Relayout();
  if (wasActive) Q_EMIT PageChanged();
}

void TECPageControl::MoveSheet(TECTabSheet* sheet, int to) {
  const int from = IndexOf(sheet);
  if (from < 0 || !model_.Move(from, to)) return;
  sheets_.erase(sheets_.begin() + from);
  sheets_.insert(sheets_.begin() + to, sheet);
  Relayout();
}

void TECPageControl::SheetChanged(TECTabSheet*) { Relayout(); }

void TECPageControl::LeaveActive(int leaving) {
  model_.SetActive(model_.NextActive(leaving));
  if (!destroying_) Q_EMIT PageChanged();
}

void TECPageControl::Relayout() {
  SyncModel();
  const int active = model_.Active();
  if (active >= 0 && !model_.Page(active).shown()) LeaveActive(active);
  const int current = model_.Current();
  const auto spread = model_.Spread();
  for (int i = 0; i < PageCount(); ++i) {
    TECTabSheet* sheet = Pages(i);
    const bool open = model_.Page(i).shown() &&
                      (i == current || (model_.DoubleSheet() && (i == spread[0] || i == spread[1])));
    if (open) {
      sheet->setGeometry(ToQRect(model_.PageRect(i)));
      sheet->show();
      sheet->raise();
    } else {
      sheet->hide();
    }
  }
  PlaceArrows();
  update();
}

void TECPageControl::PlaceArrows() {
  const int rows = model_.DoubleSheet() ? 2 : 1;
  for (int i = 0; i < 4; ++i) {
    const int row = i / 2;
    const bool back = i % 2 == 0;
    const TabArrow place = row < rows ? (back ? model_.BackArrow(row) : model_.ForwardArrow(row)) : TabArrow{};
    TECButtonScroll*& arrow = arrows_[static_cast<std::size_t>(i)];
    if (place.visible && arrow == nullptr) {
      const PageOrientation side = model_.RowSide(row);
      const bool vertical = side == PageOrientation::Left || side == PageOrientation::Right;
      // The first row's back arrow sits at its start, the second row's at its far end.
      const bool atEnd = back == (row == 1);
      const ArrowDirection direction = vertical ? (atEnd ? ArrowDirection::Down : ArrowDirection::Up)
                                                : (atEnd ? ArrowDirection::Right : ArrowDirection::Left);
      arrow = new TECButtonScroll(direction, this);
      arrow->SetInterval(scrollInterval_);
      connect(arrow, &TECButtonScroll::Clicked, this, [this, row, back] { ScrollTabs(row, back ? -1 : 1); });
    }
    if (arrow != nullptr) PlaceArrow(*arrow, place.visible, ToQRect(place.box));
  }
}

void TECPageControl::ScrollTabs(int row, int steps) {
  bool moved = false;
  for (int i = 0; i < std::abs(steps); ++i) moved = (steps < 0 ? model_.ScrollBack(row) : model_.ScrollForward(row)) || moved;
  if (!moved) return;
  PlaceArrows();
  update();
}

void TECPageControl::SetScrollInterval(int ms) {
  scrollInterval_ = ms;
  for (TECButtonScroll* arrow : arrows_) {
    if (arrow != nullptr) arrow->SetInterval(ms);
  }
}

bool TECPageControl::FocusMayLeave(TECTabSheet* page) const {
  QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr || !page->isAncestorOf(focused)) return true;
  for (QWidget* w = focused; w != nullptr && w != page; w = w->parentWidget()) {
    if (auto* keeper = dynamic_cast<FocusKeeper*>(w); keeper != nullptr && !keeper->mayLeaveFocus()) return false;
  }
  page->setFocus(Qt::OtherFocusReason);
  return true;
}

bool TECPageControl::SetActivePage(TECTabSheet* page) {
  TECTabSheet* old = ActivePage();
  if (page == old) return true;
  const int index = IndexOf(page);
  if (index < 0) return false;
  if (onPageChanging_ && !onPageChanging_(page)) return false;
  if (old != nullptr && !FocusMayLeave(old)) return false;
  model_.SetActive(index);
  Relayout();
  if (model_.ScrollToActive()) {
    PlaceArrows();
    update();
  }
  Q_EMIT PageChanged();
  return true;
}

TECTabSheet* TECPageControl::TabAt(const QPoint& p) const {
  const int page = model_.TabAt({p.x(), p.y()});
  return page < 0 ? nullptr : Pages(page);
}

QRect TECPageControl::TabRect(const TECTabSheet* page) const {
  return ToQRect(model_.TabRect(IndexOf(page)));
}

void TECPageControl::SetBrush(const QBrush& brush) {
  brush_ = brush;
  update();
}

void TECPageControl::SetSpiralBrush(const QBrush& brush) {
  spiralBrush_ = brush;
  update();
}

void TECPageControl::SetPageSetting(const TECPageSetting& setting) {
  pageSetting_ = setting;
  Relayout();
}

void TECPageControl::SetTabSetting(const TabLook& look) {
  model_.SetTabLook(look);
  Relayout();
}

void TECPageControl::SetSpiralVisible(bool on) {
  model_.SetSpiralVisible(on);
  Relayout();
}

void TECPageControl::SetBeveled(bool on) {
  beveled_ = on;
  update();
}

void TECPageControl::SetHotTrack(bool on) {
  hotTrack_ = on;
  if (!on) SetHot(-1);
}

void TECPageControl::SetImages(const std::vector<QPixmap>& images) {
  images_ = images;
  Relayout();
}

void TECPageControl::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void TECPageControl::resizeEvent(QResizeEvent*) { Relayout(); }

void TECPageControl::SetHot(int page) {
  if (page == hot_) return;
  const QRect old = hot_ >= 0 ? ToQRect(model_.TabRect(hot_)) : QRect();
  hot_ = page;
  const QRect now = hot_ >= 0 ? ToQRect(model_.TabRect(hot_)) : QRect();
  // Only the two tabs repaint.
  update(old.united(now).adjusted(-model_.Tabs().leftBend - model_.Tabs().rightBend - 1, -1,
                                  model_.Tabs().leftBend + model_.Tabs().rightBend + 1, 1));
}

void TECPageControl::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    TECTabSheet* page = TabAt(p);
    if (page == nullptr) return;
    SetActivePage(page);
    if (model_.Tabs().style == TabStyle::XP) {
      pressedTab_ = IndexOf(page);
      update(TabRect(page));
    }
  } else if (event->button() == Qt::RightButton) {
    if (TECTabSheet* page = TabAt(p)) SetActivePage(page);
  }
}

void TECPageControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  TECTabSheet* page = TabAt(event->position().toPoint());
  if (page != nullptr) SetActivePage(page);
  if (pressedTab_ >= 0) {
    pressedTab_ = -1;
    update();
  }
}

void TECPageControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const int page = model_.TabAt({p.x(), p.y()});
  if (page != hot_ && page >= 0 && !Pages(page)->Hint().isEmpty())
    QToolTip::showText(event->globalPosition().toPoint(), Pages(page)->Hint(), this);
  if (hotTrack_) SetHot(page);
}

void TECPageControl::leaveEvent(QEvent*) { SetHot(-1); }

// --- docking -----------------------------------------------------------------

TECTabSheet* TECPageControl::SheetOf(const QWidget* form) const {
  for (TECTabSheet* sheet : sheets_) {
    if (sheet->dockedForm_ == form) return sheet;
  }
  return nullptr;
}

TECTabSheet* TECPageControl::DockForm(QWidget* form) {
  const bool wasVisible = form->isVisible();
  auto* sheet = new TECTabSheet(this);
  sheet->dockedForm_ = form;
  sheet->dockedFlags_ = form->windowFlags();
  sheet->SetCaption(FirstLine(form->windowTitle()));
  auto* layout = new QVBoxLayout(sheet);
  layout->setContentsMargins(0, 0, 0, 0);
  form->setParent(sheet);
  layout->addWidget(form);
  form->installEventFilter(this);
  connect(form, &QObject::destroyed, this, [this, sheet] {
    sheet->dockedForm_ = nullptr;
    RemoveSheet(sheet);
    sheet->deleteLater();
  });
  sheet->SetTabVisible(wasVisible);
  if (wasVisible) {
    form->show();
    SetActivePage(sheet);
  }
  return sheet;
}

void TECPageControl::UndockForm(QWidget* form) {
  TECTabSheet* sheet = SheetOf(form);
  if (sheet == nullptr) return;
  form->removeEventFilter(this);
  disconnect(form, nullptr, this, nullptr);
  sheet->dockedForm_ = nullptr;
  form->setParent(nullptr, sheet->dockedFlags_);
  delete sheet;
}

bool TECPageControl::eventFilter(QObject* watched, QEvent* event) {
  auto* form = qobject_cast<QWidget*>(watched);
  TECTabSheet* sheet = form == nullptr ? nullptr : SheetOf(form);
  if (sheet != nullptr) {
    switch (event->type()) {
      case QEvent::WindowTitleChange:
        sheet->SetCaption(FirstLine(form->windowTitle()));
        break;
      case QEvent::ShowToParent:
      case QEvent::HideToParent: {
        const bool shown = event->type() == QEvent::ShowToParent;
        sheet->SetSheetVisible(shown);
        sheet->SetTabVisible(shown);
        if (shown && model_.Active() < 0) SetActivePage(sheet);
        break;
      }
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace nv::widgets
