#include "dialogs/palette_frame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/screen_areas.h"
#include "widgets/form_design.h"
#include "widgets/language.h"
#include "widgets/widget_font.h"

namespace nv::dialogs {

PaletteFrame::PaletteFrame(const QString& formName, const QString& caption, QSize clientSize, QWidget* parent)
    : QWidget(parent, Qt::Tool) {
  setObjectName(formName);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  language_ = new nv::widgets::TECFormLanguage(this);
  // The skin's caption and borders are the window's contents margins; the
  // palette's controls sit on the client, which keeps the designed size.
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("Client"));
  client_->setFixedSize(clientSize);
  client_->setFont(nv::widgets::DialogFont());
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(0);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(client_);
  nv::widgets::ApplyFormDesign(this, nv::widgets::kToolDesign);
  adjustSize();
  connect(qApp, &QApplication::focusChanged, this, &PaletteFrame::OnFocusChanged);
}

// The focus moves while the base window is destroyed, when this palette is
// no longer one.
PaletteFrame::~PaletteFrame() { disconnect(qApp, &QApplication::focusChanged, this, nullptr); }

void PaletteFrame::PlaceUnder(const QWidget* button, PalettePlacement placement) {
  const QPoint corner = placement == PalettePlacement::GridCell ? button->mapToGlobal(QPoint(button->width(), button->height()))
                                                                : button->mapToGlobal(QPoint(0, button->height()));
  const nv::platform::Point at = PlacePalette(placement, {corner.x(), corner.y()}, button->height(),
                                              {width(), height()},
                                              AvailableAreaAt(corner));
  move(at.x, at.y);
}

void PaletteFrame::PlaceUnderRect(const QRect& cell, const QWidget* owner, PalettePlacement placement) {
  const QPoint corner = owner->mapToGlobal(placement == PalettePlacement::GridCell ? cell.bottomRight() + QPoint(1, 1)
                                                                                   : cell.bottomLeft() + QPoint(0, 1));
  const nv::platform::Point at = PlacePalette(placement, {corner.x(), corner.y()}, cell.height(),
                                              {width(), height()}, AvailableAreaAt(corner));
  move(at.x, at.y);
}

void PaletteFrame::Open() {
  language_->Translate();
  show();
  raise();
  activateWindow();
}

bool PaletteFrame::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) CloseOnFocusLoss();
  return QWidget::event(event);
}

void PaletteFrame::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void PaletteFrame::moveEvent(QMoveEvent* event) {
  moveGuard_ = true;
  moved_ = true;
  moveGuard_ = false;
  QWidget::moveEvent(event);
}

void PaletteFrame::showEvent(QShowEvent* event) {
  // Qt does not promise a move event on showing, which the palettes count on.
  moved_ = true;
  QWidget::showEvent(event);
}

void PaletteFrame::OnFocusChanged(QWidget* old, QWidget* now) {
  if (old && old->window() == this && (!now || now->window() != this)) CloseOnFocusLoss();
}

void PaletteFrame::CloseOnFocusLoss() {
  if (moveGuard_ || keepOpen_ || !closesOnFocusLoss_ || !isVisible()) return;
  // Closing frees the palette: leave the event that told of the loss first.
  QTimer::singleShot(0, this, &QWidget::close);
}

}  // namespace nv::dialogs
