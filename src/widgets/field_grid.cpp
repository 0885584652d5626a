#include "widgets/field_grid.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "widgets/beeper.h"
#include "widgets/over_editor.h"
#include "widgets/popup_list_box.h"

namespace nv::widgets {

GridInplaceEditor::GridInplaceEditor(FieldGrid& grid, const FormatSettings& settings,
                                     Beeper* beeper, const TickClock& clock)
    : TECEditor(grid.viewport(), settings, beeper, clock), grid_(grid) {
  setFrame(false);
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    grid_.settingFromEditor = true;
    grid_.StoreCellText(grid_.CurrentColumn(), grid_.CurrentRow(), text);
    grid_.settingFromEditor = false;
  });
}

void GridInplaceEditor::Load() {
  loading_ = true;
  if (isVisible()) CloseUp(false);
  setReadOnly(false);
  const int width = grid_.CellButtonWidth(grid_.CurrentColumn(), grid_.CurrentRow());
  UpdateDropDown();
  if (width >= 0) SetButtonWidth(width);
  SetDropDownList(grid_.CellList(grid_.CurrentColumn(), grid_.CurrentRow()));
  setText(grid_.CellText(grid_.CurrentColumn(), grid_.CurrentRow()));
  SetLastAccepted(text());
  setFont(grid_.font());
  loading_ = false;
  update();
}

ButtonKind GridInplaceEditor::Kind() const {
  return grid_.CellButtonKind(grid_.CurrentColumn(), grid_.CurrentRow());
}

PopupKind GridInplaceEditor::WantedPopup() const {
  return Kind() == ButtonKind::None ? PopupFor(grid_.CellType(grid_.CurrentColumn(), grid_.CurrentRow()))
                                    : PopupKind::None;
}

bool GridInplaceEditor::AcceptsTyped(char c) const {
  return !grid_.CellChooseOnly(grid_.CurrentColumn(), grid_.CurrentRow()) &&
         grid_.AcceptsCellChar(grid_.CurrentColumn(), grid_.CurrentRow(), c);
}

bool GridInplaceEditor::MayModify() const {
  return !isReadOnly() && !grid_.CellChooseOnly(grid_.CurrentColumn(), grid_.CurrentRow());
}

void GridInplaceEditor::Accepted(const QString& candidate) {
  if (ActiveDropDown() == ListBox()) {
    grid_.AcceptCell(candidate, std::nullopt);
  } else if (OverEditor()) {
    grid_.AcceptCell(candidate, OverEditor()->GetValue());
  }
  setText(grid_.CellText(grid_.CurrentColumn(), grid_.CurrentRow()));
  SetLastAccepted(text());
}

void GridInplaceEditor::LoadPopup() {
  if (OverEditor()) OverEditor()->SetValue(grid_.CellValue(grid_.CurrentColumn(), grid_.CurrentRow()));
}

void GridInplaceEditor::PopupChanged() {
  if (!OverEditor()) return;
  grid_.PopupChangedCell(OverEditor()->GetValue());
  setText(grid_.CellText(grid_.CurrentColumn(), grid_.CurrentRow()));
}

void GridInplaceEditor::StepUpDown(int delta) {
  grid_.StepCell(delta);
  setText(grid_.CellText(grid_.CurrentColumn(), grid_.CurrentRow()));
}

void GridInplaceEditor::EllipsisClicked() { grid_.EditButtonClicked(); }

void GridInplaceEditor::DropDownClosed() {
  if (!loading_) grid_.EndInput();
}

bool GridInplaceEditor::PaintsOwnText() const {
  return Kind() == ButtonKind::List && grid_.CellChooseOnly(grid_.CurrentColumn(), grid_.CurrentRow());
}

void GridInplaceEditor::paintEvent(QPaintEvent* event) {
  if (grid_.OwnerDrawn(grid_.CurrentColumn())) {
    // The grid's painter draws the cell; the editor adds only its button.
    QPainter painter(this);
    const QRect cell = ShowsButton() ? rect().adjusted(0, 0, -ButtonWidth(), 0) : rect();
    grid_.PaintCell(painter, grid_.CurrentColumn(), grid_.CurrentRow(), cell);
    if (ShowsButton()) PaintButton(painter);
    return;
  }
  TECEditor::paintEvent(event);
}

void GridInplaceEditor::keyPressEvent(QKeyEvent* event) {
  const bool chooseOnly = grid_.CellChooseOnly(grid_.CurrentColumn(), grid_.CurrentRow());
  if (event->key() == Qt::Key_Delete && chooseOnly) return;
  if (Kind() == ButtonKind::TrackBar && (event->modifiers() & Qt::AltModifier) &&
      (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right))
    return;
  if (grid_.OwnerDrawn(grid_.CurrentColumn()) && !event->text().isEmpty() &&
      event->text()[0].unicode() >= 32 && !ListVisible())
    return;
  // Moving between cells belongs to the grid.
  if (!ListVisible() && !(event->modifiers() & Qt::AltModifier) &&
      (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_Tab)) {
    QCoreApplication::sendEvent(&grid_, event);
    return;
  }
  TECEditor::keyPressEvent(event);
}

