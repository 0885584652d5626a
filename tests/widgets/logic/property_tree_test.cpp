#include "widgets/logic/property_tree.h"

#include <gtest/gtest.h>

#include "widgets/logic/fit_text.h"
#include "widgets/logic/string_grid_rules.h"

namespace nv::widgets {
namespace {

// Two staves of two rows each, with the tracks grid's mute column.
class PropertyTreeTest : public ::testing::Test {
 protected:
  PropertyTreeTest() : tree(values) {
    tree.columns.resize(3);
    tree.columns[0].caption = "Name";
    tree.columns[0].editStyle = esReadOnly;
    tree.columns[1].editStyle = esEllipsis;
    tree.columns[1].chooseOnly = true;
    tree.columns[2].editType = etBoolean;
    tree.columns[2].chooseOnly = true;
    tree.onChangeData = [this](PropertyNode& node) { changed.push_back(&node); };
    staff1 = &tree.AddNode(nullptr, "Staff 1");
    tree.AddNode(staff1, "Row 1");
    tree.AddNode(staff1, "Row 2");
    staff2 = &tree.AddNode(nullptr, "Staff 2");
    row3 = &tree.AddNode(staff2, "Row 3");
    tree.AddNode(staff2, "Row 4");
  }

  FormatSettings settings;
  ValueText values{settings};
  PropertyTree tree;
  PropertyNode* staff1;
  PropertyNode* staff2;
  PropertyNode* row3;
  std::vector<PropertyNode*> changed;
};

TEST(PropertyTreeEmpty, HasTheTitleAndOneEmptyRow) {
  PropertyTree tree;
  EXPECT_EQ(tree.RowCount(), 2);
  EXPECT_EQ(tree.SelectedNode(), nullptr);
  EXPECT_EQ(tree.CellText(1, 1), "");
}

TEST_F(PropertyTreeTest, RowsArePreOrderOfTheExpandedNodes) {
  ASSERT_EQ(tree.RowCount(), 7);
  EXPECT_EQ(tree.NodeByRow(4), staff2);
  EXPECT_EQ(row3->Level(), 1);
  tree.SetExpanded(*staff1, false);
  EXPECT_EQ(tree.RowCount(), 5);
  EXPECT_EQ(tree.NodeByRow(2), staff2);
  EXPECT_EQ(tree.NodeByRow(7), nullptr);
}

TEST_F(PropertyTreeTest, CollapsingMovesACurrentRowBeyondOntoTheLastRow) {
  tree.SetCurrentRow(6);
  tree.SetExpanded(*staff2, false);
  EXPECT_EQ(tree.CurrentRow(), 4);
  EXPECT_EQ(tree.SelectedNode(), staff2);
  tree.ShowNode(*row3);
  EXPECT_TRUE(staff2->Expanded());
  EXPECT_EQ(tree.SelectedNode(), row3);
}

TEST_F(PropertyTreeTest, SetValueFiresOnlyForAChange) {
  EXPECT_TRUE(tree.SetValue(*row3, 1, true));
  EXPECT_FALSE(tree.SetValue(*row3, 1, true));
  EXPECT_TRUE(tree.SetValue(*row3, 1, std::string("True"))) << "another type is a change";
  EXPECT_EQ(changed, (std::vector<PropertyNode*>{row3, row3}));
}

TEST_F(PropertyTreeTest, BooleanClicksCountAnythingElseAsFalse) {
  tree.ClickBoolean(*row3, 1);
  EXPECT_EQ(row3->Value(1), PropertyValue(true)) << "an unset mute cell turns on";
  tree.ClickBoolean(*row3, 1);
  EXPECT_EQ(row3->Value(1), PropertyValue(false));
  tree.SetValue(*row3, 1, std::string("junk"));
  tree.SpaceBoolean(*row3, 1);
  EXPECT_EQ(row3->Value(1), PropertyValue(false));
  tree.SpaceBoolean(*row3, 1);
  EXPECT_EQ(row3->Value(1), PropertyValue(true));
  ASSERT_EQ(changed.size(), 5u);
  EXPECT_EQ(changed.back(), row3);
}

TEST_F(PropertyTreeTest, CellSettingsComeFromTheColumnElseTheNode) {
  EXPECT_EQ(tree.Cell(*row3, 1).editStyle, esEllipsis);
  EXPECT_FALSE(tree.MayModify(*row3, 1)) << "the instrument is chosen only";
  EXPECT_FALSE(tree.MayShowEditor(*row3, 2)) << "a check box has no editor";
  EXPECT_FALSE(tree.MayShowEditor(*row3, 0));
  row3->editStyle = esUpDown;
  EXPECT_EQ(tree.Cell(*row3, 5).editStyle, esUpDown);
  tree.SetValue(*row3, 0, 7);
  EXPECT_EQ(tree.CellText(1, row3->Row()), "7");
  EXPECT_EQ(tree.CellText(3, row3->Row()), "") << "past the last value column";
  EXPECT_EQ(tree.CellText(1, 0), "");
}

TEST_F(PropertyTreeTest, MovingANodeKeepsItsChildrenAndSelectsIt) {
  tree.SetIndex(*staff2, 0);
  EXPECT_EQ(tree.NodeByRow(1), staff2);
  EXPECT_EQ(tree.NodeByRow(2), row3);
  EXPECT_EQ(tree.SelectedNode(), staff2);
  EXPECT_EQ(tree.IndexOf(*staff1), 1);
}

TEST(FitText, LongCaptionsEndInAnEllipsis) {
  const auto measure = [](const std::string& text) { return static_cast<int>(text.size()) * 5; };
  EXPECT_EQ(FitText("Piano", 0, 40, 3, TextAlign::Left, measure).text, "Piano");
  const FittedText cut = FitText("Acoustic Grand", 10, 40, 3, TextAlign::Left, measure);
  EXPECT_EQ(cut.text, "Acou...");
  EXPECT_EQ(cut.x, 13);
  EXPECT_EQ(FitText("Piano", 0, 2, 3, TextAlign::Left, measure).text, "");
  EXPECT_EQ(FitText("ab", 0, 40, 3, TextAlign::Right, measure).x, 27);
}

TEST(StringGridRules, PopupValuesAreWrittenInTheColumnsForm) {
  FormatSettings settings;
  const ValueText values(settings);
  EXPECT_EQ(CellTextOf(etInteger, 3.9, values), "3");
  EXPECT_EQ(CellTextOf(etInteger, 1e12, values), "2147483647");
  EXPECT_EQ(CellTextOf(etCurrency, 2.999, values), "2.99");
  EXPECT_EQ(CellTextOf(etCurrency, 0.29, values), "0.29");
  EXPECT_EQ(CellTextOf(etCurrency, 2.3, values), "2.3");
  EXPECT_EQ(CellTextOf(etDate, Date{2024, 2, 29}, values), "29/02/2024");
  EXPECT_EQ(CellTextOf(etTime, TimeOfDay{9, 5, 0}, values), "09:05:00");
  settings.decimalSeparator = ',';
  EXPECT_EQ(CellTextOf(etCurrency, 2.999, values), "2,99");
}

StringColumn Column(TEditType type, TEditStyle style, std::vector<std::string> list = {}) {
  StringColumn column;
  column.editType = type;
  column.editStyle = style;
  column.dropDownList = std::move(list);
  return column;
}

TEST(StringGridRules, KeysAndButtonsFollowTheColumn) {
  const FormatSettings settings;
  const StringColumn real = Column(etReal, esEdit);
  const StringColumn kind = Column(etString, esDropDownList, {"Inscription", "Dinamic", "Tempo"});
  const StringColumn pos = Column(etInteger, esUpDown);
  EXPECT_FALSE(GridAcceptsChar(&real, 'E', settings));
  EXPECT_TRUE(GridAcceptsChar(&real, '.', settings));
  EXPECT_FALSE(GridAcceptsChar(&kind, 'T', settings));
  EXPECT_TRUE(GridAcceptsChar(nullptr, 'E', settings));
  EXPECT_EQ(GridButtonKind(&kind), ButtonKind::List);
  EXPECT_EQ(GridButtonKind(&pos), ButtonKind::UpDown);
  EXPECT_EQ(GridButtonKind(&real), ButtonKind::None);
  const StringColumn emptyList = Column(etString, esDropDown);
  EXPECT_EQ(GridButtonKind(&emptyList), ButtonKind::None);
}

}  // namespace
}  // namespace nv::widgets
