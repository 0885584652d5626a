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
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draw_test_support.h"
#include "model/drum_tables.h"
#include "pixel_compare.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/page_objects.h"
#include "model/symbols_row.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_font_faces.h"

namespace {

using nv::render::PaintSelection;
using pixel_compare::ExpectMatchesReference;

using draw_test::AddGraceGroup;
using draw_test::AddItem;
using draw_test::ChordPiece;
using draw_test::PageLine;
using score_builder::AddAttribute;
using score_builder::AddNote;
using score_builder::AddRest;

constexpr int kZoom = 200;

QImage Render(TECMusicScore& score, const PaintSelection* selection) {
  score.SetZoom(kZoom);
  nv::render::LayoutScore(score, 0, false);
  QImage image(score.Page().PixelWidth(), score.Page().PixelHeight(), QImage::Format_RGB32);
  image.fill(Qt::white);
  nv::platform::QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, 96, 96));
  score.DrawPage(canvas, kZoom, kZoom, selection);
  return image;
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
  TECMeasure& a = Measure(*score, 0, 0);
  TECNote* high = AddNote(a, 5, 6, 32, 0);
  high->Flags |= TECNote::StemDown;
  AddGraceGroup(*high, 16, 0x60, {{1, 7, 0}});
  AddGraceGroup(*AddNote(a, 3, 5, 32, 32), 8, 0x20, {{1, 5, ek::Sharp}, {2, 5, 0}, {3, 5, ek::Flat}});
  TECNote* half = AddNote(a, 1, 6, 64, 64);
  half->Flags |= TECNote::StemDown;
  AddGraceGroup(*half, 4, 0xA0, {{7, 5, 0}, {6, 5, ek::Natural}, {5, 5, 0}});
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

// Quarters on the middle line of every measure, two measures to a system.
std::unique_ptr<TECMusicScore> QuarterScore(int measures) {
  auto score = layout_test::MakeScore(1, measures);
  score->SetTimeSignature(4, 4, 0, true);
  score->SetMeasureCount(2);
  for (int m = 0; m < measures; ++m)
    for (int i = 0; i < 4; ++i) AddNote(Measure(*score, 0, m), 7, 5, 32, i * 32);
  return score;
}

// Hairpins below the staff and an octave line above it, across the system
// break, with line brackets in the second system.
std::unique_ptr<TECMusicScore> HairpinsAndOctaveLine(PaintSelection&) {
  auto score = QuarterScore(4);
  AddItem(Measure(*score, 0, 0), ek::Crescendo, 0, 96, 2, 4);
  AddItem(Measure(*score, 0, 1), ek::Diminuendo, 0, 160, 2, 4);
  AddItem(Measure(*score, 0, 0), ek::Crescendo, 64, 192, 4, 3);
  AddItem(Measure(*score, 0, 0), ek::OctaveLineAbove, 32, 256, 2, 7);
  AddItem(Measure(*score, 0, 2), ek::OctaveLineBelow, 64, 96, 2, 3);
  AddItem(Measure(*score, 0, 3), ek::LineBracketAbove, 0, 32, 2, 7);
  AddItem(Measure(*score, 0, 3), ek::LineBracketBelow, 64, 32, 2, 7);
  AddItem(Measure(*score, 0, 3), ek::LineWithEndBar, 0, 96, 4, 3);
  return score;
}

// A trill line over a measure and a half, barre lines with fraction, letter,
// position and end tick.
std::unique_ptr<TECMusicScore> TrillAndBarre(PaintSelection&) {
  auto score = QuarterScore(2);
  AddItem(Measure(*score, 0, 0), ek::TrillLine, 0, 160, 2, 7);
  TECMeasureItem& five = AddItem(Measure(*score, 0, 0), ek::Barre, 0, 96, 2, 4);
  five.Params[1] = 0x95;  // 5/6, "B", end tick
  five.Params[2] = 5;
  TECMeasureItem& c = AddItem(Measure(*score, 0, 1), ek::Barre, 0, 120, 2, 4);
  c.Params[1] = 0x23;  // 1/2, "C"
  c.Params[2] = 12;
  return score;
}

