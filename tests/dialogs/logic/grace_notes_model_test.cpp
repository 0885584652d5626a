#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "dialogs/logic/grace_notes_model.h"
#include "dialogs/logic/grace_preview.h"
#include "platform/recording_canvas.h"
#include "render/music_font_codes.h"

namespace nv::dialogs {
namespace {

using nv::document::GraceNotesValues;
using nv::platform::Rect;

// G above middle C, a quarter, without grace notes.
GraceNotesValues MainG() {
  GraceNotesValues values;
  values.Main = {5, 5, 32, 0};
  return values;
}

GraceNotesModel Loaded(const GraceNotesValues& values) {
  GraceNotesModel model;
  model.Load(values);
  return model;
}

TEST(GraceNotesModel, ANoteWithoutGraceNotesFillsEverySlotWithItsPitch) {
  const GraceNotesModel model = Loaded(MainG());
  for (int i = 0; i < GraceNotesModel::kSlots; ++i) {
    EXPECT_EQ(model.SlotAt(i).Step, 5);
    EXPECT_EQ(model.SlotAt(i).Octave, 5);
    EXPECT_EQ(model.SlotAt(i).Accidental, 0);
  }
  EXPECT_EQ(model.Count(), 1);
  EXPECT_EQ(model.Duration(), 32);
  EXPECT_EQ(model.Options(), grace_option::kShort);
  const GracePreviewLayout layout = LayOutGracePreview(model, {0, 0, 204, 90});
  ASSERT_EQ(layout.HeadY.size(), 1u);
  EXPECT_EQ(layout.HeadY[0], layout.MainY);
  // G is on the second line from the bottom.
  EXPECT_EQ(layout.MainY, layout.StaffBottom - 6);
}

TEST(GraceNotesModel, LoadsAtMostSixtyFourRecords) {
  GraceNotesValues values = MainG();
  values.Slots.assign(80, {2, 6, 'i'});
  values.Count = 80;
  values.Duration = 16;
  values.Options = 224;
  const GraceNotesModel model = Loaded(values);
  EXPECT_EQ(model.Count(), 64);
  EXPECT_EQ(model.SlotAt(63).Step, 2);
  EXPECT_EQ(model.Duration(), 16);
  EXPECT_EQ(model.Options(), 224);
  EXPECT_EQ(model.Values().Slots.size(), 64u);
}

TEST(GraceNotesModel, CountBelowTheCurrentSlotSelectsTheLast) {
  GraceNotesModel model = Loaded(MainG());
  model.SetCount(5);
  ASSERT_TRUE(model.Select(4));
  model.SetCount(3);
  EXPECT_EQ(model.Current(), 2);
  model.SetCount(0);
  EXPECT_EQ(model.Count(), 1);
  model.SetCount(100);
  EXPECT_EQ(model.Count(), 64);
}

TEST(GraceNotesModel, SelectionStaysWithinTheCount) {
  GraceNotesModel model = Loaded(MainG());
  model.SetCount(4);
  EXPECT_FALSE(model.Home());
  EXPECT_TRUE(model.End());
  EXPECT_EQ(model.Current(), 3);
  EXPECT_FALSE(model.Move(1));
  EXPECT_TRUE(model.Move(-1));
  EXPECT_EQ(model.Current(), 2);
  EXPECT_TRUE(model.Home());
  EXPECT_FALSE(model.Move(-1));
}

TEST(GraceNotesModel, AccidentalButtonTwiceLeavesNone) {
  GraceNotesModel model = Loaded(MainG());
  model.ToggleAccidental(grace_accidental::kFlat);
  EXPECT_EQ(model.SlotAt(0).Accidental, 'g');
  model.ToggleAccidental(grace_accidental::kSharp);
  EXPECT_EQ(model.SlotAt(0).Accidental, 'i');
  model.ToggleAccidental(grace_accidental::kSharp);
  EXPECT_EQ(model.SlotAt(0).Accidental, 0);
}

TEST(GraceNotesModel, OptionsAndDuration) {
  GraceNotesModel model;
  model.SetOptions(grace_option::kAfter | grace_option::kShort | grace_option::kSlur);
  EXPECT_EQ(model.Options(), 224);
  for (auto [given, kept] : {std::pair{4, 4}, {8, 8}, {16, 16}, {32, 32}, {64, 32}, {0, 32}}) {
    model.SetDuration(given);
    EXPECT_EQ(model.Duration(), kept) << given;
  }
}

TEST(GraceNotesModel, StepsMoveDiatonicallyWithinMidiKeys) {
  struct Case {
    int step, octave, delta;
    bool changed;
    int newStep, newOctave;
  };
  const Case cases[] = {
      {5, 5, 1, true, 6, 5},     {7, 5, 1, true, 1, 6},    {1, 5, -1, true, 7, 4},
      {1, 0, 0, true, 1, 0},     {1, 0, -1, false, 1, 0},  // below key 0
      {5, 10, 1, false, 5, 10},                            // G10 is key 127, the top
      {4, 10, 1, true, 5, 10},   {2, 1, -2, true, 7, 0},
  };
  for (const Case& c : cases) {
    GraceNotesValues values = MainG();
    values.Main.Step = c.step;
    values.Main.Octave = c.octave;
    GraceNotesModel model = Loaded(values);
    EXPECT_EQ(model.ChangeStep(c.delta), c.changed) << c.step << "/" << c.octave << " " << c.delta;
    EXPECT_EQ(model.SlotAt(0).Step, c.newStep) << c.step << "/" << c.octave;
    EXPECT_EQ(model.SlotAt(0).Octave, c.newOctave) << c.step << "/" << c.octave;
  }
}

int CountLines(const nv::platform::RecordingCanvas& canvas, const std::string& prefix) {
  return static_cast<int>(std::count_if(canvas.lines().begin(), canvas.lines().end(),
                                        [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
}

TEST(GracePreview, ThreeEighthsGetOneBeamAndSixteenthsTwo) {
  GraceNotesModel model = Loaded(MainG());
  model.SetCount(3);
  model.Select(1);
  model.ChangeStep(4);  // a high middle note: the beam line lifts for it
  model.SetDuration(8);
  nv::platform::RecordingCanvas canvas;
  const Rect area{0, 0, 204, 90};
  PaintGracePreview(canvas, model, area);
  EXPECT_EQ(CountLines(canvas, "Polygon"), 2);
  model.SetDuration(16);
  canvas.clear();
  PaintGracePreview(canvas, model, area);
  EXPECT_EQ(CountLines(canvas, "Polygon"), 1);
  model.SetDuration(32);
  canvas.clear();
  PaintGracePreview(canvas, model, area);
  EXPECT_EQ(CountLines(canvas, "Polygon"), 0);
}

TEST(GracePreview, EveryStemIsAtLeastTwelvePixels) {
  GraceNotesModel model = Loaded(MainG());
  model.SetCount(3);
  model.SetDuration(8);
  model.Select(1);
  model.ChangeStep(4);
  model.Select(2);
  model.ChangeStep(-3);
  nv::platform::RecordingCanvas canvas;
  PaintGracePreview(canvas, model, {0, 0, 204, 90});
  const GracePreviewLayout layout = LayOutGracePreview(model, {0, 0, 204, 90});
  int stems = 0;
  for (const std::string& line : canvas.lines()) {
    int x0, y0, x1, y1;
    if (std::sscanf(line.c_str(), "LineTo (%d,%d) to (%d,%d) | pen #000000", &x0, &y0, &x1, &y1) != 4) continue;
    if (x0 != x1) continue;
    ++stems;
    EXPECT_GE(y0 - y1, 12) << line;
  }
  EXPECT_EQ(stems, 3);
  EXPECT_EQ(layout.HeadY[1], layout.MainY - 12);
}

TEST(GracePreview, OneShortNoteGetsTheSlash) {
  GraceNotesModel model = Loaded(MainG());
  nv::platform::RecordingCanvas canvas;
  PaintGracePreview(canvas, model, {0, 0, 204, 90});
  const GracePreviewLayout layout = LayOutGracePreview(model, {0, 0, 204, 90});
  const int x = layout.GlyphX[0];
  const int y = layout.HeadY[0] + 3;
  const std::string slash = "LineTo (" + std::to_string(x) + "," + std::to_string(y) + ") to (" +
                            std::to_string(x + 12) + "," + std::to_string(y - 6) + ") | pen #000000";
  EXPECT_EQ(CountLines(canvas, slash), 1) << canvas.text();
  model.SetOptions(0);
  canvas.clear();
  PaintGracePreview(canvas, model, {0, 0, 204, 90});
  EXPECT_EQ(CountLines(canvas, slash), 0);
}

TEST(GracePreview, SlurArcOnlyWhereItSags) {
  EXPECT_LE(GraceSlurSag(6), 0);
  EXPECT_GT(GraceSlurSag(40), 0);
  nv::platform::RecordingCanvas canvas;
  DrawGraceSlur(canvas, {10, 50}, {16, 50});
  EXPECT_EQ(CountLines(canvas, "Arc"), 0);
  DrawGraceSlur(canvas, {10, 50}, {50, 50});
  ASSERT_EQ(CountLines(canvas, "Arc"), 1);
  // Sag 3 x log2(40) - 8 = 7.97: a circle of radius (400 + 63.5) / 15.9 = 29
  // whose lowest point is 8 below the chord.
  int left, top, right, bottom;
  ASSERT_EQ(std::sscanf(canvas.lines().back().c_str(), "Arc (%d,%d)-(%d,%d)", &left, &top, &right, &bottom), 4)
      << canvas.lines().back();
  EXPECT_NEAR(bottom - 1, 58, 1);
  EXPECT_NEAR((left + right - 1) / 2.0, 30, 1);
  // A slurred group of ten before its note draws one arc.
  GraceNotesModel model = Loaded(MainG());
  model.SetOptions(grace_option::kSlur);
  model.SetCount(10);
  canvas.clear();
  PaintGracePreview(canvas, model, {0, 0, 204, 90});
  EXPECT_EQ(CountLines(canvas, "Arc"), 1);
}

TEST(GracePreview, BandsSelectNotesAndAccidentalsWidenThem) {
  GraceNotesModel model = Loaded(MainG());
  model.SetCount(3);
  model.Select(1);
  model.ToggleAccidental(grace_accidental::kSharp);
  const GracePreviewLayout layout = LayOutGracePreview(model, {0, 0, 204, 90});
  EXPECT_EQ(layout.BandLeft[1] - layout.BandLeft[0], 8);
  EXPECT_EQ(layout.BandLeft[2] - layout.BandLeft[1], 13);
  EXPECT_EQ(layout.MainX, 102 + 3 * 4 + 2);
  EXPECT_EQ(layout.BandLeft[0], layout.MainX - 3 * 8 - 4 - 5);
  EXPECT_EQ(GraceNoteAt(layout, layout.BandLeft[1] + 10), 1);
  EXPECT_EQ(GraceNoteAt(layout, layout.BandLeft[2]), 2);
  EXPECT_EQ(GraceNoteAt(layout, layout.BandLeft[0] - 1), -1);
  const Rect marker = GraceMarker(layout, 2);
  EXPECT_EQ(marker.left, layout.GlyphX[2] + 3);
  EXPECT_EQ(marker.right - marker.left, 2);
  EXPECT_EQ(marker.top, layout.StaffTop - 2);
}

// The grace notes keep clear of the main note's ink, for every main note
// value, grace value and count, before and after it. The main note is drawn
// at 19 points (an em of 25 pixels), a lone grace note at 13 (17), a group's
// heads at 11 (15); the advances are the font's (checked against the font
// itself by the platform tests).
TEST(GracePreview, GraceNotesNeverStandOnTheMainNote) {
  namespace glyph = nv::render::glyph;
  const struct {
    int duration;
    glyph::Code code;
  } mains[] = {{2, glyph::StemmedSixtyFourth}, {4, glyph::StemmedThirtySecond}, {8, glyph::StemmedSixteenth},
               {16, glyph::StemmedEighth},     {32, glyph::StemmedQuarter},      {64, glyph::StemmedHalf},
               {128, glyph::HalfHead}};
  const struct {
    int duration;
    glyph::Code code;
  } graces[] = {{4, glyph::StemmedThirtySecond}, {8, glyph::StemmedSixteenth}, {16, glyph::StemmedEighth},
                {32, glyph::StemmedQuarter}};
  for (const auto& main : mains) {
    for (const auto& grace : graces) {
      for (const int count : {1, 3}) {
        for (const bool after : {false, true}) {
          GraceNotesValues values = MainG();
          values.Main.Duration = main.duration;
          GraceNotesModel model = Loaded(values);
          model.SetCount(count);
          model.SetDuration(grace.duration);
          model.SetOptions(after ? grace_option::kAfter : 0);
          model.Select(0);
          model.ToggleAccidental(grace_accidental::kFlat);
          const GracePreviewLayout layout = LayOutGracePreview(model, {0, 0, 204, 90});
          const std::string what = "main " + std::to_string(main.duration) + ", " + std::to_string(count) + " x " +
                                   std::to_string(grace.duration) + (after ? " after" : " before");
          const int mainRight = layout.MainX + (glyph::NoteAdvance21(main.code) * 25 + 20) / 21;
          const int graceWidth = count == 1 ? (glyph::NoteAdvance21(grace.code) * 17 + 20) / 21
                                            : (glyph::NoteAdvance21(glyph::BlackHead) * 15 + 20) / 21;
          if (after) {
            // The first band begins with the flat, whose ink starts half a pixel left of it.
            EXPECT_GT(layout.BandLeft.front(), mainRight) << what;
          } else {
            EXPECT_LT(layout.GlyphX.back() + graceWidth, layout.MainX) << what;
          }
          for (int i = 1; i < count; ++i)
            EXPECT_GE(layout.BandLeft[static_cast<std::size_t>(i)],
                      layout.GlyphX[static_cast<std::size_t>(i - 1)] + graceWidth)
                << what;
        }
      }
    }
  }
}

}  // namespace
}  // namespace nv::dialogs
