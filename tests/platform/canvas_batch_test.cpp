#include "canvas_test_support.h"

#include "formats/run_command.h"
#include "platform/font_faces.h"
#include "platform/recording_canvas.h"
#include "render/music_font_codes.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

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

// Draws call by call and in a batch; the images must match.
void expectBatchedAsSingle(int width, int height, void (*draw)(Canvas&)) {
  ImageCanvas single(width, height);
  ImageCanvas batched(width, height);
  draw(*single.canvas);
  batched.canvas->beginBatch();
  draw(*batched.canvas);
  batched.canvas->endBatch();
  EXPECT_TRUE(batched.image == single.image);
}

TEST(QtBatch, GlyphsDrawnTogetherComeOutAsDrawnOneByOne) { expectBatchedAsSingle(120, 120, drawScene); }

// Heads of three colours in a chain, each across the one before it: every
// head needs a group of its own until none is left, and the canvas draws
// what it holds and starts over.
TEST(QtBatch, MoreGroupsThanTheOrderKeepsComeOutAsDrawnOneByOne) {
  expectBatchedAsSingle(300, 60, [](Canvas& c) {
    const Color colours[] = {colors::black, colors::red, colors::blue};
    c.brush().style = BrushStyle::Clear;
    for (int i = 0; i < 80; ++i) {
      c.setFont(musicFont(16, colours[i % 3]));
      c.textOut(2 + 3 * i, 10 + i % 5, "A");
    }
  });
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

// What a printed page draws, at 600 DPI: staff lines of a grey pen that
// meet at the bar lines, heads in chains with stems across them, heads in a
// second colour apart from the rest, two crossing lines of one pen, a fill
// across some of them, and more of the same after it.
void drawPrintedScene(Canvas& c) {
  const std::string head(1, static_cast<char>(nv::render::glyph::BlackHead));
  c.brush().style = BrushStyle::Clear;
  for (int measure = 0; measure < 4; ++measure) {
    const int left = 100 + measure * 500;
    if (measure == 2) {
      c.brush().style = BrushStyle::Solid;
      c.brush().color = colors::yellow;
      c.fillRect({left - 60, 250, left + 60, 500});
      c.brush().style = BrushStyle::Clear;
    }
    c.pen() = Pen{rgb(192, 192, 192), 6};
    for (int line = 0; line < 5; ++line) {
      c.moveTo(left, 300 + 35 * line);
      c.lineTo(left + 500, 300 + 35 * line);
    }
    for (int note = 0; note < 10; ++note) {
      const int x = left + 20 + note * 22;  // each head across the stem before
      const int y = 280 + (note % 6) * 17;
      c.setFont(musicFont(12, note == 9 ? colors::red : colors::black));
      c.textOut(x, y, head);
      c.pen() = Pen{colors::black, 6};
      c.moveTo(x + 29, y + 60);
      c.lineTo(x + 29, y - 56);
    }
    c.setFont(musicFont(12, colors::blue));
    c.textOut(left + 300, 600, head);
  }
  c.pen() = Pen{rgb(128, 128, 128), 6};
  c.moveTo(100, 700);
  c.lineTo(2000, 800);
  c.moveTo(100, 800);
  c.lineTo(2000, 700);
}

// The scene drawn into a PDF, batched or not, rendered back at `dpi`.
QImage printedScene(bool batched, int dpi) {
  QTemporaryDir dir;
  const QString file = dir.filePath("scene.pdf");
  {
    QPdfWriter pdf(file);
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    QtCanvas canvas(pdf, pagedDeviceCaps(pdf));
    if (batched) canvas.beginBatch();
    drawPrintedScene(canvas);
    if (batched) canvas.endBatch();
  }
  const std::string stem = dir.filePath("scene").toStdString();
  const CommandResult render = RunCommand("pdftoppm -r " + std::to_string(dpi) + " -png -singlefile " +
                                          ShellQuoted(file.toStdString()) + " " + ShellQuoted(stem));
  EXPECT_EQ(render.Status, 0) << render.Output;
  return QImage(QString::fromStdString(stem + ".png")).convertToFormat(QImage::Format_RGB32);
}

TEST(QtBatch, APrintedPageHeldAndDrawnOutOfOrderRendersAsDrawnCallByCall) {
  for (const int dpi : {75, 150, 600}) {
    SCOPED_TRACE(dpi);
    const QImage single = printedScene(false, dpi);
    ASSERT_FALSE(single.isNull());
    EXPECT_TRUE(printedScene(true, dpi) == single);
  }
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