// Bends of types 0 to 6, on every other quarter.
std::unique_ptr<TECMusicScore> Bends(PaintSelection&) {
  auto score = QuarterScore(4);
  for (int type = 0; type <= 6; ++type) {
    TECBend& bend = AddItem<TECBend>(Measure(*score, 0, type / 2), ek::Bend, (type % 2) * 64, 0, 2, 6);
    bend.BendType = static_cast<std::uint8_t>(type);
    if (type < 3) bend.Curve = {1012, 980, 0, 0, 0, 0};
    else if (type < 5) bend.Curve = {1010, 980, 1020, 1000, 0, 0};
    else bend.Curve = {1008, 980, 1016, 980, 1024, 1000};
  }
  return score;
}

// Chord symbols under the staff (a raised seventh, stacked alterations
// after a bracket, a shifted one) and text boxes (left, slanted, centred).
std::unique_ptr<TECMusicScore> ChordSymbolsAndTextBoxes(PaintSelection&) {
  auto score = QuarterScore(2);
  auto chord = [&](int m, int tick, std::vector<TECChordPiece> pieces) -> TECChordSymbol& {
    TECChordSymbol& c = AddItem<TECChordSymbol>(Measure(*score, 0, m), ek::ChordSymbol, tick, 0, 0, 0);
    c.Pieces = std::move(pieces);
    return c;
  };
  chord(0, 0, {ChordPiece("C", 0, 0), ChordPiece("m", 0, 0), ChordPiece("7", 1, -2)});
  chord(0, 64, {ChordPiece("G", 0, 0), ChordPiece("7", 1, -2), ChordPiece("b9", 1, -1), ChordPiece("#5", 1, -4)});
  chord(1, 0, {ChordPiece("F#", 0, 0), ChordPiece("/", 0, 0), ChordPiece("A#", 1, 0)}).Voice = 255 - 6;
  auto box = [&](int m, int tick, int step, int octave, int flags, int shift, std::vector<std::string> lines) {
    TECTextBox& t = AddItem<TECTextBox>(Measure(*score, 0, m), ek::TextBox, tick, 0, 0, 0);
    t.Style = {10, 0, static_cast<std::uint8_t>(step), static_cast<std::uint8_t>(octave),
               static_cast<std::uint8_t>(flags)};
    t.Voice = static_cast<std::uint8_t>(shift);
    t.Value32 = 0x800000;
    t.Lines = std::move(lines);
  };
  box(0, 32, 2, 9, 0, 0, {"dolce", "sempre"});
  box(1, 0, 2, 9, 0, 4, {"poco", "a", "poco"});
  box(1, 96, 2, 9, 1, 0, {"rit.", "molto"});
  return score;
}

// A rising beamed triplet, a falling one, and plain triplets with stems up
// and down.
std::unique_ptr<TECMusicScore> Tuplets(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 2);
  score->SetTimeSignature(4, 4, 0, true);
  score->SetMeasureCount(2);
  TECRow& row = *score->CurrentInstrument()->GetRow(0);
  auto triplet = [&](int m, int tick, int value, std::array<int, 3> steps, bool down) {
    TECMeasure& measure = Measure(*score, 0, m);
    for (int i = 0; i < 3; ++i) {
      TECNote* n = AddNote(measure, steps[i], 5, value, tick + i * value);
      n->Flags |= 3;
      if (down) n->Flags |= TECNote::StemDown;
    }
    TECTuplet& t = AddItem<TECTuplet>(measure, ek::Tuplet, tick, tick + 3 * value - 2, 0, 0);
    t.Voice = 0;
    t.Count = 3;
  };
  // Measure 0 is beamed by the union rebuild; measure 1 has no beams.
  triplet(0, 0, 16, {2, 4, 6}, false);
  triplet(0, 48, 16, {6, 4, 2}, true);
  row.RebuildUnions(&Measure(*score, 0, 0), false, false);
  triplet(1, 0, 32, {3, 4, 5}, false);
  triplet(1, 96, 8, {1, 1, 1}, false);
  Measure(*score, 0, 1).Notes.back()->Flags |= TECNote::StemDown;
  return score;
}

