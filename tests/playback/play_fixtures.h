#pragma once

#include <map>
#include <memory>
#include <string>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/score_builder.h"
#include "model/symbols_row.h"

// Scores and document-window answers shared by the playback tests.
namespace play_fixtures {

using score_builder::AddAttribute;
using score_builder::AddNote;

// The document window's answers to OnGetDinamics with these settings: the
// dynamic marks p (161) 40, mf (164) 80, f (165) 100; crescendo and
// diminuendo 40; accents 30 (198) and 40 (199); fermatas 2 (195) and 1
// (196); arpeggio 64; staccato with n = 4, so 2^3 = 8; every other code 64.
inline int Dinamics(int symbol) {
  static const std::map<int, int> kSettings = {{161, 40}, {164, 80}, {165, 100}, {221, 40}, {222, 40},
                                               {198, 30}, {199, 40}, {195, 2},   {196, 1},   {131, 64},
                                               {109, 8}};
  const auto it = kSettings.find(symbol);
  return it != kSettings.end() ? it->second : 64;
}

// The term library: "dolce" is a dynamic term of absolute velocity 50,
// "poco cresc." a change of +20, "Allegro" a tempo term of 20.
inline bool Terms(int kind, const std::string& text, int& value1, int& value2) {
  struct Term {
    int Kind, Value1, Value2;
  };
  static const std::map<std::string, Term> kLibrary = {
      {"dolce", {1, 0, 50}}, {"poco cresc.", {1, 1, 20}}, {"Allegro", {2, 0, 20}}};
  const auto it = kLibrary.find(text);
  if (it == kLibrary.end() || it->second.Kind != kind) return false;
  value1 = it->second.Value1;
  value2 = it->second.Value2;
  return true;
}

inline void AnswerSettings(TECMusicScore& score) {
  score.OnGetDinamics = [](TECModelObject*, int symbol) { return Dinamics(symbol); };
  score.OnGetTerms = [](TECModelObject*, int kind, const std::string& text, int& v1, int& v2) {
    return Terms(kind, text, v1, v2);
  };
}

inline TECMeasureItem* AddItem(TECMeasure& measure, std::uint8_t kind, int position, int second = 0) {
  measure.Items.push_back(MakeMeasureItem(kind, &measure));
  TECMeasureItem* item = measure.Items.back().get();
  item->Position = static_cast<std::uint16_t>(position);
  item->Second = static_cast<std::uint16_t>(second);
  return item;
}

inline TECTextBox* AddText(TECMeasure& measure, int position, const std::string& text) {
  auto* box = static_cast<TECTextBox*>(AddItem(measure, ek::TextBox, position));
  box->Lines = {text};
  return box;
}

// A symbols-row item of `kind` at measure m, with bytes 1 and 2.
inline TECSymbolItem* AddSymbol(TECInstrument& instrument, int m, std::uint8_t kind, int byte1 = 0, int byte2 = 0) {
  TECSymbolEntry* entry = instrument.GetSymbolMeasure(m, false);
  entry->Items.push_back(std::make_unique<TECSymbolItem>(kind, entry));
  TECSymbolItem* item = entry->Items.back().get();
  if (byte1) item->SetByte(1, static_cast<std::uint8_t>(byte1));
  if (byte2) item->SetByte(2, static_cast<std::uint8_t>(byte2));
  return item;
}

inline TECMeasure& MeasureOf(TECMusicScore& score, int instrument, int row, int m) {
  return *score.GetInstrumentAt(instrument)->GetRow(row)->GetMeasure(m);
}

}  // namespace play_fixtures
