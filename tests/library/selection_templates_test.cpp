// Chords and symbols made from what is selected in a score.
#include "library/selection_templates.h"

#include <gtest/gtest.h>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/page_objects.h"

namespace nv::library {
namespace {

TEST(SelectionTemplates, AChordHoldsACopyOfEverySelectedNoteAndNothingElse) {
  TECMusicScore score;
  TECNote c(ek::NoteC), e(ek::NoteC + 2), g(ek::NoteC + 4);
  c.Octave = e.Octave = g.Octave = 5;
  c.Length = e.Length = g.Length = 32;
  TECRest rest;
  score.Selection.push_back({0, {&c, &e, &rest}});
  score.Selection.push_back({1, {&g}});
  const auto chord = ChordFromSelection(score);
  ASSERT_EQ(chord->Variants.size(), 3u);
  EXPECT_EQ(chord->Variants[0]->Kind, ek::NoteC);
  EXPECT_EQ(chord->Variants[2]->Kind, ek::NoteC + 4);
  EXPECT_NE(chord->Variants[0].get(), &c);
  EXPECT_EQ(chord->Variants[1]->Length, 32);
}

TEST(SelectionTemplates, ASymbolsObjectsAreMovedSoTheirBoxStartsAtTheOrigin) {
  // In the template every object is placed from its corner, as in the bar
  // drawing it is inserted as: a page object's origin of 1000 is gone.
  TECMusicScore score;
  TECInstrument& staff = *score.AppendInstrument();
  // Page positions; all but the text are stored with an origin of 1000.
  TECPageText* text = staff.AddPageText(200, 100, {"ff", "dolce"}, "Arial", 10, 0, 0);
  TECPageLine* line = staff.AddPageLine(150, 300, 400, 120, 1, 0, 0);
  TECPageShape* box = staff.AddPageShape(ek::PageRectangle, 180, 90, 50, 40, 1, 0, 0, 0xFFFFFF, 1);
  score.Selection.push_back({0, {text, line, box}});
  // Each text 60 wide and 12 high a line.
  const MeasureText measure = [](const TECPageText& t) {
    return TextExtent{60, 12 * static_cast<int>(t.Lines.size())};
  };
  const auto symbol = SymbolFromSelection(score, measure);
  ASSERT_EQ(symbol->Elements().size(), 3u);
  // Box: x 150 (line) .. 400 (line), y 90 (rectangle) .. 300 (line).
  EXPECT_EQ(symbol->Width, 250);
  EXPECT_EQ(symbol->Height, 210);
  const auto& t = static_cast<const TECPageText&>(*symbol->Elements()[0]);
  EXPECT_EQ(t.X, 50);
  EXPECT_EQ(t.Y, 10);
  EXPECT_EQ(t.Lines, (std::vector<std::string>{"ff", "dolce"}));
  const auto& l = static_cast<const TECPageLine&>(*symbol->Elements()[1]);
  EXPECT_EQ(l.X1, 0);
  EXPECT_EQ(l.Y1, 210);
  EXPECT_EQ(l.X2, 250);
  EXPECT_EQ(l.Y2, 30);
  const auto& r = static_cast<const TECPageShape&>(*symbol->Elements()[2]);
  EXPECT_EQ(r.X, 30);
  EXPECT_EQ(r.Y, 0);
  // The score's own objects stay where they were.
  EXPECT_EQ(text->X, 200);
  EXPECT_EQ(line->X1, 1150);
}

TEST(SelectionTemplates, NothingSelectedGivesAnEmptyTemplate) {
  TECMusicScore score;
  EXPECT_TRUE(ChordFromSelection(score)->Variants.empty());
  const auto symbol = SymbolFromSelection(score, nullptr);
  EXPECT_TRUE(symbol->Elements().empty());
  EXPECT_EQ(symbol->Width, 0);
}

}  // namespace
}  // namespace nv::library