// An object group (rectangle, ellipse, arrowed line, arc, pie, rotated text)
// and drum-head notes made of drawing objects.
std::unique_ptr<TECMusicScore> ObjectGroupAndDrumHeads(PaintSelection&) {
  auto score = QuarterScore(2);
  TECObjectGroup& group = AddItem<TECObjectGroup>(Measure(*score, 0, 0), ek::ObjectGroup, 32, 0, 2, 8);
  auto shape = std::make_unique<TECPageShape>(ek::PageRectangle);
  shape->Width = 30;
  shape->Height = 14;
  shape->PenWidth = 1;
  shape->BrushStyle = 6;
  group.Objects.push_back(std::move(shape));
  auto ellipse = std::make_unique<TECPageShape>(ek::PageEllipse);
  ellipse->X = 40;
  ellipse->Width = 20;
  ellipse->Height = 14;
  ellipse->PenWidth = 1;
  ellipse->BrushStyle = 1;
  group.Objects.push_back(std::move(ellipse));
  auto line = PageLine(0, 24, 60, 30);
  line->EndShapes = 0x31;
  group.Objects.push_back(std::move(line));
  auto arc = std::make_unique<TECPageArc>(ek::PageArc);
  arc->X = 70;
  arc->Width = 24;
  arc->Height = 24;
  arc->StartX = 94;
  arc->StartY = 12;
  arc->EndX = 70;
  arc->EndY = 12;
  arc->BrushStyle = 1;
  group.Objects.push_back(std::move(arc));
  auto text = std::make_unique<TECPageText>();
  text->X = 100;
  text->Y = 30;
  text->Rotation = 45;
  text->Lines = {"group", "text"};
  group.Objects.push_back(std::move(text));

  auto head = std::make_unique<TECDrumHead>();
  head->Name = "cross";
  head->Shapes.push_back(PageLine(1000, 1000, 1010, 1006));
  head->Shapes.push_back(PageLine(1000, 1006, 1010, 1000));
  score->DrumHeads().push_back(std::move(head));
  auto diamond = std::make_unique<TECDrumHead>();
  auto rhombus = std::make_unique<TECPageShape>(ek::PageEllipse);
  rhombus->X = 1000;
  rhombus->Y = 1000;
  rhombus->Width = 10;
  rhombus->Height = 6;
  rhombus->PenWidth = 1;
  rhombus->BrushStyle = 1;  // clear
  diamond->Shapes.push_back(std::move(rhombus));
  score->DrumHeads().push_back(std::move(diamond));
  for (TECNote* note : {Measure(*score, 0, 1).Notes[0].get(), Measure(*score, 0, 1).Notes[2].get()}) {
    note->Options |= 0x10;
    note->Extra[2] = 1;
  }
  Measure(*score, 0, 1).Notes[3]->Options |= 0x10;
  Measure(*score, 0, 1).Notes[3]->Extra[2] = 2;
  return score;
}

// A triplet of quarters after the beams are rebuilt: its bracket alone,
// beside a beamed triplet of eighths.
std::unique_ptr<TECMusicScore> QuarterTriplet(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetTimeSignature(4, 4, 0, true);
  TECMeasure& measure = Measure(*score, 0, 0);
  auto triplet = [&](int tick, int value, std::array<int, 3> steps) {
    const int member = value * 2 / 3;
    for (int i = 0; i < 3; ++i) AddNote(measure, steps[i], 5, value, tick + i * member)->Flags |= 3;
    TECTuplet& t = AddItem<TECTuplet>(measure, ek::Tuplet, tick, tick + 3 * member - 2, 0, 0);
    t.Voice = 0;
    t.Count = 3;
  };
  triplet(0, 32, {3, 4, 5});
  triplet(64, 16, {5, 4, 3});
  score->CurrentInstrument()->GetRow(0)->RebuildUnions(&measure, false, false);
  return score;
}

