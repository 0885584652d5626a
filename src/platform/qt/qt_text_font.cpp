#include "platform/qt/qt_text_font.h"

#include "platform/qt/qt_font_faces.h"

#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace nv::platform {

namespace {

QFont makeQFont(const Font& font, int emPixels) {
  QFont f(fontFamilyFor(font.face));
  f.setPixelSize(std::max(1, emPixels));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setKerning(false);
  // Design metrics keep widths the same on every machine; no shaping keeps
  // one glyph per character, as the stored texts were measured.
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

}  // namespace

QtTextFont::QtTextFont(const Font& font, int emPixels)
    : qfont_(makeQFont(font, emPixels)), raw_(QRawFont::fromFont(qfont_)) {
  ascent_ = static_cast<int>(std::lround(raw_.ascent()));
  descent_ = static_cast<int>(std::lround(raw_.descent()));
  if (font.width > 0 && raw_.averageCharWidth() > 0) stretch_ = font.width / raw_.averageCharWidth();
}

int QtTextFont::emForCellHeight(const Font& font, int cellPixels) {
  constexpr int kReference = 1000;
  const QRawFont raw = QRawFont::fromFont(makeQFont(font, kReference));
  const double cell = raw.ascent() + raw.descent();
  if (cell <= 0) return cellPixels;
  return std::max(1, static_cast<int>(std::lround(cellPixels * kReference / cell)));
}

UnshapedText QtTextFont::layout(const QString& text) const {
  UnshapedText result;
  if (text.isEmpty()) return result;
  // Usually the font has every character: its glyphs go straight in a row.
  const QList<quint32> glyphs = raw_.glyphIndexesForString(text);
  if (glyphs.contains(0u)) return layoutWithFallback(text);
  const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
  QList<QPointF> positions;
  positions.reserve(glyphs.size());
  int x = 0;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    positions.append(QPointF(x / stretch_, 0));
    result.ownInk |= raw_.boundingRect(glyphs[i]).translated(positions.back());
    x += static_cast<int>(std::lround(advances[i].x() * stretch_));
  }
  QGlyphRun run;
  run.setRawFont(raw_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  result.runs.append(run);
  result.width = x;
  result.ownGlyphs.assign(glyphs.begin(), glyphs.end());
  result.ownPositions.assign(positions.begin(), positions.end());
  return result;
}

// Characters the font lacks come from the fallback fonts Qt picks. (Qt's
// unshaped path drops private-use characters, which is why the music face
// never takes it.)
UnshapedText QtTextFont::layoutWithFallback(const QString& text) const {
  UnshapedText result;
  QTextLayout layout(text, qfont_);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setLineWidth(std::numeric_limits<int>::max() / 2);
  layout.endLayout();
  result.runs = layout.glyphRuns();

  // Runs of one font may be merged across a run of a fallback font, so the
  // glyphs are put back in visual order by Qt's own positions first.
  struct GlyphRef {
    double x;
    qsizetype run;
    qsizetype index;
  };
  std::vector<GlyphRef> order;
  std::vector<QList<QPointF>> positions;
  std::vector<QList<QPointF>> advances;
  for (qsizetype r = 0; r < result.runs.size(); ++r) {
    const QGlyphRun& run = result.runs[r];
    positions.push_back(run.positions());
    advances.push_back(run.rawFont().advancesForGlyphIndexes(run.glyphIndexes(),
                                                             QRawFont::UseDesignMetrics));
    for (qsizetype i = 0; i < run.glyphIndexes().size(); ++i) order.push_back({positions[r][i].x(), r, i});
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const GlyphRef& a, const GlyphRef& b) { return a.x < b.x; });
  int x = 0;
  for (const GlyphRef& g : order) {
    positions[g.run][g.index] = QPointF(x / stretch_, 0);
    x += static_cast<int>(std::lround(advances[g.run][g.index].x() * stretch_));
  }
  for (qsizetype r = 0; r < result.runs.size(); ++r) result.runs[r].setPositions(positions[r]);
  result.width = x;
  return result;
}

}  // namespace nv::platform
