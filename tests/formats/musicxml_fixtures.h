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
//   Lower, measure 1: the chord G D, dotted half.
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

  TECMeasure& l1 = *lower.AddMeasure();
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

}  // namespace musicxml_fixtures
