// Whole pages drawn offscreen through the Qt canvas with the program's
// fonts and compared with the reference pictures in tests/render/reference.
//
// To write the references again (after a deliberate change of the drawing),
// run this test program with NOTAVISTRA_UPDATE_REFERENCES=1 in the
// environment, look at the new pictures, and commit them:
//   NOTAVISTRA_UPDATE_REFERENCES=1 QT_QPA_PLATFORM=offscreen
//     build/tests/render/render_tests --gtest_filter='*PagePixels*'

#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draw_test_support.h"
#include "model/measure.h"
#include "model/page_objects.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_font_faces.h"

namespace {

using nv::render::PaintSelection;

using score_builder::AddAttribute;
using score_builder::AddNote;
using score_builder::AddRest;

constexpr int kZoom = 200;

std::string ReferencePath(const std::string& name) {
  return std::string(NOTAVISTRA_ASSETS_DIR) + "/../tests/render/reference/" + name + ".png";
}

QImage Render(TECMusicScore& score, const PaintSelection* selection) {
  score.SetZoom(kZoom);
  nv::render::LayoutScore(score, 0, false);
  QImage image(score.Page().PixelWidth(), score.Page().PixelHeight(), QImage::Format_RGB32);
  image.fill(Qt::white);
  nv::platform::QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, 96, 96));
  score.DrawPage(canvas, kZoom, kZoom, selection);
  return image;
}

// Pixels whose colour differs by more than a quarter of the range in any
// channel, which text antialiasing alone does not reach.
int DifferentPixels(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 64 || std::abs(qGreen(p) - qGreen(q)) > 64 ||
          std::abs(qBlue(p) - qBlue(q)) > 64)
        ++count;
    }
  return count;
}

TECMeasure& Measure(TECMusicScore& score, int row, int m) { return *score.CurrentInstrument()->GetRow(row)->GetMeasure(m); }

std::unique_ptr<TECMusicScore> ClefsAndKeys(PaintSelection&) {
  auto score = layout_test::MakeScore(2, 3);
  score->SetTimeSignature(3, 4, 0, true);
  TECRow& upper = *score->CurrentInstrument()->GetRow(0);
  TECRow& lower = *score->CurrentInstrument()->GetRow(1);
  upper.SetKeySignature(0, 33);
  lower.SetKeySignature(0, 33);
  lower.SetClef(0, 2);
  upper.SetKeySignature(1, 42);
  lower.SetKeySignature(1, 42);
  upper.SetClef(2, 3);
  lower.SetClef(2, 6);
  upper.SetTimeSignature(2, 4, 4, 1);
  lower.SetTimeSignature(2, 4, 4, 1);
  return score;
}

std::unique_ptr<TECMusicScore> NotesAndChords(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 2);
  score->SetTimeSignature(4, 4, 0, true);
  TECMeasure& a = Measure(*score, 0, 0);
  AddNote(a, 1, 5, 32, 0);
  AddAttribute(*AddNote(a, 4, 5, 32, 32), ek::Sharp);
  TECNote* dotted = AddNote(a, 7, 5, 64, 64);
  dotted->Flags |= TECNote::StemDown;
  AddAttribute(*dotted, ek::Dot);
  TECMeasure& b = Measure(*score, 0, 1);
  for (int step : {1, 2, 3}) AddNote(b, step, 5, 32, 0)->ChordMark = 1;
  for (int step : {5, 7}) {
    TECNote* n = AddNote(b, step, 5, 32, 32);
    n->ChordMark = 2;
    AddAttribute(*n, step == 5 ? ek::Flat : ek::Natural);
  }
  AddNote(b, 3, 6, 16, 64)->Flags |= TECNote::StemDown;
  AddNote(b, 1, 7, 8, 80)->Flags |= TECNote::StemDown;
  AddNote(b, 5, 4, 16, 96);
  AddNote(b, 1, 5, 128, 112);
  return score;
}

std::unique_ptr<TECMusicScore> BeamsAndRests(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 2);
  score->SetTimeSignature(4, 4, 0, true);
  TECRow& row = *score->CurrentInstrument()->GetRow(0);
  TECMeasure& a = Measure(*score, 0, 0);
  const int steps[] = {1, 3, 5, 1};
  for (int i = 0; i < 4; ++i) AddNote(a, steps[i], i == 3 ? 6 : 5, 16, i * 16);
  for (int i = 0; i < 4; ++i) AddNote(a, 7, 5, 8, 64 + i * 8)->Flags |= TECNote::StemDown;
  AddRest(a, 32, 96);
  row.RebuildUnions(&a, false, false);
  TECMeasure& b = Measure(*score, 0, 1);
  int tick = 0;
  for (int value : {64, 32, 16, 8, 4, 2}) {
    AddRest(b, value, tick);
    tick += value;
  }
  return score;
}

