#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

// Small helpers that put records into a measure the way the insertion code
// would, so that tests can build scores in a few lines.
namespace score_builder {

inline TECNote* AddNote(TECMeasure& measure, int step, int octave, int value, int start, int voice = 0) {
  auto note = std::make_unique<TECNote>(static_cast<std::uint8_t>(20 + step), &measure);
  note->Octave = static_cast<std::uint8_t>(octave);
  note->Value = note->Length = static_cast<std::uint16_t>(value);
  note->Position = note->Start = static_cast<std::uint16_t>(start);
  note->Voice = static_cast<std::uint8_t>(voice);
  measure.Notes.push_back(std::move(note));
  return measure.Notes.back().get();
}

inline TECRest* AddRest(TECMeasure& measure, int value, int start, int voice = 0) {
  auto rest = std::make_unique<TECRest>(&measure);
  rest->Value = rest->Length = static_cast<std::uint16_t>(value);
  rest->Position = rest->Start = static_cast<std::uint16_t>(start);
  rest->Voice = static_cast<std::uint8_t>(voice);
  measure.Rests.push_back(std::move(rest));
  return measure.Rests.back().get();
}

inline TECNoteAttribute* AddAttribute(TECNote& note, std::uint8_t code) {
  note.Attributes.push_back(MakeNoteAttribute(code, &note));
  return note.Attributes.back().get();
}

// A score with `instruments` instruments of one row each and measures
// appended to every row.
inline std::unique_ptr<TECMusicScore> MakeScore(int instruments, int measures) {
  auto score = std::make_unique<TECMusicScore>();
  for (int i = 0; i < instruments; ++i) {
    TECRow* row = score->AppendInstrument()->AppendRow();
    for (int m = 0; m < measures; ++m) row->AddMeasure();
  }
  return score;
}

// Beam group numbers of a measure's notes, in list order.
inline std::vector<int> BeamNumbers(const TECMeasure& measure) {
  std::vector<int> numbers;
  for (const auto& note : measure.Notes) numbers.push_back(note->BeamGroup);
  return numbers;
}

// Rests of a measure as (length, start) pairs.
inline std::vector<std::pair<int, int>> Rests(const TECMeasure& measure, int voice = 0) {
  std::vector<std::pair<int, int>> rests;
  for (const auto& rest : measure.Rests)
    if (rest->Voice == voice) rests.emplace_back(rest->Length, rest->Start);
  return rests;
}

}  // namespace score_builder

// A window for the score that records what it is asked to do: repaints,
// caret changes, scroll bars, scrolls and immediate repaints. The client is
// 400 x 300 with 16-pixel bars unless a test sets other sizes.
class FakeScoreHost : public IECScoreHost {
 public:
  std::vector<TECRect> invalidated;
  int invalidatedAll = 0;
  std::vector<bool> caret;
  TECScrollBar horizontal;
  TECScrollBar vertical;
  struct Scroll {
    TECRect area;
    int dx, dy;
  };
  std::vector<Scroll> scrolls;
  int repaints = 0;
  int clientWidth = 400;
  int clientHeight = 300;
  int barSize = 16;
  void InvalidateRect(const TECRect& area) override { invalidated.push_back(area); }
  void InvalidateAll() override { ++invalidatedAll; }
  void SetCaretVisible(bool visible) override { caret.push_back(visible); }
  void SetMouseCursor(int) override {}
  void SetScoreSize(int, int) override {}
  int ClientWidth() const override { return clientWidth; }
  int ClientHeight() const override { return clientHeight; }
  int VerticalBarWidth() const override { return barSize; }
  int HorizontalBarHeight() const override { return barSize; }
  bool Enabled() const override { return true; }
  void SetScrollBar(TECScrollBarKind bar, const TECScrollBar& state) override {
    (bar == TECScrollBarKind::sbHorizontal ? horizontal : vertical) = state;
  }
  // A move uncovers the strip at the side it moves away from.
  TECRect ScrollContents(const TECRect& area, int dx, int dy) override {
    scrolls.push_back({area, dx, dy});
    return UncoveredStrip(area, dx, dy);
  }
  void RepaintNow() override { ++repaints; }
};
