#include "widgets/property_view.h"

#include <QKeyEvent>
#include <QPainter>

#include "widgets/logic/fit_text.h"
#include "widgets/typed_editor.h"

namespace nv::widgets {

namespace {

QStringList ToQt(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << QString::fromStdString(item);
  return list;
}

void DrawFitted(QPainter& painter, const QRect& rect, int margin, TextAlign align,
                const std::string& text) {
  const QFontMetrics metrics = painter.fontMetrics();
  const FittedText fitted = FitText(text, rect.left(), rect.width(), margin, align, [&](const std::string& s) {
    return metrics.horizontalAdvance(QString::fromStdString(s));
  });
  if (fitted.text.empty()) return;
  const int y = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
  painter.drawText(fitted.x, y, QString::fromStdString(fitted.text));
}

}  // namespace

TECPropertyView::TECPropertyView(QWidget* parent, const FormatSettings& settings, Beeper* beeper,
                                 const TickClock& clock)
    : FieldGrid(parent, settings, beeper, clock), tree_(Values()) {
  Editor().SetRepeatTiming(RepeatTimer::kViewArmMs, RepeatTimer::kViewRepeatMs);
  tree_.onChangeData = [this](PropertyNode& node) {
    viewport()->update();
    if (onChangeData) onChangeData(node);
  };
  Refresh();
}

void TECPropertyView::Refresh() {
  for (int c = 0; c < static_cast<int>(tree_.columns.size()); ++c)
    SetColumnWidth(c, tree_.columns[c].width);
  SetCurrentCell(CurrentColumn(), tree_.CurrentRow());
  Relayout();
}

void TECPropertyView::SetImages(std::vector<QPixmap> images) {
  images_ = std::move(images);
  viewport()->update();
}

const QPixmap* TECPropertyView::Image(int index) const {
  if (index < 0 || index >= static_cast<int>(images_.size()) || images_[static_cast<std::size_t>(index)].isNull())
    return nullptr;
  return &images_[static_cast<std::size_t>(index)];
}

int TECPropertyView::Indent(const PropertyNode& node) const {
  const QPixmap* image = Image(node.imageIndex);
  return 12 * node.Level() + (showButtons ? 12 : 0) + (image ? image->width() + 2 : 0);
}

QString TECPropertyView::CellText(int column, int row) const {
  return QString::fromStdString(tree_.CellText(column, row));
}

void TECPropertyView::StoreCellText(int column, int row, const QString& text) {
  if (settingFromEditor) tree_.StoreCellText(column, row, text.toStdString());
}

bool TECPropertyView::MayShowEditor(int column, int row) const {
  const PropertyNode* node = tree_.NodeByRow(row);
  return node && tree_.MayShowEditor(*node, column);
}

ButtonKind TECPropertyView::CellButtonKind(int column, int row) const {
  const PropertyNode* node = tree_.NodeByRow(row);
  if (!node) return ButtonKind::None;
  switch (tree_.Cell(*node, column).editStyle) {
    case esDropDown: return tree_.ListFor(*node, column).empty() ? ButtonKind::None : ButtonKind::List;
    case esEllipsis: return ButtonKind::Ellipsis;
    case esUpDown: return ButtonKind::UpDown;
    case esTrackBar: return ButtonKind::TrackBar;
    default: break;
  }
  return ButtonKind::None;
}

TEditType TECPropertyView::CellType(int column, int row) const {
  const PropertyNode* node = tree_.NodeByRow(row);
  return node ? tree_.Cell(*node, column).editType : etString;
}

bool TECPropertyView::CellChooseOnly(int column, int row) const {
  const PropertyNode* node = tree_.NodeByRow(row);
  return node && !tree_.MayModify(*node, column);
}

bool TECPropertyView::AcceptsCellChar(int column, int row, char c) const {
  return AcceptsChar(CellType(column, row), c, Values().Settings());
}

QStringList TECPropertyView::CellList(int column, int row) const {
  const PropertyNode* node = tree_.NodeByRow(row);
  return node ? ToQt(tree_.ListFor(*node, column)) : QStringList();
}

int TECPropertyView::CellButtonWidth(int column, int) const {
  return column >= 0 && column < static_cast<int>(tree_.columns.size())
             ? tree_.columns[column].buttonWidth
             : -1;
}

PropertyValue TECPropertyView::CellValue(int column, int row) const {
  const PropertyNode* node = tree_.NodeByRow(row);
  return node && column >= 1 ? node->Value(column - 1) : PropertyValue();
}

PropertyValue TECPropertyView::FromPopup(int column, const std::optional<PopupValue>& value) const {
  if (!value) return {};
  if (const double* number = std::get_if<double>(&*value)) {
    if (CellType(column, CurrentRow()) == etInteger)
      return std::stoi(CellTextOf(etInteger, *number, Values()));
    return *number;
  }
  return CellTextOf(CellType(column, CurrentRow()), *value, Values());
}

void TECPropertyView::AcceptCell(const QString& text, const std::optional<PopupValue>& value) {
  PropertyNode* node = tree_.SelectedNode();
  if (!node || CurrentColumn() < 1) return;
  if (value) tree_.SetValue(*node, CurrentColumn() - 1, FromPopup(CurrentColumn(), value));
  else tree_.SetValue(*node, CurrentColumn() - 1, text.toStdString());
}

void TECPropertyView::PopupChangedCell(const std::optional<PopupValue>& value) {
  PropertyNode* node = tree_.SelectedNode();
  if (node && value && CurrentColumn() >= 1)
    tree_.SetValue(*node, CurrentColumn() - 1, FromPopup(CurrentColumn(), value));
}

void TECPropertyView::EditButtonClicked() {
  if (onEditButtonClick) onEditButtonClick();
}

void TECPropertyView::PaintCell(QPainter& painter, int column, int row, const QRect& rect) {
  const QFontMetrics metrics(font());
  const int space = metrics.horizontalAdvance(' ');
  painter.setFont(font());
  if (row == 0) {
    painter.fillRect(rect, QColor(212, 208, 200));
    painter.setPen(Qt::black);
    if (column >= static_cast<int>(tree_.columns.size())) return;
    if (const QPixmap* image = Image(tree_.columns[column].imageIndex)) {
      painter.drawPixmap(rect.left() + (rect.width() - image->width()) / 2,
                         rect.top() + (rect.height() - image->height()) / 2, *image);
      return;
    }
    DrawFitted(painter, rect, space, tree_.columns[column].alignment, tree_.columns[column].caption);
    return;
  }
  PropertyNode* node = tree_.NodeByRow(row);
  const bool selected = node && row == CurrentRow() && column == CurrentColumn();
  painter.fillRect(rect, selected ? (hasFocus() || Editor().hasFocus() ? kSelectedFocused
                                                                       : kSelectedUnfocused)
                                  : palette().color(QPalette::Base));
  if (!node) return;
  painter.setPen(Qt::black);
  const int cy = rect.top() + rect.height() / 2;
  if (column == 0) {
    const int indent = 12 * node->Level();
    if (showButtons && node->HasChildren()) {
      const int x = rect.left() + indent + 1;
      painter.drawRect(x, cy - 4, 8, 8);
      painter.drawLine(rect.left() + indent + 3, cy, rect.left() + indent + 7, cy);
      if (!node->Expanded())
        painter.drawLine(rect.left() + indent + 5, cy - 2, rect.left() + indent + 5, cy + 2);
    }
    if (const QPixmap* image = Image(node->imageIndex))
      painter.drawPixmap(rect.left() + indent + (showButtons ? 12 : 0), cy - image->height() / 2, *image);
    DrawFitted(painter, rect.adjusted(Indent(*node), 0, 0, 0), space, node->alignment, node->caption);
    return;
  }
  if (CellType(column, row) == etBoolean) {
    const int cx = (rect.left() + rect.right() - 8) / 2;
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cx - 2, cy - 6, 12, 12);
    const bool* on = std::get_if<bool>(&node->Value(column - 1));
    if (on && *on) {
      const QPoint mark[] = {{cx, cy}, {cx, cy + 1}, {cx + 2, cy + 3}, {cx + 7, cy - 2}, {cx + 7, cy - 3}, {cx + 2, cy + 2}};
      painter.setBrush(Qt::black);
      painter.drawPolygon(mark, 6);
    }
    return;
  }
  const TextAlign align =
      column < static_cast<int>(tree_.columns.size()) ? tree_.columns[column].alignment : node->alignment;
  DrawFitted(painter, rect, space, align, tree_.CellText(column, row));
}