std::unique_ptr<TECMusicScore> PageObjects(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 1);
  TECInstrument& instrument = *score->CurrentInstrument();
  instrument.AddPageShape(ek::PageRectangle, 20, 140, 60, 30, 1, 0, 0, 0x800000, 6);
  instrument.AddPageShape(ek::PageEllipse, 100, 140, 70, 30, 2, 0x0000C0, 0, 0x00C0C0, 7);
  instrument.AddArcObject(ek::PageArc, 190, 140, 80, 30, 2, 0x008000, 0, 0, 1);
  TECPageArc* pie = instrument.AddArcObject(ek::PagePie, 280, 130, 60, 40, 1, 0, 0, 0x00A0FF, 0);
  pie->StartX = static_cast<std::int16_t>(1000 + 340);
  pie->StartY = static_cast<std::int16_t>(1000 + 130);
  instrument.AddPageText(60, 260, {"Andante", "con moto"}, "Arial", 10, 2, 0x000080)->Rotation = 30;
  TECPageLine* line = instrument.AddPageLine(200, 250, 330, 215, 1, 0, 0);
  line->EndShapes = 0x13;
  return score;
}

std::unique_ptr<TECMusicScore> Selection(PaintSelection& selection) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetTimeSignature(4, 4, 0, true);
  TECMeasure& m = Measure(*score, 0, 0);
  TECNote* selected = AddNote(m, 5, 5, 32, 0);
  AddAttribute(*selected, ek::Sharp);
  AddNote(m, 3, 5, 32, 32);
  TECRest* rest = AddRest(m, 64, 64);
  selection.Row = score->CurrentInstrument()->GetRow(0);
  selection.Elements = {selected, selected->Attributes[0].get(), rest};
  return score;
}

// Ties and slurs above and below the heads, with offsets and thickness,
// across a barline, a system break and a page break (continued on the
// next page's reference).
std::unique_ptr<TECMusicScore> TiesAndSlurs(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 8);
  score->SetTimeSignature(4, 4, 0, true);
  auto notes = [&](int m, std::initializer_list<std::pair<int, int>> pitches) {
    std::vector<TECNote*> out;
    int tick = 0;
    for (const auto& [step, octave] : pitches) {
      TECNote* n = AddNote(Measure(*score, 0, m), step, octave, 32, tick);
      if (step + 7 * octave > 41) n->Flags |= TECNote::StemDown;
      out.push_back(n);
      tick += 32;
    }
    return out;
  };
  std::vector<std::vector<TECNote*>> m;
  m.push_back(notes(0, {{3, 5}, {3, 5}, {1, 5}, {5, 5}}));
  m.push_back(notes(1, {{5, 5}, {6, 4}, {4, 5}, {2, 6}}));
  m.push_back(notes(2, {{7, 4}, {2, 5}, {7, 4}, {3, 6}}));
  m.push_back(notes(3, {{3, 6}, {2, 6}, {1, 6}, {7, 5}}));
  for (int i = 4; i < 8; ++i) m.push_back(notes(i, {{5, 5}, {4, 5}, {3, 5}, {2, 5}}));
  LinkNotes(m[0][0], m[0][1], ek::LinkAbove);  // a tie above
  TECLinkAttribute* below = LinkNotes(m[0][2], m[0][3], ek::LinkBelow);
  below->Thickness = 0;  // a thin slur below
  TECLinkAttribute* barline = LinkNotes(m[0][3], m[1][0], ek::LinkBelow);
  barline->StartOffset = 4;  // across the barline, its ends moved down 4 and up 4
  barline->EndOffset = 255 - 4;
  TECLinkAttribute* thick = LinkNotes(m[1][0], m[1][2], ek::LinkAbove);
  thick->Thickness = 10;  // a thick slur above
  TECLinkAttribute* split = LinkNotes(m[2][0], m[2][2], ek::LinkAbove);
  split->LinkStyle = 1;  // two half slurs
  // Over the system break and the page break.
  LinkNotes(m[2][3], m[3][0], ek::LinkAbove)->Thickness = 6;
  LinkNotes(m[6][3], m[7][0], ek::LinkBelow)->Thickness = 6;
  return score;
}

