#include "canvas_test_support.h"

#include "platform/font_faces.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

namespace nv::platform {
namespace {

using testing::ImageCanvas;

Font musicFont(int size, Color color = colors::black) {
  Font font;
  font.face = kMusicFace;
  font.size = size;
  font.color = color;
  return font;
}

// Note heads that overlap, small and (beyond the raster engine's glyph
// cache) large, in two colours.
void drawHeads(Canvas& c) {
  c.brush().style = BrushStyle::Clear;
  for (const int size : {16, 60}) {
    for (const Color color : {colors::black, colors::red}) {
      c.setFont(musicFont(size, color));
      for (int i = 0; i < 4; ++i) c.textOut(8 + 4 * i + (color == colors::red ? 30 : 0), 10 + 3 * i, "A");
    }
  }
}

// The heads with what a page puts between glyphs: lines across them, fills,
// an origin and a clip, text on a background and plain text.
void drawScene(Canvas& c) {
  drawHeads(c);
  c.moveTo(14, 2);
  c.lineTo(14, 80);
  c.pen().width = 3;
  c.lineTo(90, 40);
  c.brush().style = BrushStyle::Solid;
  c.brush().color = colors::yellow;
  c.fillRect({40, 50, 60, 70});
  c.setViewportOrigin({7, 3});
  drawHeads(c);
  c.intersectClipRect({0, 0, 50, 60});
  c.setFont(musicFont(16));
  c.textOut(30, 30, "AdA");
  c.textOut(32, 31, "b");
  c.setFont(Font{});
  c.textOut(2, 70, "Nota");
  c.brush().style = BrushStyle::Clear;
  c.textOut(20, 72, "vistra");
}

TEST(QtBatch, GlyphsDrawnTogetherComeOutAsDrawnOneByOne) {
  ImageCanvas single(120, 120);
  ImageCanvas batched(120, 120);
  drawScene(*single.canvas);
  batched.canvas->beginBatch();
  drawScene(*batched.canvas);
  batched.canvas->endBatch();
  EXPECT_TRUE(batched.image == single.image);
}

TEST(QtBatch, FlushShowsTheHeldGlyphsWhileTheBatchGoesOn) {
  ImageCanvas single(120, 120);
  ImageCanvas batched(120, 120);
  drawHeads(*single.canvas);
  batched.canvas->beginBatch();
  drawHeads(*batched.canvas);
  batched.canvas->flush();
  EXPECT_TRUE(batched.image == single.image);
  batched.canvas->endBatch();
}

TEST(QtBatch, ReadingAPixelDrawsTheHeldGlyphsFirst) {
  const auto drawHead = [](Canvas& c) {
    c.setFont(musicFont(16));
    c.brush().style = BrushStyle::Clear;
    c.textOut(10, 10, "A");
  };
  ImageCanvas single(60, 60);
  drawHead(*single.canvas);
  // A pixel the glyph inks fully.
  Point full{-1, -1};
  for (int y = 0; y < 60 && full.x < 0; ++y)
    for (int x = 0; x < 60 && full.x < 0; ++x)
      if (single.canvas->pixel(x, y) == colors::black) full = {x, y};
  ASSERT_GE(full.x, 0);

  ImageCanvas batched(60, 60);
  batched.canvas->beginBatch();
  drawHead(*batched.canvas);
  EXPECT_EQ(batched.canvas->pixel(full.x, full.y), colors::black);
  batched.canvas->endBatch();
}

TEST(RecordingBatch, WritesEveryCallAsItComes) {
  RecordingCanvas c;
  c.beginBatch();
  c.textOut(1, 2, "A");
  EXPECT_EQ(c.lines().size(), 1u);
  c.endBatch();
  EXPECT_EQ(c.lines().size(), 1u);
}

}  // namespace
}  // namespace nv::platform
