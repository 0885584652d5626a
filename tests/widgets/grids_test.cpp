#include <QPainter>
#include <QTest>

#include "field_fixture.h"
#include "sample_grids.h"
#include "widgets/over_editor.h"
#include "widgets/popup_calculator.h"
#include "widgets/popup_list_box.h"
#include "widgets/property_view.h"
#include "widgets/string_grid.h"

namespace {

using namespace nv::widgets;

// The tracks grid: staves with their rows; name, instrument, channel, mute,
// volume and pan.
struct TracksGrid : field_fixture::ShownDialog {
  TracksGrid() : view(&dialog, settings, &beeper, clock) {
    view.setGeometry(10, 10, 300, 160);
    PropertyTree& tree = view.Tree();
    sample_grids::SetTracksColumns(tree, esUpDown);
    staff = &tree.AddNode(nullptr, "Piano");
    row1 = &tree.AddNode(staff, "Right hand");
    tree.AddNode(staff, "Left hand");
    tree.SetValue(*row1, 3, 5);
    view.onChangeData = [this](PropertyNode& node) { changed.push_back(&node); };
    view.onEditButtonClick = [this] { ++ellipsis; };
    view.Refresh();
  }

  QPoint Centre(int column, int row) { return view.CellRect(column, row).center(); }
  void Click(int column, int row) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, Centre(column, row)); }

  TECPropertyView view;
  PropertyNode* staff;
  PropertyNode* row1;
  std::vector<PropertyNode*> changed;
  int ellipsis = 0;
};

TEST(PropertyViewEmpty, HasTwoRows) {
  TECPropertyView view;
  EXPECT_EQ(view.RowCount(), 2);
}

TEST_F(TracksGrid, ClickingTheMuteCellTogglesItAndAnUnsetOneTurnsOn) {
  Show(view);
  Click(3, 2);
  EXPECT_EQ(row1->Value(2), PropertyValue(true));
  Click(3, 2);
  EXPECT_EQ(row1->Value(2), PropertyValue(false));
  EXPECT_EQ(changed, (std::vector<PropertyNode*>{row1, row1}));
  view.Tree().SetValue(*row1, 2, false);
  EXPECT_EQ(changed.size(), 2u) << "the same value fires nothing";
}

TEST_F(TracksGrid, TheInstrumentIsChosenOnlyThroughItsEllipsis) {
  view.Tree().SetValue(*row1, 0, std::string("25"));
  changed.clear();
  Show(view);
  Click(1, 2);
  ASSERT_TRUE(view.Editor().isVisible());
  QTest::keyClicks(&view.Editor(), "ab");
  EXPECT_EQ(beeper.count, 2);
  QTest::keyClick(&view.Editor(), Qt::Key_Home);
  QTest::keyClick(&view.Editor(), Qt::Key_Delete);
  EXPECT_EQ(view.Editor().text(), "25");
  EXPECT_EQ(row1->Value(0), PropertyValue(std::string("25")));
  EXPECT_TRUE(changed.empty());
  const QRect button = view.Editor().ButtonRect();
  QTest::mouseClick(&view.Editor(), Qt::LeftButton, {}, button.center());
  EXPECT_EQ(ellipsis, 1);
}

TEST_F(TracksGrid, AHeldLowerArrowStepsOnceThenRepeats) {
  Show(view);
  Click(4, 2);
  GridInplaceEditor& editor = view.Editor();
  const QPoint lower = editor.ButtonRect().center() + QPoint(0, 3);
  QTest::mousePress(&editor, Qt::LeftButton, {}, lower);
  EXPECT_EQ(row1->Value(3), PropertyValue(std::string("4")));
  const std::pair<int, const char*> steps[] = {{249, "4"}, {250, "3"}, {300, "2"}, {350, "1"}};
  for (const auto& [at, value] : steps) {
    clock.Set(at);
    editor.PollRepeat();
    EXPECT_EQ(row1->Value(3), PropertyValue(std::string(value))) << at;
  }
  QTest::mouseRelease(&editor, Qt::LeftButton, {}, lower);
  clock.Set(1000);
  editor.PollRepeat();
  EXPECT_EQ(editor.text(), "1");
}

TEST_F(TracksGrid, CollapsingMovesTheCurrentRowAndTheSelectionIsPainted) {
  Show(view);
  Click(1, 3);
  view.Tree().SetExpanded(*staff, false);
  view.Refresh();
  EXPECT_EQ(view.CurrentRow(), 1);
  view.Tree().SetExpanded(*staff, true);
  view.Refresh();
  Click(0, 2);
  const QImage focused = view.viewport()->grab().toImage();
  const QPoint inside = view.CellRect(0, 2).topLeft() + QPoint(3, 3);
  EXPECT_EQ(focused.pixelColor(view.CellRect(0, 2).topRight() + QPoint(-3, 3)),
            TECPropertyView::kSelectedFocused);
  // The staff's expand box: 9 x 9 at indent + 1, vertically centred.
  const QRect staffCell = view.CellRect(0, 1);
  const int cy = staffCell.top() + staffCell.height() / 2;
  EXPECT_EQ(focused.pixelColor(staffCell.left() + 1, cy - 4), QColor(Qt::black));
  EXPECT_EQ(focused.pixelColor(staffCell.left() + 9, cy + 4), QColor(Qt::black));
  EXPECT_EQ(focused.pixelColor(staffCell.left() + 10, cy), QColor(Qt::white));
  QLineEdit other(&dialog);
  other.move(10, 180);
  other.show();
  other.setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(view.viewport()->grab().toImage().pixelColor(view.CellRect(0, 2).topRight() + QPoint(-3, 3)),
            TECPropertyView::kSelectedUnfocused);
  (void)inside;
}

