#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/drum_map.h"
#include "formats/score_stream.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/model_dump.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/score_builder.h"

// Scores and streams shared by the score file tests.
namespace score_fixtures {

using Bytes = std::vector<std::uint8_t>;

using score_builder::AddNote;

inline TECMeasureItem* AddPlainItem(TECMeasure& measure, std::uint8_t kind) {
  measure.Items.push_back(std::make_unique<TECMeasureItem>(kind, &measure));
  return measure.Items.back().get();
}

template <typename Item>
Item* AddItem(TECMeasure& measure) {
  measure.Items.push_back(std::make_unique<Item>(&measure));
  return static_cast<Item*>(measure.Items.back().get());
}

inline std::unique_ptr<TECPageText> MakeText(const std::string& line) {
  auto text = std::make_unique<TECPageText>();
  text->X = 12;
  text->Y = -5;
  text->FontName = "Arial";
  text->FontSize = 14;
  text->FontStyle = 1;
  text->Color = 0x123456;
  text->Rotation = 90;
  text->Flags = TECPageObject::OnEveryPage;
  text->Lines = {line, "second line"};
  return text;
}

// Every kind of page object, a picture with and one without data.
inline std::vector<std::unique_ptr<TECPageObject>> MakeEveryPageObject() {
  std::vector<std::unique_ptr<TECPageObject>> objects;
  objects.push_back(MakeText("Tëxt ü"));
  auto picture = std::make_unique<TECPagePicture>();
  picture->X = 1010;
  picture->Y = 1020;
  picture->Width = 300;
  picture->Height = 200;
  picture->Flags = TECPagePicture::Stretched;
  picture->Picture = TECPicture{258, Bytes{0xFF, 0xD8, 0x00, 0x01, 0xFF, 0xD9}};
  objects.push_back(std::move(picture));
  objects.push_back(std::make_unique<TECPagePicture>());
  auto line = std::make_unique<TECPageLine>();
  line->X1 = 1001, line->Y1 = 1002, line->X2 = 1300, line->Y2 = 1400;
  line->PenWidth = 2, line->PenColor = 255, line->PenStyle = 1, line->EndShapes = 0x12;
  line->Page = 1;
  objects.push_back(std::move(line));
  for (std::uint8_t kind : {ek::PageRectangle, ek::PageEllipse}) {
    auto shape = std::make_unique<TECPageShape>(kind);
    shape->X = 1100, shape->Y = 1200, shape->Width = 50, shape->Height = 60;
    shape->PenWidth = 3, shape->PenColor = 7, shape->PenStyle = 2, shape->BrushColor = 9, shape->BrushStyle = 3;
    objects.push_back(std::move(shape));
  }
  for (std::uint8_t kind : {ek::PageArc, ek::PagePie, ek::PageChord}) {
    auto arc = std::make_unique<TECPageArc>(kind);
    arc->X = 1100, arc->Y = 1200, arc->Width = 80, arc->Height = 40;
    arc->StartX = 1100, arc->StartY = 1200, arc->EndX = 1180, arc->EndY = 1240;
    arc->PenWidth = 1, arc->BrushStyle = 1, arc->Page = 2;
    objects.push_back(std::move(arc));
  }
  return objects;
}

// A measure with every kind of record: clef, key and time records, a beam
// setting, notes with every attribute form (plain, grace group, tie inside
// the measure), play notes, rests with a dot, and every item kind.
inline void FillMeasure(TECMeasure& measure) {
  measure.Clef = std::make_unique<TECClef>(2, &measure);
  measure.KeySignature = std::make_unique<TECKeySignature>(43, &measure);
  measure.TimeSignature = std::make_unique<TECTimeSignature>(&measure);
  measure.TimeSignature->Word = 4 << 8 | 4;
  measure.TimeSignature->Style = 1;
  measure.BeamOverride = 1;
  measure.BeamGroupCount = 2;

  TECNote* first = AddNote(measure, 1, 5, 16, 0);
  first->ChordMark = 1;
  first->Velocity = 90;
  first->SoundingLength = 12;
  first->StartOffset = 0x83;
  first->Options = 0x08;
  first->Extra = {1, 2, 3, 4, 5};
  first->Attributes.push_back(MakeNoteAttribute(ek::Sharp, first));
  first->Attributes.back()->Data = {0, 0, 7};
  auto grace = std::make_unique<TECGraceGroup>(first);
  grace->Data = {8, 0x20, 0};
  auto small = std::make_unique<TECGraceNote>(grace.get());
  small->Step = 3, small->Octave = 5, small->Position = -4, small->Length = 4, small->Velocity = 70;
  small->Attributes.push_back(std::make_unique<TECNoteAttribute>(ek::Flat, small.get()));
  grace->Notes.push_back(std::move(small));
  first->Attributes.push_back(std::move(grace));
  auto play = std::make_unique<TECPlayNote>(first);
  play->Step = 1, play->Octave = 5, play->Start = 0, play->Length = 8, play->Accidental = 1, play->Velocity = 80;
  first->EditPlayNotes().push_back(std::move(play));

  TECNote* chordNote = AddNote(measure, 3, 5, 16, 0);
  chordNote->ChordMark = 1;
  TECNote* second = AddNote(measure, 5, 5, 16, 16);
  second->Flags = TECNote::StemDown | 3;
  second->Attributes.push_back(MakeNoteAttribute(ek::Dot, second));
  TECLinkAttribute* tie = LinkNotes(first, second, ek::LinkBelow);
  tie->StartOffset = 3, tie->EndOffset = 250, tie->Thickness = 6, tie->LinkStyle = 1;
  AddNote(measure, 7, 4, 64, 32, 1);
  // A "Repeat notes" sign of variant 0 keeps its value 0, and a note
  // written at position 0 keeps its own start.
  TECNote* repeat = AddNote(measure, ek::RepeatNotes - 20, 0, 0, 32, 2);
  repeat->Length = 64;
  AddNote(measure, 4, 5, 8, 10, 3)->Position = 0;

  auto rest = std::make_unique<TECRest>(&measure);
  rest->Value = 32, rest->Length = 48, rest->Position = rest->Start = 96, rest->Step = 2, rest->Octave = 5;
  rest->Flags = TECRest::Hidden;
  rest->Attributes.push_back(MakeNoteAttribute(ek::Dot, rest.get()));
  measure.Rests.push_back(std::move(rest));

  auto* clefChange = AddPlainItem(measure, ek::ClefChange);
  clefChange->Position = 64, clefChange->Second = 3;
  auto* chord = AddItem<TECChordSymbol>(measure);
  chord->Position = 16, chord->Voice = 1, chord->Params = {1, 2, 3, 0}, chord->Value = 77;
  chord->Code = {2, 1, 0x13, 0x21, 0x05};
  chord->Pieces = {TECChordPiece{{1, 2, 3, 4, 5}, "C"}, TECChordPiece{{0, 0, 0, 0, 9}, "m7"}};
  chord->Text = "Cm7/G";
  auto* dynamics = AddPlainItem(measure, ek::Dynamics + 12);
  dynamics->Position = 8, dynamics->Second = 5, dynamics->Params = {1, 2, 3, 4};
  auto* tuplet = AddItem<TECTuplet>(measure);
  tuplet->Position = 0, tuplet->Second = 32, tuplet->Voice = 0, tuplet->Count = 3, tuplet->UnitValue = 16;
  tuplet->Shift = 254, tuplet->Flags = 0x01, tuplet->Lengths = {11, 11, 10};
  auto* group = AddItem<TECObjectGroup>(measure);
  group->Position = 40;
  group->Objects = MakeEveryPageObject();
  auto* spanner = AddPlainItem(measure, 223);
  spanner->Position = 0, spanner->Second = 200, spanner->Params = {5, 0, 0, 1};
  auto* barre = AddPlainItem(measure, ek::Barre);
  barre->Position = 4, barre->Second = 2, barre->Params = {1, 2, 3, 4};
  auto* bend = AddItem<TECBend>(measure);
  bend->Position = 20, bend->Voice = 2, bend->BendType = 5, bend->BendParams = {1, 2};
  bend->Curve = {1, 2, 3, 4, 5, 6};
  auto* box = AddItem<TECTextBox>(measure);
  box->Position = 30, box->Voice = 1, box->Style = {1, 2, 3, 4, 5}, box->Value32 = -3, box->Value16 = 9;
  box->FontName = "Times", box->Lines = {"a", "", "ß"};
}

// A score that uses every record, attribute and setting the stream holds,
// in the state the editor keeps it (beams built, measure times known).
inline std::unique_ptr<TECMusicScore> MakeFullScore() {
  auto score = std::make_unique<TECMusicScore>();
  TECMusicScore& s = *score;
  // The records as built, without the layout pass, as a stream load leaves them.
  s.LayoutSuspended = true;
  s.SetTempo(96);
  s.SetMetrix(TECMetrix::rmInches);
  s.SetZoom(150);
  s.SetScale(90);
  s.SetUnionStyle(TECUnionStyle::usHalf);
  s.SetTimeSignature(3, 4, 2, true);
  s.SetAufTakt(1, 4);
  s.SetVertAlign(false);
  s.SetPrintEmpty(true);
  s.SetPrintNumber(true);
  s.SetPrintLines(true);
  s.SetStartBarNumber(5);
  s.SetNumberStyle(TECNumberStyle::nsPage);
  s.SetNoteInterval(2);
  s.SetDensity(true);
  s.SetMeasureCount(4);
  s.SetTempoScale(120);
  s.SetUnionCount(3);
  s.Composer = "Composer Ñame";
  s.Rights = "© 2026";
  s.SetDescription({"first", "Вторая строка"});
  s.Page().SetPaperSize(TECPaperSize::A4);
  s.Page().SetOrientation(TPrinterOrientation::poLandscape);

  AddDrumHead(s, "Cross", 3, MakeEveryPageObject(), 7, -2);
  AddDrumHead(s, "Empty", 0, {}, 0, 0);
  SetDrumMapEntry(s, 42, "Closed hi-hat", true, 45, 0);
  SetDrumMapEntry(s, 36, "Bass drum", false, 26, 255);

  for (int i = 0; i < 2; ++i) {
    TECInstrument& instrument = *s.AppendInstrument();
    instrument.SetMidiInstrument(40 + i);
    instrument.SetName(i == 0 ? "Violin" : "");
    instrument.SetChannel(3 + i);
    instrument.SetMute(i == 1);
    instrument.SetPageCount(3);
    instrument.SetAccolade(1);
    instrument.SetAsMusicScore(true);
    instrument.SetVolume(100);
    instrument.SetPan(i == 0 ? -1 : 20);
    TECRowInfo system;
    system.LeftIndent = 10, system.RightIndent = -4, system.Page = 1;
    system.OwnSettings = 1, system.Density = 1, system.SpacingMode = 2, system.MeasureCount = 3, system.HorzAlign = 1;
    system.RowOffsets = {0, 25};
    instrument.Systems = {TECRowInfo{}, system};
    instrument.Pairs = {{2, 1}, {1, 0}};

    for (int r = 0; r < 2; ++r) {
      TECRow& row = *instrument.AppendRow();
      row.SetVoiceMode(r + 1);
      row.SetFiveLineStaff(r == 0);
      row.SetMidiInstrument(r == 0 ? -1 : 73);
      row.SetName(r == 0 ? "Upper" : "Lower");
      row.SetChannel(r == 0 ? 1 : 10);
      row.SetMute(r == 1);
      row.SetUnited(r == 0);
      row.SetVolume(r == 0 ? -1 : 64);
      row.SetPan(r == 0 ? 127 : -1);
      FillMeasure(*row.AddMeasure());
      TECMeasure& plain = *row.AddMeasure();
      TECNote* later = AddNote(plain, 2, 4, 32, 0);
      AddNote(plain, 4, 4, 32, 32);
      // A slur from the previous measure, and one from the row above.
      LinkNotes(row.GetMeasure(0)->Notes.back().get(), later, ek::LinkAbove);
      if (r == 1) LinkNotes(instrument.GetRow(0)->GetMeasure(1)->Notes[1].get(), later, ek::LinkBelow);
      row.AddMeasure();
    }
    TECSymbolEntry* entry = instrument.GetSymbolMeasure(1, false);
    instrument.GetSymbolMeasure(2, false);
    for (std::uint8_t kind : {71, 76, 80, 81, 87, 88, 99}) {
      auto item = std::make_unique<TECSymbolItem>(kind, entry);
      item->SetByte(1, static_cast<std::uint8_t>(kind + 1));
      if (kind == ek::SymbolRehearsal) item->SetByte(4, 2);
      if (kind == ek::TempoMark) item->SetTempo(132);
      entry->Items.push_back(std::move(item));
    }
    entry->Flag = 1;
    for (auto& object : MakeEveryPageObject()) {
      object->Owner = &instrument;
      instrument.TextsRow().Objects.push_back(std::move(object));
    }
    instrument.UpdateMeasureTimes();
    TECMeasureLayout& layout = *instrument.EnsureLayout(1);
    layout.SpaceAfterBar = 12;
    layout.PageBreak = 1;
    layout.Extents = {{1, 2}, {0, 0}, {3, 4}};
    for (int r = 0; r < instrument.GetRowCount(); ++r) instrument.GetRow(r)->RebuildUnionsFrom(0, false, false);
  }
  s.LayoutSuspended = false;
  return score;
}

inline Bytes Save(const TECMusicScore& score) {
  MemoryStream stream;
  SaveScoreToStream(score, stream);
  return stream.Data();
}

inline void Load(TECMusicScore& score, const Bytes& bytes) {
  MemoryStream stream(bytes);
  LoadScoreFromStream(score, stream);
}

// The dump and the settings the dump leaves out.
inline std::string FullDump(const TECMusicScore& score) {
  std::string text = DumpScore(score) + score.Page().Dump() + "\n";
  text += "composer=" + score.Composer + " rights=" + score.Rights + " lines=";
  for (const auto& line : score.Description()) text += line + "|";
  text += " metrix=" + std::to_string(int(score.GetMetrix())) + " size=" + std::to_string(score.GetSizeStyle());
  text += " align=" + std::to_string(score.GetVertAlign()) + std::to_string(score.GetHorzAlign());
  text += " print=" + std::to_string(score.GetPrintEmpty()) + std::to_string(score.GetPrintNumber()) +
          std::to_string(score.GetPrintLines());
  text += " bars=" + std::to_string(score.GetStartBarNumber()) + "/" + std::to_string(int(score.GetNumberStyle()));
  text += " spacing=" + std::to_string(score.NoteInterval()) + "/" + std::to_string(score.GetDensity()) + "/" +
          std::to_string(score.MeasureCount()) + "\n";
  auto& s = const_cast<TECMusicScore&>(score);
  for (const auto& head : s.DrumHeads()) {
    text += "head " + head->Name + " " + std::to_string(head->First) + "," + std::to_string(head->Second) + "," +
            std::to_string(head->Third) + "\n";
    for (const auto& shape : head->Shapes) text += "  " + DumpElement(*shape) + "\n";
  }
  for (const auto& entry : s.DrumMap())
    text += "drum " + std::to_string(entry.Pitch) + " " + std::to_string(entry.Head) + " " +
            std::to_string(entry.Position) + " " + std::to_string(entry.Use) + " " + entry.Name + "\n";
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    const TECInstrument& instrument = *score.GetInstrumentAt(i);
    text += "groups";
    for (const auto& group : instrument.Pairs) text += " " + std::to_string(group[0]) + ":" + std::to_string(group[1]);
    for (const auto& layout : instrument.Layouts()) {
      text += " extents";
      for (const auto& pair : layout->Extents) text += " " + std::to_string(pair.Before) + "/" + std::to_string(pair.After);
    }
    text += "\n";
  }
  return text;
}

}  // namespace score_fixtures