// Dotted notes on ledger lines, staff lines and in spaces.
std::unique_ptr<TECMusicScore> DotsInSpaces(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 2);
  score->SetTimeSignature(4, 4, 0, true);
  const struct {
    int m, step, octave, tick;
  } notes[] = {{0, 1, 5, 0}, {0, 5, 5, 48}, {0, 6, 5, 96}, {1, 6, 6, 0}, {1, 4, 6, 48}, {1, 3, 6, 96}};
  for (const auto& n : notes) {
    TECNote* note = AddNote(Measure(*score, 0, n.m), n.step, n.octave, 32, n.tick);
    if (n.step + 7 * n.octave > 41) note->Flags |= TECNote::StemDown;
    AddAttribute(*note, ek::Dot);
    note->Length = 48;
  }
  return score;
}

// A slur over stem-up quarters and one under stem-down quarters, each on
// the stem side; ties beside a slur of the same length.
std::unique_ptr<TECMusicScore> SlursClearOfStems(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 3);
  score->SetTimeSignature(4, 4, 0, true);
  auto quarters = [&](int m, std::initializer_list<std::pair<int, int>> pitches, bool down) {
    std::vector<TECNote*> out;
    int tick = 0;
    for (const auto& [step, octave] : pitches) {
      TECNote* n = AddNote(Measure(*score, 0, m), step, octave, 32, tick);
      if (down) n->Flags |= TECNote::StemDown;
      out.push_back(n);
      tick += 32;
    }
    return out;
  };
  auto up = quarters(0, {{3, 5}, {4, 5}, {5, 5}, {3, 5}}, false);
  LinkNotes(up[0], up[3], ek::LinkAbove);
  auto down = quarters(1, {{3, 6}, {2, 6}, {1, 6}, {3, 6}}, true);
  LinkNotes(down[0], down[3], ek::LinkBelow);
  auto pairs = quarters(2, {{5, 5}, {5, 5}, {5, 5}, {6, 5}}, false);
  LinkNotes(pairs[0], pairs[1], ek::LinkBelow);  // a tie
  LinkNotes(pairs[2], pairs[3], ek::LinkBelow);  // a slur of the same length
  return score;
}

// A C clef that changes the clef in the middle of a system.
std::unique_ptr<TECMusicScore> ClefChange(PaintSelection&) {
  auto score = QuarterScore(2);
  score->SetMeasureCount(3);
  score->CurrentInstrument()->GetRow(0)->SetClef(1, 3);
  return score;
}

// Voltas that open the first and the second system, after clef and key.
std::unique_ptr<TECMusicScore> VoltaAtSystemStart(PaintSelection&) {
  auto score = QuarterScore(4);
  score->CurrentInstrument()->GetRow(0)->SetKeySignature(0, 33);
  for (int m : {0, 2}) {
    TECSymbolEntry* entry = score->CurrentInstrument()->GetSymbolMeasure(m, false);
    entry->Items.push_back(std::make_unique<TECSymbolItem>(ek::SymbolVolta, entry));
    entry->Items.back()->SetByte(1, 1);
    entry->Items.back()->SetByte(2, static_cast<std::uint8_t>(m / 2 + 1));
  }
  return score;
}

