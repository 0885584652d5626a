// Engraving read from the pixels of pages drawn through the Qt canvas with
// the music font: heads fill their spaces, accidentals and time signatures
// keep clear of their neighbours, beams stay apart, at several zooms and on
// a printer's resolution.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "draw_test_support.h"
#include "model/measure.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_font_faces.h"

namespace {

using score_builder::AddAttribute;
using score_builder::AddNote;

// How a page is drawn: the zoom handed to DrawPage and the device's
// resolution; printing draws at the printer's resolution with the zoom that
// maps screen pixels onto it.
struct Device {
  const char* name;
  int zoom;
  int dpi;
  bool printing;
};

constexpr Device kDevices[] = {
    {"zoom50", 50, 96, false}, {"zoom100", 100, 96, false}, {"zoom200", 200, 96, false},
    {"print600", 600 * 100 / 96, 600, true}};

// The top-left part of the page, where the first system stands.
QImage Render(TECMusicScore& score, const Device& device) {
  score.SetPrinting(device.printing);
  if (!device.printing) score.SetZoom(device.zoom);
  nv::render::LayoutScore(score, 0, false);
  const int width = 360 * device.zoom / 100;
  const int height = 200 * device.zoom / 100;
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  nv::platform::QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, device.dpi, device.dpi));
  score.DrawPage(canvas, device.zoom, device.zoom);
  return image;
}

// Ink: darker than the silver of staff and ledger lines on screen; a
// lighter threshold finds any visible ink, antialiased edges included.
bool Ink(const QImage& image, int x, int y, int threshold = 150) {
  if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return false;
  return qGray(image.pixel(x, y)) < threshold;
}
constexpr int kVisible = 224;

std::unique_ptr<TECMusicScore> OneMeasure() {
  auto score = layout_test::MakeScore(1, 1);
  score->SetTimeSignature(4, 4, 0, true);
  return score;
}

// A stem-up quarter on the middle line (B, octave 5 in the treble clef):
// the head's ink, read in its left half away from the stem, is one staff
// space high (within a pixel) and centred on the line.
TEST(EngravingPixels, HeadFillsItsSpaceAndSitsOnItsLine) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  for (const Device& device : kDevices) {
    auto score = OneMeasure();
    TECNote* note = AddNote(*score->CurrentInstrument()->GetRow(0)->GetMeasure(0), 7, 5, 32, 0);
    const QImage image = Render(*score, device);
    const int x = note->HeadBox.Left + 1;
    const int y = note->HeadBox.Top + 1;
    // The box is (x - 1, y - 1, x + w + u, y + s + u), u being one pen unit.
    const int u = device.zoom / 100;
    const int space = note->HeadBox.Bottom - y - u;
    const int width = note->HeadBox.Right - u - x;
    int top = -1;
    int bottom = -1;
    for (int row = y - space; row <= y + 2 * space; ++row) {
      // Staff lines are black on paper: rows that have ink a space left of
      // the head are lines.
      if (Ink(image, x - space, row)) continue;
      for (int column = x + 1; column <= x + width / 2; ++column)
        if (Ink(image, column, row)) {
          if (top < 0) top = row;
          bottom = row;
        }
    }
    ASSERT_GE(top, 0) << device.name;
    EXPECT_NEAR(bottom - top + 1, space, 1) << device.name;
    EXPECT_NEAR((top + bottom + 1) / 2.0, y + space / 2.0, 1) << device.name;
  }
}

// Two beamed sixteenths at Zoom 100 and 200: above the heads, midway
// between the stems, the two beams are two runs of ink with a lighter gap
// between them.
TEST(EngravingPixels, SixteenthBeamsStayApart) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  for (const Device& device : {kDevices[1], kDevices[2]}) {
    auto score = OneMeasure();
    TECRow& row = *score->CurrentInstrument()->GetRow(0);
    TECMeasure& measure = *row.GetMeasure(0);
    TECNote* first = AddNote(measure, 5, 5, 8, 0);
    TECNote* second = AddNote(measure, 5, 5, 8, 8);
    row.RebuildUnions(&measure, false, false);
    const QImage image = Render(*score, device);
    const int x = (first->HeadBox.Right + second->HeadBox.Left) / 2;
    std::vector<int> runs;
    bool inside = false;
    for (int y = 0; y < first->HeadBox.Top; ++y) {
      const bool ink = Ink(image, x, y);
      if (ink && !inside) runs.push_back(y);
      inside = ink;
    }
    EXPECT_EQ(runs.size(), 2u) << device.name;
  }
}

