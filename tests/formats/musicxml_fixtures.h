#pragma once

#include <memory>
#include <string>

#include "formats/musicxml_export.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/score_builder.h"

// Scores for the MusicXML export tests, and the export as text.
namespace musicxml_fixtures {

using score_builder::AddAttribute;
using score_builder::AddNote;
using score_builder::AddRest;

inline std::string Export(const TECMusicScore& score) {
  MemoryStream stream;
  ExportMusicXml(score, stream);
  return std::string(stream.Data().begin(), stream.Data().end());
}

inline TECNote* AddChordNote(TECMeasure& measure, int step, int octave, int value, int start, std::uint8_t mark,
                             int voice = 0) {
  TECNote* note = AddNote(measure, step, octave, value, start, voice);
  note->ChordMark = mark;
  return note;
}

// One instrument of one row in 4/4, with a composer and rights that need
// escaping. Measure 1: middle C, a dotted quarter D, an eighth rest, a B
// with a sharp. Measure 2: a "Repeat notes" sign, then a half-note G.
inline std::unique_ptr<TECMusicScore> MakeOnePartScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(4, 4, 0, true);
  score->Composer = "Ann & Bob";
  score->Rights = "<c> 2026";
  TECInstrument& violin = *score->AppendInstrument();
  violin.SetMidiInstrument(40);
  violin.SetName("Violin");
  violin.SetChannel(3);
  TECRow& row = *violin.AppendRow();
  TECMeasure& first = *row.AddMeasure();
  AddNote(first, 1, 5, 32, 0);
  TECNote* dotted = AddNote(first, 2, 5, 32, 32);
  dotted->Length = 48;
  AddAttribute(*dotted, ek::Dot);
  AddRest(first, 16, 80);
  AddAttribute(*AddNote(first, 7, 4, 32, 96), ek::Sharp);
  TECMeasure& second = *row.AddMeasure();
  AddNote(second, 1, 5, 32, 0)->Kind = ek::RepeatNotes;
  AddNote(second, 5, 5, 64, 64);
  score->LayoutScore(0, false);
  return score;
}

// One piano instrument of two rows in 3/4 and G major: a two-staff part
// with chords, accidentals and two voices.
//   Upper, measure 1: voice 0 the chord C E G, F (sharp by the key), F with
//   a natural; voice 1 a half-note A and a quarter rest.
//   Upper, measure 2: F with a flat, F (flat still), a high C.
//   Lower (bass clef), measure 1: the chord G D, dotted half.
//   Lower, measure 2: E with a double flat, nothing for a beat, C.
inline std::unique_ptr<TECMusicScore> MakeTwoStaffScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(3, 4, 0, true);
  TECInstrument& piano = *score->AppendInstrument();
  piano.SetMidiInstrument(0);
  piano.SetName("Piano");
  TECRow& upper = *piano.AppendRow();
  TECRow& lower = *piano.AppendRow();
  upper.SetVoiceMode(1);

  TECMeasure& u1 = *upper.AddMeasure();
  u1.KeySignature = std::make_unique<TECKeySignature>(31, &u1);
  AddChordNote(u1, 1, 5, 32, 0, 1);
  AddChordNote(u1, 3, 5, 32, 0, 1);
  AddChordNote(u1, 5, 5, 32, 0, 1);
  AddNote(u1, 6, 4, 64, 0, 1);
  AddNote(u1, 4, 5, 32, 32);
  AddAttribute(*AddNote(u1, 4, 5, 32, 64), ek::Natural);
  AddRest(u1, 32, 64, 1);
  TECMeasure& u2 = *upper.AddMeasure();
  AddAttribute(*AddNote(u2, 4, 5, 32, 0), ek::Flat);
  AddNote(u2, 4, 5, 32, 32);
  AddNote(u2, 1, 6, 32, 64);

  lower.SetClef(0, 2);
  TECMeasure& l1 = *lower.GetMeasure(0);
  l1.KeySignature = std::make_unique<TECKeySignature>(31, &l1);
  for (int step : {5, 2}) {
    TECNote* note = AddChordNote(l1, step, step == 5 ? 3 : 4, 64, 0, 1);
    note->Length = 96;
    AddAttribute(*note, ek::Dot);
  }
  TECMeasure& l2 = *lower.AddMeasure();
  AddAttribute(*AddNote(l2, 3, 3, 32, 0), ek::DoubleFlat);
  AddNote(l2, 1, 3, 32, 64);
  score->LayoutScore(0, false);
  return score;
}