void TECPropertyView::CellPressed(int column, int row, const QPoint& point, bool doubleClick) {
  PropertyNode* node = tree_.NodeByRow(row);
  if (node && column == 0 && showButtons && node->HasChildren()) {
    const QRect cell = CellRect(column, row);
    const int x = point.x() - cell.left();
    const int indent = 12 * node->Level();
    if (doubleClick || (x >= indent + 1 && x <= indent + 10)) {
      tree_.SetExpanded(*node, !node->Expanded());
      Relayout();
    }
  }
  tree_.SetCurrentRow(row);
  FieldGrid::CellPressed(column, tree_.CurrentRow(), point, doubleClick);
  node = tree_.NodeByRow(tree_.CurrentRow());
  if (node && column >= 1 && CellType(column, row) == etBoolean && !doubleClick) {
    tree_.ClickBoolean(*node, column - 1);
    viewport()->update(CellRect(column, row));
  }
}

void TECPropertyView::keyPressEvent(QKeyEvent* event) {
  PropertyNode* node = tree_.SelectedNode();
  if (node && event->key() == Qt::Key_Return && CurrentColumn() == 0) {
    tree_.SetExpanded(*node, true);
    Relayout();
    return;
  }
  if (node && event->key() == Qt::Key_Space && CurrentColumn() >= 1 &&
      CellType(CurrentColumn(), CurrentRow()) == etBoolean) {
    tree_.SpaceBoolean(*node, CurrentColumn() - 1);
    return;
  }
  FieldGrid::keyPressEvent(event);
  tree_.SetCurrentRow(CurrentRow());
}

}  // namespace nv::widgets