// Accidentals before a head at 96 DPI: one column at least without any
// visible ink between the accidental and the head (staff-line rows left
// out).
TEST(EngravingPixels, AccidentalsKeepClearOfTheirHeads) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  for (const std::uint8_t kind : {ek::Sharp, ek::Flat, ek::Natural, ek::DoubleFlat, ek::DoubleSharp}) {
    auto score = OneMeasure();
    TECNote* note = AddNote(*score->CurrentInstrument()->GetRow(0)->GetMeasure(0), 7, 5, 32, 0);
    TECNoteAttribute* accidental = AddAttribute(*note, kind);
    const QImage image = Render(*score, kDevices[1]);
    const int head = note->HeadBox.Left + 1;
    int right = -1;
    for (int row = accidental->Box.Top; row <= accidental->Box.Bottom; ++row) {
      if (Ink(image, accidental->Box.Left - 3, row, kVisible)) continue;
      for (int column = accidental->Box.Left; column < head; ++column)
        if (Ink(image, column, row, kVisible)) right = std::max(right, column);
    }
    ASSERT_GE(right, 0) << int(kind);
    EXPECT_LE(right, head - 2) << int(kind);
  }
}

// Rows of ink at column x: the staff lines where nothing else is drawn.
std::vector<int> StaffLineRows(const QImage& image, int x) {
  std::vector<int> rows;
  for (int y = 0; y < image.height(); ++y)
    if (Ink(image, x, y, kVisible)) rows.push_back(y);
  return rows;
}

bool Contains(const std::vector<int>& rows, int y) { return std::find(rows.begin(), rows.end(), y) != rows.end(); }

// A 3/4 in the second measure: its digits' ink starts a clear column after
// the barline at 96 DPI.
TEST(EngravingPixels, TimeSignatureInMidSystemKeepsClearOfTheBarline) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  auto score = layout_test::MakeScore(1, 2);
  score->CurrentInstrument()->GetRow(0)->SetTimeSignature(1, 3, 4, 0);
  const TECTimeSignature& time = *score->CurrentInstrument()->GetRow(0)->GetMeasure(1)->TimeSignature;
  const QImage image = Render(*score, kDevices[1]);
  const int barline = time.Box.Left + 1;
  const std::vector<int> lines = StaffLineRows(image, barline - 3);
  int left = -1;
  for (int y = time.Box.Top; y <= time.Box.Bottom; ++y) {
    if (Contains(lines, y)) continue;
    for (int x = barline + 1; x < time.Box.Right; ++x)
      if (Ink(image, x, y, kVisible)) {
        left = left < 0 ? x : std::min(left, x);
        break;
      }
  }
  ASSERT_GE(left, 0);
  EXPECT_GE(left, barline + 2);
}

// A key of two flats in the second measure: its first flat's ink starts a
// clear column after the barline at 96 DPI.
TEST(EngravingPixels, KeyInMidSystemKeepsClearOfTheBarline) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  auto score = layout_test::MakeScore(1, 2);
  score->CurrentInstrument()->GetRow(0)->SetKeySignature(1, 42);
  const TECKeySignature& key = *score->CurrentInstrument()->GetRow(0)->GetMeasure(1)->KeySignature;
  const QImage image = Render(*score, kDevices[1]);
  // The barline: the first column left of the key's box that is black over
  // the staff's height (24 pixels), which no flat's stem reaches.
  auto blackRows = [&](int x) {
    int count = 0;
    for (int y = key.Box.Top; y <= key.Box.Bottom; ++y) count += Ink(image, x, y) ? 1 : 0;
    return count;
  };
  int barline = key.Box.Left + 2;
  while (barline > 0 && blackRows(barline) < 24) --barline;
  const std::vector<int> lines = StaffLineRows(image, barline - 3);
  int left = -1;
  for (int y = key.Box.Top; y <= key.Box.Bottom; ++y) {
    if (Contains(lines, y)) continue;
    for (int x = barline + 1; x < key.Box.Right; ++x)
      if (Ink(image, x, y, kVisible)) {
        left = left < 0 ? x : std::min(left, x);
        break;
      }
  }
  ASSERT_GE(left, 0);
  EXPECT_GE(left, barline + 2);
}

// On paper the digits stand where they stand on screen: the numerator from
// the top line to the middle line, the denominator from there to the bottom
// line (within an eighth of a space at 600 DPI).
TEST(EngravingPixels, PrintedTimeSignatureFillsTheStaff) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  auto score = layout_test::MakeScore(1, 2);
  score->CurrentInstrument()->GetRow(0)->SetTimeSignature(1, 3, 4, 0);
  const TECTimeSignature& time = *score->CurrentInstrument()->GetRow(0)->GetMeasure(1)->TimeSignature;
  const QImage image = Render(*score, kDevices[3]);
  const int barline = time.Box.Left + 1;
  const std::vector<int> lines = StaffLineRows(image, barline - 12);
  ASSERT_FALSE(lines.empty());
  const int staffTop = lines.front();
  const int staffBottom = lines.back();
  const double space = (staffBottom - staffTop) / 4.0;
  int top = -1;
  int bottom = -1;
  for (int y = time.Box.Top; y <= time.Box.Bottom + static_cast<int>(space); ++y)
    for (int x = barline + 8; x < time.Box.Right; ++x)
      if (Ink(image, x, y)) {
        if (top < 0) top = y;
        bottom = y;
        break;
      }
  ASSERT_GE(top, 0);
  EXPECT_NEAR(top, staffTop, space / 8);
  EXPECT_NEAR(bottom, staffBottom, space / 8);
}