FieldGrid::FieldGrid(QWidget* parent, const FormatSettings& settings, Beeper* beeper,
                     const TickClock& clock)
    : QAbstractScrollArea(parent), values_(settings) {
  editor_ = new GridInplaceEditor(*this, settings, beeper, clock);
  editor_->hide();
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
}

int FieldGrid::ColumnWidth(int column) const {
  const int width = column >= 0 && column < static_cast<int>(widths_.size()) ? widths_[column] : 64;
  return width + (column == column_ ? widened_ : 0);
}

void FieldGrid::SetColumnWidth(int column, int width) {
  if (column < 0) return;
  if (static_cast<int>(widths_.size()) <= column) widths_.resize(column + 1, 64);
  widths_[column] = width;
  Relayout();
}

QRect FieldGrid::CellRect(int column, int row) const {
  int x = -horizontalScrollBar()->value();
  for (int c = 0; c < column; ++c) x += ColumnWidth(c);
  // Body rows scroll under the title row; the first shown is the bar's value.
  const int y = row == 0 ? 0 : (row - verticalScrollBar()->value() + 1) * defaultRowHeight;
  return {x, y, ColumnWidth(column), defaultRowHeight};
}

bool FieldGrid::CellAt(const QPoint& point, int& column, int& row) const {
  row = point.y() < defaultRowHeight
            ? 0
            : (point.y() - defaultRowHeight) / defaultRowHeight + verticalScrollBar()->value();
  int x = -horizontalScrollBar()->value();
  for (column = 0; column < ColumnCount(); ++column) {
    if (point.x() >= x && point.x() < x + ColumnWidth(column)) return row < RowCount();
    x += ColumnWidth(column);
  }
  return false;
}

PropertyValue FieldGrid::CellValue(int column, int row) const {
  return CellText(column, row).toStdString();
}

void FieldGrid::StepCell(int delta) {
  const int stepped = SteppedInteger(values_, CellText(column_, row_).toStdString(), delta);
  settingFromEditor = true;
  StoreCellText(column_, row_, QString::number(stepped));
  settingFromEditor = false;
}

void FieldGrid::SetCurrentCell(int column, int row) {
  column_ = std::clamp(column, 0, std::max(0, ColumnCount() - 1));
  row_ = std::clamp(row, 1, std::max(1, RowCount() - 1));
  PlaceEditor();
  viewport()->update();
}

void FieldGrid::Relayout() {
  int total = 0;
  for (int c = 0; c < ColumnCount(); ++c) total += ColumnWidth(c);
  horizontalScrollBar()->setRange(0, std::max(0, total - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  const int visibleRows = std::max(1, viewport()->height() / defaultRowHeight - 1);
  verticalScrollBar()->setRange(1, std::max(1, RowCount() - visibleRows));
  verticalScrollBar()->setPageStep(visibleRows);
  row_ = std::clamp(row_, 1, std::max(1, RowCount() - 1));
  PlaceEditor();
  viewport()->update();
}

void FieldGrid::PlaceEditor() {
  widened_ = 0;
  if (!MayShowEditor(column_, row_)) {
    editor_->CloseUp(false);
    editor_->hide();
    return;
  }
  editor_->Load();
  // The current column widens by the editor's button, so the value stays readable.
  if (WidensForButton() && editor_->ShowsButton()) widened_ = editor_->ButtonWidth();
  editor_->setGeometry(CellRect(column_, row_).adjusted(0, 0, -1, -1));
  editor_->show();
  if (hasFocus()) editor_->setFocus();
}

void FieldGrid::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  for (int row = 0; row < RowCount(); ++row) {
    if (row > 0 && row < verticalScrollBar()->value()) continue;
    for (int column = 0; column < ColumnCount(); ++column) {
      const QRect cell = CellRect(column, row);
      if (!cell.intersects(viewport()->rect())) continue;
      painter.save();
      painter.setClipRect(cell);
      PaintCell(painter, column, row, cell);
      painter.restore();
      painter.setPen(QColor(192, 192, 192));
      painter.drawLine(cell.topRight(), cell.bottomRight());
      painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    }
  }
}

void FieldGrid::CellPressed(int column, int row, const QPoint&, bool) {
  if (row >= 1) SetCurrentCell(column, row);
}

void FieldGrid::mousePressEvent(QMouseEvent* event) {
  int column = 0, row = 0;
  setFocus();
  if (CellAt(event->position().toPoint(), column, row))
    CellPressed(column, row, event->position().toPoint(), false);
}

void FieldGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  int column = 0, row = 0;
  if (CellAt(event->position().toPoint(), column, row))
    CellPressed(column, row, event->position().toPoint(), true);
}

void FieldGrid::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up: SetCurrentCell(column_, row_ - 1); return;
    case Qt::Key_Down: SetCurrentCell(column_, row_ + 1); return;
    case Qt::Key_Left: SetCurrentCell(column_ - 1, row_); return;
    case Qt::Key_Right:
    case Qt::Key_Tab: SetCurrentCell(column_ + 1, row_); return;
    default: break;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void FieldGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Relayout();
}

void FieldGrid::scrollContentsBy(int, int) {
  PlaceEditor();
  viewport()->update();
}

void FieldGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (editor_->isVisible()) editor_->setFocus();
  viewport()->update();
}

}  // namespace nv::widgets
