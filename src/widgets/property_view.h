#pragma once

#include <QPixmap>

#include <vector>

#include "widgets/field_grid.h"
#include "widgets/logic/property_tree.h"

namespace nv::widgets {

// A grid whose rows are a tree of property nodes: column 0 shows each
// node's caption, indented by level with an expand box; the other columns
// its values, edited in place by their type and style, booleans as check
// boxes. The tracks grid shows the staves and their rows in one.
class TECPropertyView : public FieldGrid {
  Q_OBJECT
 public:
  explicit TECPropertyView(QWidget* parent = nullptr,
                           const FormatSettings& settings = FormatSettings::Program(),
                           Beeper* beeper = nullptr, const TickClock& clock = TickClock::Steady());

  PropertyTree& Tree() { return tree_; }
  // Rebuilds the grid after the tree's nodes or columns changed.
  void Refresh();
  // The pictures the nodes' and columns' image indexes name: a node's
  // shows between its expand box and its caption, a column's in the title
  // row. An index without a picture shows none.
  void SetImages(std::vector<QPixmap> images);
  bool showButtons = true;

  // A value changed (the node); the ellipsis of a cell was clicked.
  std::function<void(PropertyNode&)> onChangeData;
  std::function<void()> onEditButtonClick;

  static constexpr QColor kSelectedFocused{181, 213, 238};
  static constexpr QColor kSelectedUnfocused{192, 192, 192};

  int ColumnCount() const override { return tree_.ColumnCount(); }
  int RowCount() const override { return tree_.RowCount(); }
  QString CellText(int column, int row) const override;
  void StoreCellText(int column, int row, const QString& text) override;
  bool MayShowEditor(int column, int row) const override;
  ButtonKind CellButtonKind(int column, int row) const override;
  TEditType CellType(int column, int row) const override;
  bool CellChooseOnly(int column, int row) const override;
  bool AcceptsCellChar(int column, int row, char c) const override;
  QStringList CellList(int column, int row) const override;
  int CellButtonWidth(int column, int row) const override;
  PropertyValue CellValue(int column, int row) const override;
  void AcceptCell(const QString& text, const std::optional<PopupValue>& value) override;
  void PopupChangedCell(const std::optional<PopupValue>& value) override;
  void EditButtonClicked() override;
  void PaintCell(QPainter& painter, int column, int row, const QRect& rect) override;
  bool WidensForButton() const override { return true; }

 protected:
  void CellPressed(int column, int row, const QPoint& point, bool doubleClick) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  PropertyValue FromPopup(int column, const std::optional<PopupValue>& value) const;
  int Indent(const PropertyNode& node) const;

  const QPixmap* Image(int index) const;

  PropertyTree tree_;
  std::vector<QPixmap> images_;
};

}  // namespace nv::widgets
