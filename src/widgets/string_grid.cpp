#include "widgets/string_grid.h"

#include <QPainter>

namespace nv::widgets {

TECStringGrid::TECStringGrid(QWidget* parent, const FormatSettings& settings, Beeper* beeper,
                             const TickClock& clock)
    : FieldGrid(parent, settings, beeper, clock) {
  Editor().SetRepeatTiming(RepeatTimer::kGridTickMs, RepeatTimer::kGridTickMs);
  SetRowCount(2);
}

void TECStringGrid::SetColumns(std::vector<StringColumn> columns) {
  columns_ = std::move(columns);
  for (QStringList& row : cells_)
    while (row.size() < ColumnCount()) row << QString();
  for (int c = 0; c < ColumnCount(); ++c) {
    cells_[0][c] = QString::fromStdString(columns_[c].caption);
    SetColumnWidth(c, columns_[c].width);
  }
  Relayout();
}

void TECStringGrid::SetRowCount(int rows) {
  cells_.resize(std::max(1, rows));
  for (QStringList& row : cells_)
    while (row.size() < ColumnCount()) row << QString();
  Relayout();
}

const StringColumn* TECStringGrid::ColumnAt(int column) const {
  return column >= 0 && column < ColumnCount() ? &columns_[column] : nullptr;
}

QString TECStringGrid::Cell(int column, int row) const {
  return row >= 0 && row < RowCount() && column >= 0 && column < ColumnCount() ? cells_[row][column]
                                                                               : QString();
}

void TECStringGrid::SetCell(int column, int row, const QString& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return;
  cells_[row][column] = text;
  if (column == CurrentColumn() && row == CurrentRow() && !settingFromEditor) Editor().Load();
  viewport()->update(CellRect(column, row));
}

QString TECStringGrid::CellText(int column, int row) const {
  return OwnerDrawn(column) ? QString() : Cell(column, row);
}

void TECStringGrid::StoreCellText(int column, int row, const QString& text) {
  if (OwnerDrawn(column) || Cell(column, row) == text) return;
  SetCell(column, row, text);
  if (onChangeData) onChangeData(Source::Grid);
}

bool TECStringGrid::MayShowEditor(int column, int row) const {
  const StringColumn* settings = ColumnAt(column);
  bool show = row >= 1 && (!settings || settings->editStyle != esReadOnly);
  if (onCanEditShow) onCanEditShow(show);
  return show;
}

ButtonKind TECStringGrid::CellButtonKind(int column, int) const { return GridButtonKind(ColumnAt(column)); }

TEditType TECStringGrid::CellType(int column, int) const {
  const StringColumn* settings = ColumnAt(column);
  return settings ? settings->editType : etString;
}

bool TECStringGrid::CellChooseOnly(int column, int) const {
  const StringColumn* settings = ColumnAt(column);
  return settings && settings->editStyle == esDropDownList;
}

bool TECStringGrid::AcceptsCellChar(int column, int, char c) const {
  return GridAcceptsChar(ColumnAt(column), c, Values().Settings());
}

QStringList TECStringGrid::CellList(int column, int) const {
  QStringList list;
  if (const StringColumn* settings = ColumnAt(column))
    for (const std::string& item : settings->dropDownList) list << QString::fromStdString(item);
  return list;
}

void TECStringGrid::AcceptCell(const QString& text, const std::optional<PopupValue>& value) {
  const QString written =
      value ? QString::fromStdString(CellTextOf(CellType(CurrentColumn(), CurrentRow()), *value, Values()))
            : text;
  settingFromEditor = true;
  SetCell(CurrentColumn(), CurrentRow(), written);
  settingFromEditor = false;
  if (onChangeData) onChangeData(Source::Editor);
}

void TECStringGrid::PopupChangedCell(const std::optional<PopupValue>& value) {
  if (value) AcceptCell({}, value);
}

void TECStringGrid::StepCell(int delta) {
  const int stepped = SteppedInteger(Values(), Cell(CurrentColumn(), CurrentRow()).toStdString(), delta);
  settingFromEditor = true;
  SetCell(CurrentColumn(), CurrentRow(), QString::number(stepped));
  settingFromEditor = false;
  if (onChangeData) onChangeData(Source::Editor);
}

void TECStringGrid::EditButtonClicked() {
  if (onEditButtonClick) onEditButtonClick();
}

void TECStringGrid::EndInput() {
  if (onEndInput) onEndInput();
}

bool TECStringGrid::OwnerDrawn(int column) const {
  const StringColumn* settings = ColumnAt(column);
  return settings && !settings->defaultDrawing && onDrawCell;
}

void TECStringGrid::PaintCell(QPainter& painter, int column, int row, const QRect& rect) {
  if (row > 0 && OwnerDrawn(column)) {
    onDrawCell(painter, column, row, rect);
    return;
  }
  painter.fillRect(rect, row == 0 ? QColor(212, 208, 200) : palette().color(QPalette::Base));
  painter.setPen(Qt::black);
  painter.setFont(font());
  painter.drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, Cell(column, row));
}

}  // namespace nv::widgets