// Grace groups before their notes: two eighths with a sharp on the second,
// the same before a note of its own accidental, and a single slashed one.
std::unique_ptr<TECMusicScore> GraceGroupWithSharp(PaintSelection&) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetTimeSignature(4, 4, 0, true);
  TECMeasure& m = Measure(*score, 0, 0);
  AddGraceGroup(*AddNote(m, 3, 5, 32, 0), 16, 0, {{2, 5, 0}, {3, 5, ek::Sharp}});
  TECNote* flat = AddNote(m, 5, 5, 32, 32);
  AddAttribute(*flat, ek::Flat);
  AddGraceGroup(*flat, 16, 0, {{3, 5, ek::Sharp}, {4, 5, 0}});
  AddGraceGroup(*AddNote(m, 6, 5, 32, 64), 16, 0x40, {{5, 5, ek::Sharp}});
  AddNote(m, 7, 5, 32, 96);
  return score;
}

// Two named staves as a MIDI file gives them: the names in the first
// system's indent, clear of the first notes; a long name made to fit.
std::unique_ptr<TECMusicScore> InstrumentNames(PaintSelection&) {
  auto score = layout_test::MakeScore(2, 4);
  score->SetTimeSignature(4, 4, 0, true);
  TECInstrument& instrument = *score->CurrentInstrument();
  instrument.GetRow(0)->SetName("Flute");
  instrument.GetRow(1)->SetName("Acoustic Grand Piano");
  instrument.GetRow(1)->SetClef(0, 2);
  for (int i = 0; i < 4; ++i) {
    AddNote(Measure(*score, 0, 0), 1, 6, 32, i * 32);
    AddNote(Measure(*score, 1, 0), 1, 4, 32, i * 32);
  }
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
  ExpectMatchesReference(Render(*score, &selection), GetParam().name);
}

// The canvas may hold glyphs back while a page is drawn; none is left
// behind when DrawPage returns.
TEST(PageDrawing, IsAllOnTheDeviceWhenDrawPageReturns) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  PaintSelection selection;
  auto score = NotesAndChords(selection);
  score->SetZoom(kZoom);
  nv::render::LayoutScore(*score, 0, false);
  QImage image(score->Page().PixelWidth(), score->Page().PixelHeight(), QImage::Format_RGB32);
  image.fill(Qt::white);
  const QImage blank = image.copy();
  QImage onReturn;
  {
    nv::platform::QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, 96, 96));
    score->DrawPage(canvas, kZoom, kZoom);
    onReturn = image.copy();
  }
  EXPECT_FALSE(onReturn == blank);
  EXPECT_TRUE(onReturn == image);
}

INSTANTIATE_TEST_SUITE_P(Pages, PagePixels,
                         ::testing::Values(PageCase{"clefs_and_keys", ClefsAndKeys},
                                           PageCase{"notes_and_chords", NotesAndChords},
                                           PageCase{"beams_and_rests", BeamsAndRests},
                                           PageCase{"page_objects", PageObjects},
                                           PageCase{"selection", Selection},
                                           PageCase{"ties_and_slurs", TiesAndSlurs},
                                           PageCase{"ties_next_page", TiesNextPage},
                                           PageCase{"grace_notes_and_brackets", GraceNotesAndBrackets},
                                           PageCase{"hairpins_and_octave_line", HairpinsAndOctaveLine},
                                           PageCase{"trill_and_barre", TrillAndBarre},
                                           PageCase{"bends", Bends},
                                           PageCase{"chord_symbols_and_text_boxes", ChordSymbolsAndTextBoxes},
                                           PageCase{"tuplets", Tuplets},
                                           PageCase{"object_group_and_drum_heads", ObjectGroupAndDrumHeads},
                                           PageCase{"quarter_triplet", QuarterTriplet},
                                           PageCase{"dots_in_spaces", DotsInSpaces},
                                           PageCase{"slurs_clear_of_stems", SlursClearOfStems},
                                           PageCase{"clef_change", ClefChange},
                                           PageCase{"volta_at_system_start", VoltaAtSystemStart},
                                           PageCase{"grace_group_with_sharp", GraceGroupWithSharp},
                                           PageCase{"instrument_names", InstrumentNames}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
