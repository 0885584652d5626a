#pragma once

// A seeded mix of the edit commands for the random edit tests: the editing
// layer's commands on random selections and at random cursor places, note
// and rest entry, deletion, repeat signs, pickup, time, clef and key
// changes, measures added and deleted, ties and slurs, note effects, grace
// notes and chords.
//
//   random_edits::RandomEdits edits(seed);
//   const std::string label = edits.Change(score, action);   // one edit, named

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace random_edits {

class RandomEdits {
 public:
  explicit RandomEdits(unsigned seed) : rng_(seed) {}

  int Pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  int Sign() { return Pick(2) ? 1 : -1; }

  // Runs one random edit on `score`; answers what it was, with `index` (the
  // caller's count of actions), for failure messages.
  std::string Change(TECMusicScore& score, int index) {
    score_ = &score;
    const int what = Pick(24);
    Run(what);
    return "edit " + std::to_string(what) + " at action " + std::to_string(index);
  }

  // Puts the cursor on a random tick of a random measure of a random row.
  void PlaceCursor(TECMusicScore& score) {
    score_ = &score;
    PlaceCursor();
  }

 private:
  TECMusicScore& score() { return *score_; }
  TECInstrument& instrument() { return *score_->CurrentInstrument(); }

  // Selects some notes of one measure, or nothing with the cursor on a
  // note's start; answers the notes of that measure.
  std::vector<TECNote*> Choose() {
    score().ClearSelection();
    const int r = Pick(instrument().GetRowCount());
    TECRow& row = *instrument().GetRow(r);
    if (row.MeasureCount() == 0) return {};
    const int m = Pick(row.MeasureCount());
    std::vector<TECNote*> notes;
    for (const auto& note : row.GetMeasure(m)->Notes) notes.push_back(note.get());
    if (notes.empty()) return notes;
    if (Pick(3) == 0) {
      instrument().SetActiveRow(r);
      score().GoToMeasure(m);
      score().SetCursorPosition(notes[Pick(static_cast<int>(notes.size()))]->Start);
      return notes;
    }
    for (TECNote* note : notes)
      if (Pick(2) == 0) score().SelectElement(note, 0);
    return notes;
  }

  // Puts the cursor on a random tick of a random measure of a random row.
  void PlaceCursor() {
    score().ClearSelection();
    instrument().SetActiveRow(Pick(instrument().GetRowCount()));
    score().GoToMeasure(Pick(std::max(1, score().CurrentRow()->MeasureCount())));
    score().SetCursorPosition(8 * Pick(16));
  }

  TECRow::InsertOptions NoteOptions() {
    static constexpr std::uint8_t kAccidentals[] = {0, ek::Flat, ek::DoubleFlat, ek::Sharp, ek::DoubleSharp, ek::Natural, 25};
    static constexpr std::uint8_t kDots[] = {0, 0, ek::Dot, ek::DoubleDot};
    static constexpr std::uint8_t kTuplets[] = {0, 0, 0, 3, 5, 2};
    TECRow::InsertOptions options{};
    options[0] = kAccidentals[Pick(7)];
    options[1] = kDots[Pick(4)];
    options[2] = Pick(4) == 0 ? ek::Staccato : 0;
    options[5] = kTuplets[Pick(6)];
    return options;
  }

  void Run(int what) {
    static constexpr int kDurations[] = {8, 16, 24, 32, 48, 64, 96, 128};
    switch (what) {
      case 0:
        Choose();
        score().MoveSelectionHorz(Sign());
        break;
      case 1:
        Choose();
        score().ResizeSelection(Sign());
        break;
      case 2:
        Choose();
        score().SplitUnionNotes(Pick(2) == 0);
        break;
      case 3:
        Choose();
        score().MoveSelectionVert(Pick(2) ? Sign() : 7 * Sign());
        break;
      case 4:
        Choose();
        score().MoveSelectionByPitch(Pick(7) - 3);
        break;
      case 5:
        Choose();
        switch (Pick(3)) {
          case 0:
            score().SetStemDirection(Pick(2));
            break;
          case 1:
            score().SetBeamDirection(Sign());
            break;
          default:
            score().ReshapeSelection(Sign());
            break;
        }
        break;
      case 6:
        Choose();
        Pick(2) ? score().NudgeSelection(Sign()) : score().AlignSelection();
        break;
      case 7:
        Choose();
        Pick(2) ? score().ExtendSpanners(Sign()) : score().OffsetNote();
        break;
      case 8:
        Choose();
        score().DeleteSelection();
        break;
      case 9:
      case 10:
      case 11:
        PlaceCursor();
        score().InsertNote(1 + Pick(7), 4 + Pick(2), Pick(2) == 0, 0, 0, 0, NoteOptions(), kDurations[Pick(8)]);
        break;
      case 12:
        PlaceCursor();
        score().InsertRest(16 << Pick(3), static_cast<std::uint8_t>(Pick(3)));
        break;
      case 13:
        PlaceCursor();
        score().DeleteAtCursor(Pick(2) == 0);
        break;
      case 14:
        PlaceCursor();
        score().InsertRepeatSign(Pick(2) ? ek::RepeatNotes : ek::RepeatBar, Pick(3));
        break;
      case 15: {
        static constexpr int kPickups[][2] = {{0, 4}, {1, 4}, {2, 4}, {3, 4}, {1, 8}, {3, 8}, {1, 2}, {1, 16}};
        const auto& p = kPickups[Pick(8)];
        score().SetAufTakt(p[0], p[1]);
        break;
      }
      case 16: {
        static constexpr int kTimes[][2] = {{4, 4}, {3, 4}, {2, 4}, {6, 8}, {5, 8}, {2, 2}};
        const auto& t = kTimes[Pick(6)];
        PlaceCursor();
        score().SetTimeSignature(t[0], t[1], static_cast<std::uint8_t>(Pick(3)), Pick(2) == 0);
        break;
      }
      case 17:
        PlaceCursor();
        Pick(2) ? score().SetClefAtCursor(1 + Pick(11)) : score().SetKeySignatureAtCursor(Pick(2) ? 30 + Pick(8) : 40 + Pick(8));
        break;
      case 18:
        PlaceCursor();
        Pick(2) ? score().AddMeasures(1 + Pick(2)) : score().DeleteMeasures(1);
        break;
      case 19: {
        // A tie or slur from a note to a later one of the same or the next
        // measure.
        std::vector<TECNote*> notes = Choose();
        score().ClearSelection();
        if (notes.size() < 2) break;
        const int a = Pick(static_cast<int>(notes.size()) - 1);
        static constexpr int kLinks[] = {1, 2, 151, 152};
        score().LinkNotes(notes[a], notes[a + 1 + Pick(static_cast<int>(notes.size()) - a - 1)], kLinks[Pick(4)]);
        break;
      }
      case 20: {
        std::vector<TECNote*> notes = Choose();
        score().ClearSelection();
        if (notes.empty()) break;
        TECNote* note = notes[Pick(static_cast<int>(notes.size()))];
        if (Pick(2))
          score().AddNoteEffect(note, Pick(2) ? ek::Staccato : ek::Tenuto, 0, 0);
        else
          score().SetGraceNotes(note, 0, 1 + Pick(2), {{2, 5, ek::Sharp}, {3, 5, 0}}, 0);
        break;
      }
      case 21:
        PlaceCursor();
        score().ReplaceWithChordNotes({{static_cast<std::uint16_t>(55 + Pick(12))}, {static_cast<std::uint16_t>(64 + Pick(5))}},
                                      Pick(2) == 0, 16 * (1 + Pick(4)));
        break;
      case 22:
        Choose();
        score().SplitUnionNotes(true);
        break;
      default:
        PlaceCursor();
        score().InsertNote(1 + Pick(7), 5, false, 0, 0, 0, NoteOptions(), 32);
        break;
    }
  }

  std::mt19937 rng_;
  TECMusicScore* score_ = nullptr;
};

}  // namespace random_edits
