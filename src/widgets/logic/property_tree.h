#pragma once

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "widgets/logic/field_rules.h"
#include "widgets/logic/value_text.h"

namespace nv::widgets {

// A value of a property cell: unset, a boolean, an integer, a number or text.
using PropertyValue = std::variant<std::monostate, bool, int, double, std::string>;

// The text a cell shows for a value ("True"/"False" for booleans).
std::string ValueString(const PropertyValue& value, const ValueText& values);

enum class TextAlign { Left, Right, Center };

// The settings of one column of the property view.
struct PropertyColumn {
  std::string caption;
  std::string hint;
  TEditType editType = etString;
  TEditStyle editStyle = esEdit;
  bool chooseOnly = false;
  int buttonWidth = -1;  // -1: automatic
  int width = 64;
  int imageIndex = -1;
  TextAlign alignment = TextAlign::Left;
  std::vector<std::string> dropDownList;
};

// A row of the property view; children show below it while it is expanded.
struct PropertyNode {
  std::string caption;
  TEditType editType = etString;
  TEditStyle editStyle = esEdit;
  std::vector<std::string> dropDownList;
  bool chooseOnly = false;
  int imageIndex = -1;
  TextAlign alignment = TextAlign::Left;
  std::any data;  // what the owner attaches (a staff, a row)

  PropertyNode* Parent() const { return parent_; }
  int Level() const { return level_; }
  bool Expanded() const { return expanded_; }
  bool HasChildren() const { return !children_.empty(); }
  const std::vector<std::unique_ptr<PropertyNode>>& Children() const { return children_; }
  // The node's grid row (1 for the first), 0 while hidden.
  int Row() const { return row_; }
  // Value c (0 for the first value column), unset when none is stored.
  const PropertyValue& Value(std::size_t c) const;

 private:
  friend class PropertyTree;
  PropertyNode* parent_ = nullptr;
  int level_ = 0;
  bool expanded_ = true;
  int row_ = 0;
  std::vector<PropertyValue> values_;
  std::vector<std::unique_ptr<PropertyNode>> children_;
};

// What the editor of one cell works with.
struct CellSettings {
  TEditType editType = etString;
  TEditStyle editStyle = esEdit;
  bool chooseOnly = false;
  int buttonWidth = -1;
};

// The nodes, columns and visible rows of the property view. Grid column 0
// shows the captions; grid column c > 0 shows value c - 1. Grid row 0 is the
// title row; there is always at least one more row, empty when no node shows.
class PropertyTree {
 public:
  explicit PropertyTree(const ValueText& values = ValueText()) : values_(values) {}

  // A value of a node changed (never for a value set equal to the stored one).
  std::function<void(PropertyNode&)> onChangeData;

  // The grid's columns, the caption column first; without them the grid
  // has a caption and one value column, set up by the nodes.
  std::vector<PropertyColumn> columns;
  int ColumnCount() const;

  PropertyNode& AddNode(PropertyNode* parent, std::string caption, TEditStyle style = esEdit);
  void RemoveNode(PropertyNode& node);
  void Clear();

  int RowCount() const;
  // The node shown in a grid row, nullptr outside the node rows.
  PropertyNode* NodeByRow(int row) const;
  int CurrentRow() const { return currentRow_; }
  void SetCurrentRow(int row);
  PropertyNode* SelectedNode() const { return NodeByRow(currentRow_); }

  void SetExpanded(PropertyNode& node, bool expanded);
  // Expands the node's ancestors and makes its row current.
  void ShowNode(PropertyNode& node);
  // The node's place among its siblings; setting moves it and selects it.
  int IndexOf(const PropertyNode& node) const;
  void SetIndex(PropertyNode& node, int index);

  // Stores value c unless it has the same type and is equal; true and
  // onChangeData when it changed.
  bool SetValue(PropertyNode& node, std::size_t c, PropertyValue value);
  // A click on a boolean cell: a boolean is negated; anything else (an
  // unset value too) counts as False, so the click stores True.
  void ClickBoolean(PropertyNode& node, std::size_t c);
  // Space on a boolean cell: negates a boolean, stores False otherwise.
  void SpaceBoolean(PropertyNode& node, std::size_t c);

  // For grid column `column` of a node's row.
  CellSettings Cell(const PropertyNode& node, int column) const;
  bool MayModify(const PropertyNode& node, int column) const;
  bool MayShowEditor(const PropertyNode& node, int column) const;
  // The drop-down items: the column's list, else the node's.
  const std::vector<std::string>& ListFor(const PropertyNode& node, int column) const;
  // The string form of a value cell, "" outside the node rows and value columns.
  std::string CellText(int column, int row) const;
  // Stores typed text into a value cell as a string value.
  void StoreCellText(int column, int row, const std::string& text);

  const ValueText& Values() const { return values_; }

 private:
  void Rebuild();
  void Walk(const std::vector<std::unique_ptr<PropertyNode>>& nodes);
  void Unshow(std::vector<std::unique_ptr<PropertyNode>>& nodes);
  std::vector<std::unique_ptr<PropertyNode>>& SiblingsOf(const PropertyNode& node);

  const ValueText& values_;
  std::vector<std::unique_ptr<PropertyNode>> top_;
  std::vector<PropertyNode*> rows_;
  int currentRow_ = 1;
};

}  // namespace nv::widgets
