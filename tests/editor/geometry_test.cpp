// The panes' geometry: rectangles, hit tests and insertion clicks.
#include <gtest/gtest.h>

#include "editor/row_items.h"
#include "editor/sequence_layout.h"
#include "editor/velocity_layout.h"
#include "pane_fixture.h"

namespace nv::editor {
namespace {

// Two measures of quarters C5 D5 E5 F5, loaded into the items.
struct Loaded {
  explicit Loaded(ItemOrder order) : items(order) {
    for (int m = 0; m < 2; ++m) {
      auto& measure = *row.AddMeasure();
      for (int n = 0; n < 4; ++n) pane_fixture::AddNote(measure, 1 + n, 5, 32, 32 * n)->Velocity = 100;
      items.AddMeasure(measure, 128, 4);
      for (const auto& note : measure.Notes) items.LoadNote(*note, {});
    }
  }
  TECRow row{nullptr};
  RowItems items;
};

TEST(SequenceLayoutTest, QuarterC5LiesInItsBandWithThePerformedBarUnderTheNotated) {
  Loaded loaded(ItemOrder::Notated);
  const SequenceLayout layout(12, 12);
  EXPECT_EQ(layout.Lay(loaded.items), 24 + 2 * 257);
  const RowItem& c = loaded.items.Items()[0];
  EXPECT_EQ(c.Whole, (PaneRect{25, 388, 89, 397}));
  EXPECT_EQ(c.Notated, (PaneRect{25, 388, 89, 392}));
  EXPECT_EQ(c.Performed, (PaneRect{25, 392, 89, 397}));
  EXPECT_EQ(loaded.items.Measures()[1].Left, 281);
}

TEST(SequenceLayoutTest, PerformedLengthAndOffsetMoveOnlyThePerformedBar) {
  Loaded loaded(ItemOrder::Notated);
  TECNote& c = *loaded.row.GetMeasure(0)->Notes[0];
  c.SoundingLength = 16;
  c.StartOffset = 0x80 | 3;  // three ticks earlier
  const SequenceLayout layout(12, 12);
  layout.Lay(loaded.items);
  const RowItem& item = loaded.items.Items()[0];
  EXPECT_EQ(item.Notated, (PaneRect{25, 388, 89, 392}));
  EXPECT_EQ(item.Performed, (PaneRect{19, 392, 51, 397}));
  EXPECT_EQ(item.Whole, (PaneRect{19, 388, 89, 397}));
}

TEST(SequenceLayoutTest, HitTestAndInsertionClicks) {
  Loaded loaded(ItemOrder::Notated);
  const SequenceLayout layout(12, 12);
  layout.Lay(loaded.items);
  EXPECT_EQ(layout.HitTest(loaded.items, 30, 390), 0);
  EXPECT_EQ(layout.HitTest(loaded.items, 290, 300), -1);
  // The top row is key 108.
  EXPECT_EQ(layout.InsertionPlace(loaded.items, 100, 5), (SequencePlace{0, 36, 108}));
  // Right of the last measure: the last one, beyond its length.
  const auto beyond = layout.InsertionPlace(loaded.items, 700, 390);
  ASSERT_TRUE(beyond);
  EXPECT_EQ(beyond->Measure, 1);
  EXPECT_GT(beyond->Position, 128);
  // Below the content (key under 21) and without measures: nothing.
  EXPECT_FALSE(layout.InsertionPlace(loaded.items, 100, layout.ContentHeight() + 20));
  EXPECT_FALSE(layout.InsertionPlace(RowItems(ItemOrder::Notated), 100, 5));
}

TEST(VelocityLayoutTest, ColumnsBarsAndClickHeights) {
  Loaded loaded(ItemOrder::Performed);
  const VelocityLayout layout(5, 24);
  layout.Lay(loaded.items);
  const auto& items = loaded.items.Items();
  EXPECT_EQ(items[0].Whole.Left, 25);
  EXPECT_EQ(items[0].Whole.Right - 1, 29);
  EXPECT_EQ(items[1].Whole.Left, 30);
  EXPECT_EQ(items[1].Whole.Right - 1, 34);
  EXPECT_EQ(items[0].Whole.Top, 33);
  EXPECT_EQ(items[0].Whole.Bottom - 1, 133);
  EXPECT_EQ(layout.VelocityAt(69), 64);
  EXPECT_EQ(layout.VelocityAt(133), 0);
  EXPECT_EQ(layout.VelocityAt(0), 127);
  EXPECT_EQ(layout.VelocityAt(140), 0);
  EXPECT_EQ(layout.HitTest(loaded.items, 31, 10), 1);
  EXPECT_EQ(layout.HitTest(loaded.items, 31, 140), -1);
}

TEST(RowItemsTest, VisibleMeasuresComeFromTheExtents) {
  Loaded loaded(ItemOrder::Notated);
  SequenceLayout(12, 12).Lay(loaded.items);
  EXPECT_EQ(loaded.items.MeasuresIn(0, 30), (std::pair{0, 1}));
  EXPECT_EQ(loaded.items.MeasuresIn(270, 300), (std::pair{0, 2}));
  EXPECT_EQ(loaded.items.MeasuresIn(300, 400), (std::pair{1, 2}));
  EXPECT_EQ(loaded.items.MeasuresIn(2000, 3000), (std::pair{2, 2}));
}

TEST(RowItemsTest, ActiveItemStartsNoneAndClearResetsIt) {
  Loaded loaded(ItemOrder::Notated);
  EXPECT_EQ(loaded.items.Active(), -1);
  loaded.items.SetActive(3);
  EXPECT_EQ(loaded.items.Active(), 3);
  loaded.items.SetActive(99);
  EXPECT_EQ(loaded.items.Active(), -1);
  loaded.items.SetActive(2);
  loaded.items.Clear();
  EXPECT_EQ(loaded.items.Active(), -1);
  EXPECT_TRUE(loaded.items.Items().empty());
}

}  // namespace
}  // namespace nv::editor
