#pragma once

#include <QStringList>

#include <vector>

#include "widgets/field_grid.h"

namespace nv::widgets {

// A string grid whose columns carry an edit type and style: its in-place
// editor takes from the current column its key filter and its button (a
// list, an ellipsis, up/down arrows, or the typed pop-ups). Owner-drawn
// columns are painted by `onDrawCell`, also under the editor. The drum map
// and the term list use it.
class TECStringGrid : public FieldGrid {
  Q_OBJECT
 public:
  // Who changed a cell: typing into the grid, or the editor's drop-down.
  enum class Source { Grid, Editor };

  explicit TECStringGrid(QWidget* parent = nullptr,
                         const FormatSettings& settings = FormatSettings::Program(),
                         Beeper* beeper = nullptr, const TickClock& clock = TickClock::Steady());

  // Row 0 holds the captions.
  void SetColumns(std::vector<StringColumn> columns);
  const std::vector<StringColumn>& Columns() const { return columns_; }
  void SetRowCount(int rows);
  QString Cell(int column, int row) const;
  void SetCell(int column, int row, const QString& text);

  std::function<void(Source)> onChangeData;
  std::function<void()> onEditButtonClick;
  std::function<void()> onEndInput;
  std::function<void(bool& mayShow)> onCanEditShow;
  std::function<void(QPainter&, int column, int row, const QRect&)> onDrawCell;

  int ColumnCount() const override { return static_cast<int>(columns_.size()); }
  int RowCount() const override { return static_cast<int>(cells_.size()); }
  QString CellText(int column, int row) const override;
  void StoreCellText(int column, int row, const QString& text) override;
  bool MayShowEditor(int column, int row) const override;
  ButtonKind CellButtonKind(int column, int row) const override;
  TEditType CellType(int column, int row) const override;
  bool CellChooseOnly(int column, int row) const override;
  bool AcceptsCellChar(int column, int row, char c) const override;
  QStringList CellList(int column, int row) const override;
  void AcceptCell(const QString& text, const std::optional<PopupValue>& value) override;
  void PopupChangedCell(const std::optional<PopupValue>& value) override;
  // Up/down steps read and write the cell itself, owner-drawn or not.
  void StepCell(int delta) override;
  void EditButtonClicked() override;
  void EndInput() override;
  bool OwnerDrawn(int column) const override;
  void PaintCell(QPainter& painter, int column, int row, const QRect& rect) override;

 private:
  const StringColumn* ColumnAt(int column) const;

  std::vector<StringColumn> columns_;
  std::vector<QStringList> cells_;
};

}  // namespace nv::widgets