// Two instruments on one program and channel, named with & and <, and a
// cello on a program of its own, in 4/4 with a quarter pickup. One row holds what a measure may hold beyond the
// plain: a sharp tied over the bar line, a triplet of 11 + 11 + 10 ticks, a
// 128th, a hidden rest, two notes of one voice that overlap, and a note
// past the measure's end.
inline std::unique_ptr<TECMusicScore> MakeSharedChannelScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(4, 4, 0, true);
  for (const char* name : {"Flute & <Oboe>", "Clarinet"}) {
    TECInstrument& instrument = *score->AppendInstrument();
    instrument.SetMidiInstrument(73);
    instrument.SetName(name);
    instrument.SetChannel(2);
    instrument.AppendRow();
  }
  score->SetAufTakt(1, 4);
  TECRow& flute = *score->GetInstrumentAt(0)->GetRow(0);
  TECMeasure& pickup = *flute.AddMeasure();
  TECNote* sharp = AddNote(pickup, 4, 5, 32, 0);
  AddAttribute(*sharp, ek::Sharp);
  TECMeasure& full = *flute.AddMeasure();
  TECNote* tied = AddNote(full, 4, 5, 32, 0);
  LinkNotes(sharp, tied, ek::LinkAbove);
  for (int i = 0; i < 3; ++i) {
    TECNote* member = AddNote(full, 5, 5, 16, 32 + 16 * i);
    member->Flags = 3;
    member->Start = static_cast<std::uint16_t>(32 + 11 * i);
    member->Length = i < 2 ? 11 : 10;
  }
  AddNote(full, 4, 5, 1, 64);
  AddRest(full, 31, 65);
  AddRest(full, 32, 96)->Flags = TECRest::Hidden;
  TECMeasure& overlapping = *flute.AddMeasure();
  AddNote(overlapping, 6, 5, 64, 0);
  AddNote(overlapping, 7, 5, 32, 32);
  AddNote(overlapping, 1, 6, 64, 96);

  TECRow& clarinet = *score->GetInstrumentAt(1)->GetRow(0);
  clarinet.AddMeasure();
  AddNote(*clarinet.AddMeasure(), 3, 4, 128, 0);

  TECInstrument& cello = *score->AppendInstrument();
  cello.SetMidiInstrument(42);
  cello.SetName("Cello");
  cello.SetChannel(5);
  TECRow& cellos = *cello.AppendRow();
  AddRest(*cellos.AddMeasure(), 32, 0);
  AddNote(*cellos.AddMeasure(), 1, 4, 128, 0);
  score->LayoutScore(0, false);
  return score;
}

// A violin melody in 4/4 with dots and ties. Measure 1: C quarter, D dotted
// quarter, E eighth, F quarter tied over the bar line. Measure 2: the F as a
// half, G quarter tied to a G quarter.
inline std::unique_ptr<TECMusicScore> MakeTiedMelodyScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(4, 4, 0, true);
  TECInstrument& violin = *score->AppendInstrument();
  violin.SetMidiInstrument(40);
  violin.SetName("Violin");
  violin.SetChannel(1);
  TECRow& row = *violin.AppendRow();
  row.SetClef(0, 1);
  TECMeasure& first = *row.GetMeasure(0);
  AddNote(first, 1, 5, 32, 0);
  TECNote* dotted = AddNote(first, 2, 5, 32, 32);
  dotted->Length = 48;
  AddAttribute(*dotted, ek::Dot);
  AddNote(first, 3, 5, 16, 80);
  TECNote* f = AddNote(first, 4, 5, 32, 96);
  TECMeasure& second = *row.AddMeasure();
  LinkNotes(f, AddNote(second, 4, 5, 64, 0), ek::LinkAbove);
  TECNote* g = AddNote(second, 5, 5, 32, 64);
  LinkNotes(g, AddNote(second, 5, 5, 32, 96), ek::LinkAbove);
  score->LayoutScore(0, false);
  return score;
}

