#include "widgets/logic/property_tree.h"

#include <algorithm>

namespace nv::widgets {

namespace {

const PropertyValue kUnset;

}  // namespace

std::string ValueString(const PropertyValue& value, const ValueText& values) {
  if (const bool* b = std::get_if<bool>(&value)) return *b ? "True" : "False";
  if (const int* i = std::get_if<int>(&value)) return std::to_string(*i);
  if (const double* d = std::get_if<double>(&value)) return values.FormatReal(*d);
  if (const std::string* s = std::get_if<std::string>(&value)) return *s;
  return {};
}

const PropertyValue& PropertyNode::Value(std::size_t c) const {
  return c < values_.size() ? values_[c] : kUnset;
}

PropertyNode& PropertyTree::AddNode(PropertyNode* parent, std::string caption, TEditStyle style) {
  auto node = std::make_unique<PropertyNode>();
  node->caption = std::move(caption);
  node->editStyle = style;
  node->parent_ = parent;
  node->level_ = parent ? parent->level_ + 1 : 0;
  PropertyNode& added = *node;
  (parent ? parent->children_ : top_).push_back(std::move(node));
  Rebuild();
  return added;
}

std::vector<std::unique_ptr<PropertyNode>>& PropertyTree::SiblingsOf(const PropertyNode& node) {
  return node.parent_ ? node.parent_->children_ : top_;
}

void PropertyTree::RemoveNode(PropertyNode& node) {
  auto& siblings = SiblingsOf(node);
  std::erase_if(siblings, [&](const auto& n) { return n.get() == &node; });
  Rebuild();
}

void PropertyTree::Clear() {
  top_.clear();
  Rebuild();
}

void PropertyTree::Unshow(std::vector<std::unique_ptr<PropertyNode>>& nodes) {
  for (auto& node : nodes) {
    node->row_ = 0;
    Unshow(node->children_);
  }
}

void PropertyTree::Walk(const std::vector<std::unique_ptr<PropertyNode>>& nodes) {
  for (const auto& node : nodes) {
    rows_.push_back(node.get());
    node->row_ = static_cast<int>(rows_.size());
    if (node->expanded_) Walk(node->children_);
  }
}

void PropertyTree::Rebuild() {
  rows_.clear();
  Unshow(top_);
  Walk(top_);
  currentRow_ = std::clamp(currentRow_, 1, RowCount() - 1);
}

int PropertyTree::ColumnCount() const { return std::max(2, static_cast<int>(columns.size())); }

int PropertyTree::RowCount() const { return std::max(2, static_cast<int>(rows_.size()) + 1); }

PropertyNode* PropertyTree::NodeByRow(int row) const {
  return row >= 1 && row <= static_cast<int>(rows_.size()) ? rows_[row - 1] : nullptr;
}

void PropertyTree::SetCurrentRow(int row) { currentRow_ = std::clamp(row, 1, RowCount() - 1); }

void PropertyTree::SetExpanded(PropertyNode& node, bool expanded) {
  if (node.expanded_ == expanded) return;
  node.expanded_ = expanded;
  if (node.HasChildren()) Rebuild();
}

void PropertyTree::ShowNode(PropertyNode& node) {
  bool collapsed = false;
  for (PropertyNode* up = node.parent_; up; up = up->parent_) {
    collapsed = collapsed || !up->expanded_;
    up->expanded_ = true;
  }
  if (collapsed) Rebuild();
  SetCurrentRow(node.row_);
}

int PropertyTree::IndexOf(const PropertyNode& node) const {
  const auto& siblings = node.parent_ ? node.parent_->children_ : top_;
  for (std::size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == &node) return static_cast<int>(i);
  return -1;
}

void PropertyTree::SetIndex(PropertyNode& node, int index) {
  auto& siblings = SiblingsOf(node);
  const int from = IndexOf(node);
  if (from < 0) return;
  index = std::clamp(index, 0, static_cast<int>(siblings.size()) - 1);
  auto moved = std::move(siblings[from]);
  siblings.erase(siblings.begin() + from);
  siblings.insert(siblings.begin() + index, std::move(moved));
  Rebuild();
  SetCurrentRow(node.row_);
}

bool PropertyTree::SetValue(PropertyNode& node, std::size_t c, PropertyValue value) {
  if (node.values_.size() <= c) node.values_.resize(c + 1);
  if (node.values_[c] == value) return false;
  node.values_[c] = std::move(value);
  if (onChangeData) onChangeData(node);
  return true;
}

void PropertyTree::ClickBoolean(PropertyNode& node, std::size_t c) {
  const bool* b = std::get_if<bool>(&node.Value(c));
  SetValue(node, c, !(b && *b));
}

void PropertyTree::SpaceBoolean(PropertyNode& node, std::size_t c) {
  const bool* b = std::get_if<bool>(&node.Value(c));
  SetValue(node, c, b ? !*b : false);
}

CellSettings PropertyTree::Cell(const PropertyNode& node, int column) const {
  if (column >= 0 && column < static_cast<int>(columns.size())) {
    const PropertyColumn& settings = columns[column];
    return {settings.editType, settings.editStyle, settings.chooseOnly, settings.buttonWidth};
  }
  return {node.editType, node.editStyle, node.chooseOnly, -1};
}

bool PropertyTree::MayModify(const PropertyNode& node, int column) const {
  if (node.editStyle == esReadOnly) return false;
  return !(column >= 0 && column < static_cast<int>(columns.size()) && columns[column].chooseOnly);
}

bool PropertyTree::MayShowEditor(const PropertyNode& node, int column) const {
  const CellSettings cell = Cell(node, column);
  return cell.editStyle != esReadOnly && cell.editType != etBoolean;
}

const std::vector<std::string>& PropertyTree::ListFor(const PropertyNode& node, int column) const {
  if (column >= 0 && column < static_cast<int>(columns.size()) &&
      !columns[column].dropDownList.empty())
    return columns[column].dropDownList;
  return node.dropDownList;
}

std::string PropertyTree::CellText(int column, int row) const {
  const PropertyNode* node = NodeByRow(row);
  if (!node || column < 1 || column >= ColumnCount()) return {};
  return ValueString(node->Value(column - 1), values_);
}

void PropertyTree::StoreCellText(int column, int row, const std::string& text) {
  PropertyNode* node = NodeByRow(row);
  if (node && column >= 1 && column < ColumnCount()) SetValue(*node, column - 1, text);
}

}  // namespace nv::widgets
