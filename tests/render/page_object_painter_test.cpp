#include <gtest/gtest.h>

#include "draw_test_support.h"
#include "model/page_objects.h"

using draw_test::Draw;
using draw_test::With;

namespace {

using nv::render::PaintSelection;

TEST(PageObjectPainter, ShapesTextsAndBoxes) {
  auto score = layout_test::MakeScore(1, 1);
  TECInstrument& instrument = *score->CurrentInstrument();
  TECPageShape* rectangle = instrument.AddPageShape(ek::PageRectangle, 20, 30, 40, 20, 2, 0xFF0000, 0, 0x00FF00, 6);
  TECPageArc* pie = instrument.AddArcObject(ek::PagePie, 100, 30, 60, 30, 1, 0, 0, 0x0000FF, 0);
  TECPageText* text = instrument.AddPageText(50, 200, {"Allegro", "ma non troppo"}, "Arial", 10, 1, 0);
  text->Rotation = 90;
  TECPageShape* elsewhere = instrument.AddPageShape(ek::PageEllipse, 0, 0, 10, 10, 1, 0, 0, 0, 0);
  elsewhere->Page = 1;
  PaintSelection selection;
  selection.Row = &instrument.TextsRow();
  selection.Elements = {rectangle};
  const auto lines = Draw(*score, &selection);

  EXPECT_EQ(With(lines, "Rectangle (20,30)-(60,50) | pen #0000FF w2 solid | brush #00FF00 cross").size(), 1u);
  // Handles at the corners and the middles of the edges.
  // Eight handles at the corners and the middles of the edges (and the
  // empty measure's block).
  EXPECT_EQ(With(lines, "FillRect").size(), 8u + 1u);
  EXPECT_EQ(With(lines, "FillRect (17,27)-(23,33)").size(), 1u);
  EXPECT_EQ(draw_test::Box(rectangle->Box), "16,26,63,53");
  // A pie on a box wider than high, its radial points from the stored
  // corners (top-left and top-left + size).
  EXPECT_EQ(With(lines, "Pie (100,30)-(160,60) (100,30) (160,60)").size(), 1u);
  EXPECT_EQ(draw_test::Box(pie->Box), "99,29,160,60");
  // The turned text: each line's origin turned around the object's origin.
  const auto texts = With(lines, "esc900");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind("TextOut (50,200)", 0), 0u) << texts[0];
  EXPECT_GT(text->Box.Right, 50);
  EXPECT_LT(text->Box.Top, 200);
  // Objects of another page stay off unless they show on every page.
  EXPECT_TRUE(With(lines, "Ellipse").empty());
  elsewhere->Flags |= TECPageObject::OnEveryPage;
  EXPECT_EQ(With(Draw(*score), "Ellipse (0,0)-(10,10)").size(), 1u);
}

TEST(PageObjectPainter, PictureThatDoesNotDecodeIsAPlaceholderBox) {
  for (const TECPicture& stored : {TECPicture{260, {1, 0, 0, 0, 0x6C, 0, 0, 0}}, TECPicture{257, {'G', 'I', 'F', '8'}},
                                   TECPicture{258, {0xFF, 0xD8, 0xFF}}}) {
    auto score = layout_test::MakeScore(1, 1);
    score->CurrentInstrument()->AddPagePicture(20, 30, 40, 20, stored);
    const auto lines = Draw(*score);
    EXPECT_EQ(With(lines, "Rectangle (20,30)-(60,50) | pen #808080 w1 solid | brush clear").size(), 1u) << stored.Type;
    EXPECT_EQ(With(lines, "LineTo (20,30) to (59,49) | pen #808080").size(), 1u) << stored.Type;
    EXPECT_EQ(With(lines, "LineTo (59,30) to (20,49) | pen #808080").size(), 1u) << stored.Type;
  }
}

}  // namespace