// The same score's second page: the page-break tie arrives from the left.
std::unique_ptr<TECMusicScore> TiesNextPage(PaintSelection& selection) {
  auto score = TiesAndSlurs(selection);
  nv::render::LayoutScore(*score, 0, false);
  score->SetActivePage(1);
  return score;
}

// Grace groups before and after their notes (a slashed eighth with its
// slur, beamed sixteenths and thirty-seconds with accidentals and ledger
// lines), and brackets around heads and accidentals.
std::unique_ptr<TECMusicScore> GraceNotesAndBrackets(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 2);
  score->SetTimeSignature(4, 4, 0, true);
  auto group = [](TECNote* note, int value, int flags, std::initializer_list<std::array<int, 3>> smalls) {
    auto g = std::make_unique<TECGraceGroup>(note);
    g->Data[0] = static_cast<std::uint8_t>(value);
    g->Data[1] = static_cast<std::uint8_t>(flags);
    for (const auto& [step, octave, accidental] : smalls) {
      auto grace = std::make_unique<TECGraceNote>(g.get());
      grace->Step = static_cast<std::uint8_t>(step);
      grace->Octave = static_cast<std::uint8_t>(octave);
      if (accidental)
        grace->Attributes.push_back(MakeNoteAttribute(static_cast<std::uint8_t>(accidental), grace.get()));
      g->Notes.push_back(std::move(grace));
    }
    note->Attributes.push_back(std::move(g));
  };
  TECMeasure& a = Measure(*score, 0, 0);
  TECNote* high = AddNote(a, 5, 6, 32, 0);
  high->Flags |= TECNote::StemDown;
  group(high, 16, 0x60, {{1, 7, 0}});
  group(AddNote(a, 3, 5, 32, 32), 8, 0x20, {{1, 5, ek::Sharp}, {2, 5, 0}, {3, 5, ek::Flat}});
  TECNote* half = AddNote(a, 1, 6, 64, 64);
  half->Flags |= TECNote::StemDown;
  group(half, 4, 0xA0, {{7, 5, 0}, {6, 5, ek::Natural}, {5, 5, 0}});
  TECMeasure& b = Measure(*score, 0, 1);
  const std::pair<int, int> bracketed[] = {{4, 5}, {6, 5}, {1, 6}};  // F4, A4, C5
  for (int kind = 1; kind <= 3; ++kind) {
    const auto [step, octave] = bracketed[kind - 1];
    TECNote* n = AddNote(b, step, octave, 32, (kind - 1) * 32);
    n->Extra[4] = static_cast<std::uint8_t>(kind);
    if (kind != 2) AddAttribute(*n, kind == 1 ? ek::Sharp : ek::Flat);
  }
  AddNote(b, 5, 5, 32, 96);
  return score;
}

struct PageCase {
  const char* name;
  std::function<std::unique_ptr<TECMusicScore>(PaintSelection&)> build;
};

class PagePixels : public ::testing::TestWithParam<PageCase> {};

TEST_P(PagePixels, MatchesTheReference) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  PaintSelection selection;
  auto score = GetParam().build(selection);
  const QImage image = Render(*score, &selection);
  const std::string path = ReferencePath(GetParam().name);
  if (std::getenv("NOTAVISTRA_UPDATE_REFERENCES") != nullptr) {
    ASSERT_TRUE(image.save(QString::fromStdString(path)));
    return;
  }
  QImage reference(QString::fromStdString(path));
  ASSERT_FALSE(reference.isNull()) << "no reference " << path;
  reference = reference.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(reference.size(), image.size());
  // A few pixels of glyph edges may differ between font rasterisers; a glyph
  // moved by a staff space changes hundreds, so the allowance stays small.
  EXPECT_LE(DifferentPixels(image, reference), image.width() * image.height() / 20000) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Pages, PagePixels,
                         ::testing::Values(PageCase{"clefs_and_keys", ClefsAndKeys},
                                           PageCase{"notes_and_chords", NotesAndChords},
                                           PageCase{"beams_and_rests", BeamsAndRests},
                                           PageCase{"page_objects", PageObjects},
                                           PageCase{"selection", Selection},
                                           PageCase{"ties_and_slurs", TiesAndSlurs},
                                           PageCase{"ties_next_page", TiesNextPage},
                                           PageCase{"grace_notes_and_brackets", GraceNotesAndBrackets}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
