#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editing/look_steps.h"
#include "model/measure_items.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;
using nv::editing::ChangeSelectedFontName;
using nv::editing::ChangeSelectedLook;
using nv::editing::Look;
using nv::editing::ReorderSelectedObjectsStep;

namespace {

const TECPageShape& ShapeAt(EditFixture& f, int i) {
  return static_cast<const TECPageShape&>(*f.instrument().TextsRow().Objects[i]);
}
const TECPageText& TextAt(EditFixture& f, int i) {
  return static_cast<const TECPageText&>(*f.instrument().TextsRow().Objects[i]);
}

// A rectangle (index 1) and a text (index 0: a page's new object goes first), both selected.
void ShapeAndText(EditFixture& f) {
  f.instrument().AddPageShape(ek::PageRectangle, 0, 0, 50, 40, 1, 0x000000, 0, 0xFFFFFF, 0);
  f.instrument().AddPageText(10, 60, {"Allegro"}, "Arial", 10, 0, 0x0000FF);
  f.score().ClearUndoLists();
  for (const auto& object : f.instrument().TextsRow().Objects) ASSERT_TRUE(f.score().SelectElement(object.get(), 0));
}

TEST(LookSteps, EachLookIsOneStepThatUndoAndRedoTakeBackAndBring) {
  EditFixture f(1, 2);
  ShapeAndText(f);
  ASSERT_EQ(ShapeAt(f, 1).Kind, ek::PageRectangle);
  EventRecorder events(f.score());
  EXPECT_TRUE(ChangeSelectedLook(f.score(), Look::LineColor, 0x0000FF));
  EXPECT_EQ(ShapeAt(f, 1).PenColor, 0x0000FF);
  EXPECT_EQ(f.score().UndoCount(), 1);
  EXPECT_EQ(events.changed, 1);
  // The same value again changes nothing and records nothing.
  EXPECT_FALSE(ChangeSelectedLook(f.score(), Look::LineColor, 0x0000FF));
  EXPECT_EQ(f.score().UndoCount(), 1);
  EXPECT_EQ(events.changed, 1);

  EXPECT_TRUE(ChangeSelectedLook(f.score(), Look::TextColor, 0x00FF00));
  EXPECT_TRUE(ChangeSelectedFontName(f.score(), "Courier New"));
  EXPECT_TRUE(ChangeSelectedLook(f.score(), Look::OnePage, 0));
  EXPECT_EQ(f.score().UndoCount(), 4);
  EXPECT_EQ(TextAt(f, 0).FontName, "Courier New");
  EXPECT_NE(TextAt(f, 0).Flags & TECPageObject::OnEveryPage, 0);

  f.score().Undo(4);
  EXPECT_EQ(ShapeAt(f, 1).PenColor, 0x000000);
  EXPECT_EQ(TextAt(f, 0).Color, 0x0000FF);
  EXPECT_EQ(TextAt(f, 0).FontName, "Arial");
  EXPECT_EQ(TextAt(f, 0).Flags & TECPageObject::OnEveryPage, 0);
  f.score().Redo(1);
  EXPECT_EQ(ShapeAt(f, 1).PenColor, 0x0000FF);
  EXPECT_EQ(TextAt(f, 0).Color, 0x0000FF);
}

TEST(LookSteps, ALookOfAChordSymbolSavesItsMeasure) {
  EditFixture f(1, 2);
  auto chord = std::make_unique<TECChordSymbol>(&f.measure(1));
  chord->Pieces = {TECChordPiece{{12, 0, 0, 0, 0}, "G", 0}};
  TECChordSymbol* g = chord.get();
  f.measure(1).Items.push_back(std::move(chord));
  f.score().ClearUndoLists();
  ASSERT_TRUE(f.score().SelectElement(g, 0));
  EXPECT_TRUE(ChangeSelectedLook(f.score(), Look::TextColor, 0xFF));
  EXPECT_EQ(g->Value, 0xFFu);
  f.score().Undo(1);
  const auto& items = f.measure(1).Items;
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(static_cast<const TECChordSymbol&>(*items[0]).Value, 0u);
}

TEST(LookSteps, NothingChangesOnAReadOnlyScoreOrWithNothingThatTakesTheLook) {
  EditFixture f(1, 2);
  ShapeAndText(f);
  // A rectangle and a text have no line ends.
  EXPECT_FALSE(ChangeSelectedLook(f.score(), Look::PointStyle, 0x11));
  f.score().ReadOnly = true;
  EXPECT_FALSE(ChangeSelectedLook(f.score(), Look::LineWidth, 4));
  EXPECT_FALSE(ReorderSelectedObjectsStep(f.score(), true));
  EXPECT_EQ(ShapeAt(f, 1).PenWidth, 1);
  EXPECT_EQ(f.score().UndoCount(), 0);
}

// A new order is one step, and the older steps, which name the objects by
// their places, still undo onto the right objects once it is undone.
TEST(LookSteps, ANewOrderIsAStepAndTheOlderStepsStayGood) {
  EditFixture f(1, 2);
  for (int i = 0; i < 3; ++i) f.instrument().AddPageText(10, 10 * i, {std::to_string(i)}, "Arial", 10, 0, 0);
  f.score().ClearUndoLists();
  // The texts stand "2", "1", "0".
  ASSERT_TRUE(f.score().SelectElement(f.instrument().TextsRow().Objects[0].get(), 0));
  ASSERT_TRUE(ChangeSelectedLook(f.score(), Look::TextColor, 0xFF));
  f.score().ClearSelection();
  ASSERT_TRUE(f.score().SelectElement(f.instrument().TextsRow().Objects[0].get(), 0));
  EXPECT_TRUE(ReorderSelectedObjectsStep(f.score(), true));
  const auto lines = [&f] {
    std::string order;
    for (int i = 0; i < 3; ++i) order += TextAt(f, i).Lines[0];
    return order;
  };
  EXPECT_EQ(lines(), "102");
  EXPECT_EQ(f.score().UndoCount(), 2);
  // The topmost to the front again moves nothing: no step.
  f.score().ClearSelection();
  ASSERT_TRUE(f.score().SelectElement(f.instrument().TextsRow().Objects[2].get(), 0));
  EXPECT_FALSE(ReorderSelectedObjectsStep(f.score(), true));
  EXPECT_EQ(f.score().UndoCount(), 2);

  f.score().Undo(1);
  EXPECT_EQ(lines(), "210");
  f.score().Undo(1);
  EXPECT_EQ(TextAt(f, 0).Color, 0);
  EXPECT_EQ(TextAt(f, 1).Lines[0], "1");
  f.score().Redo(2);
  EXPECT_EQ(lines(), "102");
  EXPECT_EQ(TextAt(f, 2).Color, 0xFF);
}

}  // namespace