// The F clef and the first flat of its key at Zoom 200 and on a 200 DPI
// printer: between the clef's ink (drawn alone) and the flat's, a clear
// column. Both come as changes in the second measure (no time signature
// follows them), with ragged systems so that the measure starts at one x.
TEST(EngravingPixels, ClefKeepsClearOfTheKey) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  for (const Device& device : {kDevices[2], Device{"print200", 200 * 100 / 96, 200, true}}) {
    auto withKey = layout_test::MakeScore(1, 2);
    auto clefOnly = layout_test::MakeScore(1, 2);
    for (TECMusicScore* score : {withKey.get(), clefOnly.get()}) {
      score->LayoutSuspended = true;
      score->SetHorzAlign(false);
      score->LayoutSuspended = false;
      score->CurrentInstrument()->GetRow(0)->SetClef(1, 2);
    }
    withKey->CurrentInstrument()->GetRow(0)->SetKeySignature(1, 44);  // four flats
    const QImage keyed = Render(*withKey, device);
    const QImage clef = Render(*clefOnly, device);
    const TECKeySignature& key = *withKey->CurrentInstrument()->GetRow(0)->GetMeasure(1)->KeySignature;
    const int flatX = key.Box.Left + 1;
    const std::vector<int> lines = StaffLineRows(clef, flatX + 10);
    int clefRight = -1;
    int flatLeft = -1;
    for (int y = key.Box.Top; y <= key.Box.Bottom; ++y) {
      if (Contains(lines, y)) continue;
      for (int x = flatX - 20; x < flatX + 10; ++x) {
        const bool clefInk = Ink(clef, x, y, kVisible);
        if (clefInk) clefRight = std::max(clefRight, x);
        if (Ink(keyed, x, y, kVisible) && !clefInk && (flatLeft < 0 || x < flatLeft)) flatLeft = x;
      }
    }
    ASSERT_GE(clefRight, 0) << device.name;
    ASSERT_GE(flatLeft, 0) << device.name;
    EXPECT_GE(flatLeft, clefRight + 2) << device.name;
  }
}

// A single small eighth (one glyph: head, stem and flag) before a quarter of
// the same pitch, on a line, in a space and above the staff, at Zoom 100 and
// 200: the small head's ink, read in its left half away from the stem and
// with the staff-line rows left out, is centred where the quarter's head is,
// on the pitch's line or space (within a pixel).
TEST(EngravingPixels, SingleGraceHeadSitsOnItsPitch) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  struct Pitch {
    int step;
    int octave;
  };
  for (const Device& device : {kDevices[1], kDevices[2]}) {
    for (const Pitch pitch : {Pitch{5, 5}, Pitch{1, 6}, Pitch{2, 6}, Pitch{1, 7}}) {
      auto score = OneMeasure();
      TECNote* note = AddNote(*score->CurrentInstrument()->GetRow(0)->GetMeasure(0), pitch.step, pitch.octave, 32, 0);
      const TECGraceNote& small = *draw_test::AddGraceGroup(*note, 16, 0, {{pitch.step, pitch.octave}}).Notes.front();
      const QImage image = Render(*score, device);
      const std::string name = std::string(device.name) + " step " + std::to_string(pitch.step) + " octave " +
                               std::to_string(pitch.octave);
      const int u = device.zoom / 100;
      const int space = note->HeadBox.Bottom - note->HeadBox.Top - 1 - u;
      const double centre = note->HeadBox.Top + 1 + space / 2.0;
      // The small note's box starts u left of its glyph; its head is about
      // 4/5 of a full head wide.
      const int x = small.Box.Left + u;
      const std::vector<int> lines = StaffLineRows(image, x - 2 * u);
      int top = -1;
      int bottom = -1;
      for (int row = static_cast<int>(centre) - 2 * space; row <= centre + 2 * space; ++row) {
        if (Contains(lines, row)) continue;
        for (int column = x + 1; column <= x + space / 3; ++column)
          if (Ink(image, column, row)) {
            if (top < 0) top = row;
            bottom = row;
          }
      }
      ASSERT_GE(top, 0) << name;
      EXPECT_NEAR((top + bottom + 1) / 2.0, centre, 1) << name;
    }
  }
}

}  // namespace