// The drum map's grid and the term list's "Kind" column.
struct DrumGrid : field_fixture::ShownDialog {
  DrumGrid() : grid(&dialog, settings, &beeper, clock) {
    dialog.resize(560, 220);
    grid.setGeometry(10, 10, 540, 160);
    std::vector<StringColumn> columns = sample_grids::DrumMapColumns();
    columns.resize(7);
    columns[5].caption = "Kind";
    columns[5].editStyle = esDropDownList;
    columns[6].caption = "Price";
    columns[6].editType = etCurrency;
    columns[6].editStyle = esEdit;
    columns[5].dropDownList = {"Inscription", "Dinamic", "Tempo"};
    grid.SetColumns(columns);
    grid.SetRowCount(3);
    grid.onDrawCell = [](QPainter& painter, int, int, const QRect& rect) { painter.fillRect(rect, Qt::yellow); };
    grid.onChangeData = [this](TECStringGrid::Source source) { sources.push_back(source); };
    grid.onEndInput = [this] { ++endInputs; };
    grid.SetCell(3, 1, "x");
    grid.SetCell(5, 1, "Tempo");
    grid.SetCell(2, 1, "7");
  }
  void Click(int column, int row) {
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(column, row).center());
  }

  TECStringGrid grid;
  std::vector<TECStringGrid::Source> sources;
  int endInputs = 0;
};

TEST_F(DrumGrid, AnUpperArrowClickOnTextThatIsNoNumberGivesOne) {
  Show(grid);
  Click(3, 1);
  QTest::mouseClick(&grid.Editor(), Qt::LeftButton, {}, grid.Editor().ButtonRect().center() - QPoint(0, 3));
  EXPECT_EQ(grid.Cell(3, 1), "1");
}

TEST_F(DrumGrid, AHeldLowerArrowStepsAtItsTicks) {
  grid.SetCell(3, 1, "10");
  Show(grid);
  Click(3, 1);
  GridInplaceEditor& editor = grid.Editor();
  const QPoint lower = editor.ButtonRect().center() + QPoint(0, 3);
  QTest::mousePress(&editor, Qt::LeftButton, {}, lower);
  const std::pair<int, const char*> steps[] = {{0, "9"}, {299, "9"}, {300, "8"}, {450, "7"}, {600, "6"}};
  for (const auto& [at, value] : steps) {
    clock.Set(at);
    editor.PollRepeat();
    EXPECT_EQ(grid.Cell(3, 1), value) << at;
  }
  QTest::mouseRelease(&editor, Qt::LeftButton, {}, lower);
}

TEST_F(DrumGrid, EscapeOnTheKindListEndsInputWithoutAChange) {
  Show(grid);
  Click(5, 1);
  QTest::keyClick(&grid.Editor(), Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(grid.Editor().ListVisible());
  QTest::keyClick(&grid.Editor(), Qt::Key_Up);
  QTest::keyClick(&grid.Editor(), Qt::Key_Escape);
  EXPECT_EQ(endInputs, 1);
  EXPECT_TRUE(sources.empty());
  EXPECT_EQ(grid.Cell(5, 1), "Tempo");
  QTest::keyClick(&grid.Editor(), Qt::Key_Down, Qt::AltModifier);
  QTest::keyClick(&grid.Editor(), Qt::Key_Up);
  QTest::keyClick(&grid.Editor(), Qt::Key_Return);
  EXPECT_EQ(grid.Cell(5, 1), "Dinamic");
  EXPECT_EQ(sources, std::vector<TECStringGrid::Source>{TECStringGrid::Source::Editor});
  EXPECT_EQ(endInputs, 2);
}

TEST_F(DrumGrid, CurrencyResultsAreWrittenToWholeCents) {
  Show(grid);
  Click(6, 1);
  for (const auto& [result, written] : {std::pair{"2.999", "2.99"}, {"0.29", "0.29"}, {"2.3", "2.3"}}) {
    grid.Editor().DropDown();
    auto* calculator = static_cast<TECPopupCalculator*>(grid.Editor().ActiveDropDown());
    calculator->Engine().Paste(result);
    grid.Editor().CloseUp(true);
    EXPECT_EQ(grid.Cell(6, 1), written);
  }
}

TEST_F(DrumGrid, OwnerDrawnAndRealCellsKeepWhatTheyCannotTake) {
  Show(grid);
  Click(2, 1);
  QTest::keyClicks(&grid.Editor(), "5");
  EXPECT_EQ(grid.Cell(2, 1), "7") << "the owner-drawn cell is unchanged";
  EXPECT_EQ(grid.CellText(2, 1), "");
  Click(1, 1);
  QTest::keyClicks(&grid.Editor(), "Bass");
  EXPECT_EQ(grid.Cell(1, 1), "Bass");
  EXPECT_EQ(sources.size(), 4u);
  std::vector<StringColumn> columns = grid.Columns();
  columns[1].editType = etReal;
  grid.SetColumns(columns);
  grid.SetCell(1, 1, "");
  Click(1, 1);
  QTest::keyClicks(&grid.Editor(), "1E5");
  EXPECT_EQ(grid.Cell(1, 1), "15");
  EXPECT_EQ(grid.CellText(9, 1), "") << "past the last column";
}

}  // namespace