// A string quartet in 4/4, one part each: violin I (named), violin II
// without a name (so named by its program), viola in the alto clef that
// turns to the treble clef at beat 3 of measure 2, cello in the bass clef
// that turns to the tenor clef at measure 2. Each plays two whole notes,
// the viola two halves in measure 2.
inline std::unique_ptr<TECMusicScore> MakeQuartetScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(4, 4, 0, true);
  struct Player {
    const char* Name;
    int Program;
    int Channel;
    int Clef;
    int Step;
    int Octave;
  };
  for (const Player& player : {Player{"Violin I", 40, 1, 1, 5, 5}, Player{"", 40, 2, 1, 3, 5},
                               Player{"Viola", 41, 3, 3, 1, 5}, Player{"Cello", 42, 4, 2, 1, 4}}) {
    TECInstrument& instrument = *score->AppendInstrument();
    instrument.SetMidiInstrument(player.Program);
    instrument.SetName(player.Name);
    instrument.SetChannel(player.Channel);
    TECRow& row = *instrument.AppendRow();
    row.SetClef(0, player.Clef);
    AddNote(*row.GetMeasure(0), player.Step, player.Octave, 128, 0);
    AddNote(*row.AddMeasure(), player.Step, player.Octave, 128, 0);
  }
  TECMeasure& viola = *score->GetInstrumentAt(2)->GetRow(0)->GetMeasure(1);
  viola.Notes.front()->Value = 64;
  viola.Notes.front()->Length = 64;
  AddNote(viola, 1, 5, 64, 64);
  viola.Items.push_back(MakeMeasureItem(ek::ClefChange, &viola));
  viola.Items.back()->Position = 64;
  viola.Items.back()->Second = 1;
  score->GetInstrumentAt(3)->GetRow(0)->SetClef(1, 8);
  score->LayoutScore(0, false);
  return score;
}

// One flute row in 4/4: a triplet of eighths C D E (11, 11 and 10 ticks),
// an F quarter after a slashed grace G, then a triplet of quarters A B C
// (22, 21 and 21 ticks) whose first note has two sixteenth graces D E.
inline std::unique_ptr<TECMusicScore> MakeTupletGraceScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(4, 4, 0, true);
  TECInstrument& flute = *score->AppendInstrument();
  flute.SetMidiInstrument(73);
  flute.SetName("Flute");
  flute.SetChannel(1);
  TECRow& row = *flute.AppendRow();
  row.SetClef(0, 1);
  TECMeasure& measure = *row.GetMeasure(0);
  auto triplet = [&](int value, std::initializer_list<std::pair<int, int>> steps, std::vector<int> lengths, int start) {
    std::vector<TECNote*> notes;
    std::size_t i = 0;
    for (const auto& [step, octave] : steps) {
      TECNote* note = AddNote(measure, step, octave, value, start);
      note->Flags = 3;
      note->Length = static_cast<std::uint16_t>(lengths[i++]);
      start += note->Length;
      notes.push_back(note);
    }
    return notes;
  };
  auto graces = [](TECNote& note, int value, int flags, std::initializer_list<int> steps) {
    auto* group = static_cast<TECGraceGroup*>(AddAttribute(note, ek::GraceNotes));
    group->Data[0] = static_cast<std::uint8_t>(value);
    group->Data[1] = static_cast<std::uint8_t>(flags);
    for (const int step : steps) {
      group->Notes.push_back(std::make_unique<TECGraceNote>(group));
      group->Notes.back()->Step = static_cast<std::uint8_t>(step);
      group->Notes.back()->Octave = 5;
    }
  };
  triplet(16, {{1, 5}, {2, 5}, {3, 5}}, {11, 11, 10}, 0);
  graces(*AddNote(measure, 4, 5, 32, 32), 16, 0x40, {5});
  const auto quarters = triplet(32, {{6, 5}, {7, 5}, {1, 6}}, {22, 21, 21}, 64);
  graces(*quarters.front(), 8, 0, {2, 3});
  score->LayoutScore(0, false);
  return score;
}

}  // namespace musicxml_fixtures
