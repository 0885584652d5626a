#pragma once

#include <QAbstractScrollArea>

#include <functional>
#include <vector>

#include "widgets/logic/property_tree.h"
#include "widgets/logic/string_grid_rules.h"
#include "widgets/typed_editor.h"

namespace nv::widgets {

class FieldGrid;

// The grids' in-place editor: a typed field that asks its grid, cell by
// cell, what button it shows, what it accepts and where accepted values go.
class GridInplaceEditor : public TECEditor {
  Q_OBJECT
 public:
  GridInplaceEditor(FieldGrid& grid, const FormatSettings& settings, Beeper* beeper,
                    const TickClock& clock);
  // Takes the current cell's settings and text.
  void Load();

 protected:
  ButtonKind Kind() const override;
  PopupKind WantedPopup() const override;
  bool AcceptsTyped(char c) const override;
  bool MayModify() const override;
  void Accepted(const QString& candidate) override;
  void LoadPopup() override;
  void PopupChanged() override;
  void StepUpDown(int delta) override;
  void EllipsisClicked() override;
  void DropDownClosed() override;
  bool PaintsOwnText() const override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  FieldGrid& grid_;
  bool loading_ = false;
};

// A grid with a fixed title row, a current cell and an in-place editor that
// stays shown and moves from cell to cell. Subclasses say what each cell
// holds and how it is edited.
class FieldGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  FieldGrid(QWidget* parent, const FormatSettings& settings, Beeper* beeper, const TickClock& clock);

  int defaultRowHeight = 18;
  virtual int ColumnCount() const = 0;
  virtual int RowCount() const = 0;
  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);

  int CurrentColumn() const { return column_; }
  int CurrentRow() const { return row_; }
  void SetCurrentCell(int column, int row);
  QRect CellRect(int column, int row) const;
  GridInplaceEditor& Editor() { return *editor_; }
  const ValueText& Values() const { return values_; }

  // What the in-place editor asks about the current cell.
  virtual QString CellText(int column, int row) const = 0;
  // Text typed into the current cell.
  virtual void StoreCellText(int column, int row, const QString& text) = 0;
  virtual bool MayShowEditor(int column, int row) const = 0;
  virtual ButtonKind CellButtonKind(int column, int row) const = 0;
  virtual TEditType CellType(int column, int row) const = 0;
  virtual bool CellChooseOnly(int column, int row) const = 0;
  virtual bool AcceptsCellChar(int column, int row, char c) const = 0;
  virtual QStringList CellList(int column, int row) const = 0;
  virtual int CellButtonWidth(int column, int row) const { (void)column, (void)row; return -1; }
  virtual PropertyValue CellValue(int column, int row) const;
  // An accepted list item or pop-up value (`value` set for a pop-up).
  virtual void AcceptCell(const QString& text, const std::optional<PopupValue>& value) = 0;
  virtual void PopupChangedCell(const std::optional<PopupValue>& value) = 0;
  virtual void StepCell(int delta);
  virtual void EditButtonClicked() {}
  virtual void EndInput() {}
  // An owner-drawn cell: the grid's painter draws it, also under the editor.
  virtual bool OwnerDrawn(int column) const { (void)column; return false; }

  // Whether the current column widens by the editor's button.
  virtual bool WidensForButton() const { return false; }

  // Paints one cell (also into the editor of an owner-drawn cell).
  virtual void PaintCell(QPainter& painter, int column, int row, const QRect& rect) = 0;

  // Where the editor's text goes; set while it types into the cell.
  bool settingFromEditor = false;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void focusInEvent(QFocusEvent* event) override;
  virtual void CellPressed(int column, int row, const QPoint& point, bool doubleClick);
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // Recomputes the scroll ranges and places the editor.
  void Relayout();
  void PlaceEditor();
  bool CellAt(const QPoint& point, int& column, int& row) const;

 private:
  ValueText values_;
  std::vector<int> widths_;
  int column_ = 1;
  int row_ = 1;
  int widened_ = 0;
  GridInplaceEditor* editor_;
};

}  // namespace nv::widgets
