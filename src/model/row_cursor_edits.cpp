// Edits at the score cursor that do not go through note insertion: rests,
// measure items, chord symbols, deletion and chords from the keyboard.
#include <algorithm>
#include <array>

#include "model/duration_split.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/note_placement.h"
#include "model/row.h"
#include "model/row_edit_support.h"
#include "model/undo_recorder.h"
#include "model/undo_step.h"

namespace {

using row_edit::MeasureLength;
using row_edit::MoveCursor;
using row_edit::TakesNotes;

// Layout from the active page, the cursor's page, and the change notice.
void Finish(TECRow& row, TECMusicScore& score) {
  score.LayoutScore(score.GetActivePage(), false);
  score.ShowCursorPage();
  score.InvalidateScore();
  score.DoChanged(&row);
}

TECMeasure* CursorMeasure(TECRow& row, const TECMusicScore& score) {
  while (row.MeasureCount() <= score.CursorMeasure()) row.AddMeasure();
  return row.GetMeasure(score.CursorMeasure());
}

const TECTuplet* TupletAt(const TECMeasure& measure, int tick, int voice, int& memberStart, int& memberLength) {
  for (const auto& item : measure.Items) {
    if (item->Kind != ek::Tuplet || item->Voice != voice) continue;
    const auto* tuplet = static_cast<const TECTuplet*>(item.get());
    if (tuplet->Flags & TECTuplet::Broken) continue;
    int start = tuplet->Position;
    for (std::uint8_t length : tuplet->Lengths) {
      if (tick >= start && tick < start + length) {
        memberStart = start;
        memberLength = length;
        return tuplet;
      }
      start += length;
    }
  }
  return nullptr;
}

// Curve points of a bend by its type 1..6.
std::array<std::uint16_t, 6> BendCurve(int type) {
  switch (type) {
    case 1: return {1000, 980};
    case 2: return {1010, 980};
    case 3: return {1000, 980, 1010, 1000};
    case 4: return {1010, 980, 1020, 1000};
    case 5: return {1000, 980, 1010, 980, 1020, 1000};
    case 6: return {1010, 980, 1020, 980, 1030, 1000};
    default: return {};
  }
}

}  // namespace

TECRest* TECRow::InsertRest(int value, std::uint8_t dots) {
  TECMusicScore* score = Score();
  if (!score || value < 2 || value > 128 || (value & (value - 1)) != 0) return nullptr;
  int m = score->CursorMeasure();
  int t = score->CursorTick();
  const int voice = voiceMode_ > 0 ? score->CursorVoice() : 0;
  const int dotCount = dots == ek::DoubleDot ? 2 : (dots == ek::Dot ? 1 : 0);
  int restValue = value;
  int length = DottedLength(static_cast<std::uint16_t>(value), dotCount);
  const TECMeasure* here = GetMeasure(m);
  int memberStart = 0;
  int memberLength = 0;
  const TECTuplet* tuplet = here ? TupletAt(*here, t, voice, memberStart, memberLength) : nullptr;
  if (tuplet) {
    const int unit = std::max<int>(1, tuplet->UnitValue);
    if (value >= unit) {
      restValue = unit;
      length = memberLength;
    } else {
      length = memberLength * value / unit;
      if (memberStart + memberLength - (t + length) < 2) length = memberStart + memberLength - t;
    }
  }
  // Rests are not split over bar lines: one that does not fit goes to the
  // next measure, and one longer than a measure is refused.
  if (t + length > MeasureLength(*this, m)) {
    ++m;
    t = 0;
  }
  if (length > MeasureLength(*this, m)) return nullptr;
  if (!TakesNotes(*this, m)) return nullptr;
  while (MeasureCount() <= m) AddMeasure();
  TECMeasure* measure = GetMeasure(m);
  for (const auto& note : measure->Notes)
    if (note->Voice == voice && NoteOverlaps(*note, t, t + length)) return nullptr;

  UndoRecorder undo(score, undo_kind::Rest);
  undo.Save(measure);
  // The voice's rests before the new one stay; the others are rebuilt
  // around it.
  std::erase_if(measure->Rests, [&](const auto& rest) {
    return rest->Voice == voice && rest->Start + rest->Length > t;
  });
  auto rest = std::make_unique<TECRest>(measure);
  rest->Value = static_cast<std::uint16_t>(restValue);
  rest->Length = static_cast<std::uint16_t>(length);
  rest->Position = rest->Start = static_cast<std::uint16_t>(t);
  rest->Voice = static_cast<std::uint8_t>(voice);
  if (dotCount > 0 && !tuplet) rest->Attributes.push_back(MakeNoteAttribute(dots, rest.get()));
  TECRest* placed = rest.get();
  measure->Rests.push_back(std::move(rest));
  RebuildVoiceUnions(measure, voice, false, t + length, true);
  const int end = t + length;
  if (end >= MeasureLength(*this, m))
    MoveCursor(*score, m + 1, 0);
  else
    MoveCursor(*score, m, end);
  Finish(*this, *score);
  return placed;
}

TECMeasureItem* TECRow::AddMeasureSymbol(int kind, std::uint8_t param, std::uint16_t value, std::uint8_t param2,
                                         std::uint8_t param3) {
  TECMusicScore* score = Score();
  if (!score || kind <= 0 || kind > 255) return nullptr;
  if (kind < 100 && kind != ek::ClefChange) kind += 100;
  if (kind > 255) return nullptr;
  TECMeasure* measure = CursorMeasure(*this, *score);
  const int tick = score->CursorTick();
  UndoRecorder undo(score, undo_kind::Symbol);
  if (kind == ek::ClefChange) {
    for (const auto& item : measure->Items) {
      if (item->Kind != ek::ClefChange || item->Position != tick) continue;
      if (item->Second == value) return item.get();
      undo.Save(measure);
      item->Second = value;
      Finish(*this, *score);
      return item.get();
    }
  }
  undo.Save(measure);
  std::unique_ptr<TECMeasureItem> item = MakeMeasureItem(static_cast<std::uint8_t>(kind), measure);
  item->Position = static_cast<std::uint16_t>(tick);
  if (kind == ek::Bend) {
    auto& bend = static_cast<TECBend&>(*item);
    bend.BendType = param;
    bend.BendParams = {param2, param3};
    bend.Curve = BendCurve(param);
  } else {
    item->Second = value;
    if (kind != ek::ClefChange) {
      item->Voice = param;
      item->Params[0] = param2;
      item->Params[1] = param3;
    }
  }
  measure->Items.push_back(std::move(item));
  TECMeasureItem* added = measure->Items.back().get();
  score->FollowNewSymbolItem(*measure, tick, kind);
  Finish(*this, *score);
  return added;
}

TECMeasureItem* TECRow::AddBarre(const std::array<std::uint8_t, 4>& params, std::uint16_t value,
                                 std::uint8_t voice) {
  TECMusicScore* score = Score();
  if (!score) return nullptr;
  TECMeasure* measure = CursorMeasure(*this, *score);
  UndoRecorder undo(score, undo_kind::Symbol);
  undo.Save(measure);
  std::unique_ptr<TECMeasureItem> item = MakeMeasureItem(ek::Barre, measure);
  item->Position = static_cast<std::uint16_t>(score->CursorTick());
  item->Second = value;
  item->Voice = voice;
  item->Params = params;
  measure->Items.push_back(std::move(item));
  TECMeasureItem* added = measure->Items.back().get();
  Finish(*this, *score);
  return added;
}

TECMeasureItem* TECRow::AddMeasureDrawing(const std::vector<const TECPageObject*>& objects, std::uint8_t param,
                                          std::uint8_t param2) {
  TECMusicScore* score = Score();
  if (!score || objects.empty()) return nullptr;
  TECMeasure* measure = CursorMeasure(*this, *score);
  UndoRecorder undo(score, undo_kind::Symbol);
  undo.Save(measure);
  auto group = std::make_unique<TECObjectGroup>(measure);
  group->Position = static_cast<std::uint16_t>(score->CursorTick());
  group->Voice = param;
  group->Params[0] = param2;
  for (const TECPageObject* object : objects)
    if (object) group->Objects.push_back(object->Clone());
  measure->Items.push_back(std::move(group));
  TECMeasureItem* added = measure->Items.back().get();
  Finish(*this, *score);
  return added;
}

void TECRow::AddTextItems(const std::vector<std::string>& lines, const std::string& fontName,
                          const std::array<std::uint8_t, 5>& style, std::int32_t value, std::uint8_t options) {
  TECMusicScore* score = Score();
  if (!score || lines.empty()) return;
  UndoRecorder undo(score, undo_kind::Text);
  auto add = [&](TECMeasure* measure, int tick, std::vector<std::string> text) {
    undo.Save(measure);
    auto box = std::make_unique<TECTextBox>(measure);
    box->Position = static_cast<std::uint16_t>(tick);
    box->Style = style;
    box->Value32 = value;
    box->FontName = fontName;
    box->Lines = std::move(text);
    measure->Items.push_back(std::move(box));
  };
  // The first box stands earliest; velocities are recomputed from there.
  TECMeasure* first = nullptr;
  int firstTick = 0;
  bool added = false;
  if (!(options & 1)) {
    first = CursorMeasure(*this, *score);
    firstTick = score->CursorTick();
    add(first, firstTick, lines);
    added = true;
  } else {
    // One line under each note from the cursor on; a chord takes one line.
    std::size_t next = 0;
    int from = score->CursorTick();
    for (int m = score->CursorMeasure(); m < MeasureCount() && next < lines.size(); ++m, from = 0) {
      TECMeasure* measure = GetMeasure(m);
      while (next < lines.size()) {
        int start = -1;
        for (const auto& note : measure->Notes)
          if (note->Start >= from && (start < 0 || note->Start < start)) start = note->Start;
        if (start < 0) break;
        add(measure, start, {lines[next++]});
        if (!added) first = measure, firstTick = start;
        added = true;
        from = start + 1;
      }
    }
  }
  if (!added) return;
  score->FollowNewSymbolItem(*first, firstTick, ek::TextBox);
  Finish(*this, *score);
}

void TECRow::SetChordSymbol(const std::vector<std::uint8_t>* code, const std::vector<TECChordPiece>* pieces,
                            bool flag) {
  TECMusicScore* score = Score();
  if (!score) return;
  TECMeasure* measure = CursorMeasure(*this, *score);
  const int tick = score->CursorTick();
  UndoRecorder undo(score, undo_kind::ChordSymbol);
  undo.Save(measure);
  TECChordSymbol* symbol = nullptr;
  for (const auto& item : measure->Items)
    if (item->Kind == ek::ChordSymbol && item->Position == tick) symbol = static_cast<TECChordSymbol*>(item.get());
  if (!symbol) {
    auto created = std::make_unique<TECChordSymbol>(measure);
    created->Position = static_cast<std::uint16_t>(tick);
    symbol = created.get();
    measure->Items.push_back(std::move(created));
  }
  symbol->Voice = flag ? 64 : 0;
  // The block holds its own size: byte 0 + byte 1 + 2, within what is given.
  std::vector<std::uint8_t> block{0, 0};
  if (code && code->size() >= 2)
    block.assign(code->begin(),
                 code->begin() + std::min<std::size_t>(code->size(), std::size_t{(*code)[0]} + (*code)[1] + 2));
  symbol->Code = std::move(block);
  if (pieces) {
    symbol->Pieces = *pieces;
  } else {
    symbol->Pieces.clear();
    if (score->GetAccordText) score->GetAccordText(this, symbol->Code, symbol->Pieces);
  }
  Finish(*this, *score);
}

void TECRow::RemoveChordSymbol(int n) {
  TECMusicScore* score = Score();
  TECMeasure* measure = score ? GetMeasure(score->CursorMeasure()) : nullptr;
  if (!measure || n < 0) return;
  const int tick = score->CursorTick();
  UndoRecorder undo(score, undo_kind::ChordSymbol);
  if (n == 0) {
    auto it = std::find_if(measure->Items.begin(), measure->Items.end(), [tick](const auto& item) {
      return item->Kind == ek::ChordSymbol && item->Position == tick;
    });
    if (it == measure->Items.end()) return;
    undo.Save(measure);
    measure->Items.erase(it);
  } else {
    std::vector<TECNote*> chordNotes;
    for (const auto& note : measure->Notes)
      if (note->ChordMark != 0 && note->Start >= tick && note->Start <= tick + n) chordNotes.push_back(note.get());
    if (chordNotes.empty()) return;
    undo.Save(measure);
    std::array<bool, 16> voices{};
    for (TECNote* note : chordNotes) {
      voices[note->Voice & 15] = true;
      undo.SaveLinked(*note);
      DeleteNote(note);
    }
    for (int v = 0; v < 16; ++v)
      if (voices[v]) RebuildVoiceUnions(measure, v, false, -1, true);
  }
  Finish(*this, *score);
}

void TECRow::DeleteAtCursor(bool before) {
  TECMusicScore* score = Score();
  if (!score) return;
  int m = score->CursorMeasure();
  const int tick = score->CursorTick();
  auto latestBelow = [](TECMeasure* measure, int limit) {
    TECNote* found = nullptr;
    for (const auto& note : measure->Notes)
      if (note->Start < limit && (!found || note->Start > found->Start ||
                                  (note->Start == found->Start && note->Voice > found->Voice)))
        found = note.get();
    return found;
  };
  TECMeasure* measure = GetMeasure(m);
  TECNote* target = nullptr;
  if (measure && !measure->Notes.empty()) {
    if (before) {
      target = latestBelow(measure, tick);
    } else {
      for (const auto& note : measure->Notes)
        if (note->Start >= tick && (!target || note->Start < target->Start ||
                                    (note->Start == target->Start && note->Voice > target->Voice)))
          target = note.get();
    }
  } else if ((!measure || before) && m > 0 && GetMeasure(m - 1)) {
    // Beyond the row, or backwards from an empty measure: the last note of
    // the measure before. Nothing before the first measure.
    measure = GetMeasure(--m);
    target = latestBelow(measure, MeasureLength(*this, m));
    if (target) {
      score->GoToMeasure(m);
      score->SetCursorPosition(target->Start);
    }
  }
  if (target) {
    UndoRecorder undo(score, undo_kind::DeleteAtCursor);
    undo.Save(measure);
    const int voice = target->Voice;
    const std::uint8_t mark = target->ChordMark;
    undo.SaveLinked(*target);
    DeleteNote(target);
    ClearLoneChordMarkIn(measure, mark);
    RebuildVoiceUnions(measure, voice, false, -1, true);
    if (measure->Notes.empty()) SnapCursor();
    // The empty measures at the row's end go too, recorded first; a call
    // that deletes nothing changes nothing.
    for (int i = MeasureCount() - 1; i >= 0 && GetMeasure(i)->IsEmpty(); --i) undo.Save(GetMeasure(i));
    TrimEmptyMeasures();
    Finish(*this, *score);
  }
}

void TECRow::ReplaceWithChordNotes(const std::vector<TECChordEntry>& entries, bool spell, int duration) {
  TECMusicScore* score = Score();
  if (!score || duration <= 0) return;
  const int m = score->CursorMeasure();
  const int t = score->CursorTick();
  const int length = MeasureLength(*this, m);
  const bool multiVoice = voiceMode_ > 0;
  const int voice = score->CursorVoice();
  // The notes that the chord replaces: those of the voice starting under it.
  auto under = [&](const TECMeasure* in, int from, int to) {
    std::vector<TECNote*> found;
    if (in != nullptr)
      for (const auto& note : in->Notes)
        if ((!multiVoice || note->Voice == voice) && note->Start >= from && note->Start < to)
          found.push_back(note.get());
    return found;
  };
  // Without entries the call only removes the notes at the cursor.
  if (entries.empty() && under(GetMeasure(m), t, t + duration).empty() &&
      (t + duration <= length || under(GetMeasure(m + 1), 0, t + duration - length).empty()))
    return;
  // Every measure the chord reaches belongs to its step, the ones it
  // appends as well: they are appended before the step begins and saved
  // empty.
  const int measures = MeasureCount();
  int last = m;
  for (int rest = duration - (length - t); rest > 0; rest -= MeasureLength(*this, last)) ++last;
  while (MeasureCount() <= last) AddMeasure();
  TECMeasure* measure = GetMeasure(m);
  TECMeasure* next = t + duration > length ? GetMeasure(m + 1) : nullptr;
  UndoRecorder undo(score, undo_kind::InsertNote);
  for (int i = m; i <= last; ++i) undo.Save(GetMeasure(i));
  ScopedUndoLock lock(*score);
  auto clear = [&](TECMeasure* in, int from, int to) {
    for (TECNote* note : under(in, from, to)) {
      const std::uint8_t mark = note->ChordMark;
      undo.SaveLinked(*note);
      DeleteNote(note);
      ClearLoneChordMarkIn(in, mark);
    }
    RebuildUnions(in, true, false);
  };
  clear(measure, t, t + duration);
  if (next) clear(next, 0, t + duration - length);

  static constexpr std::array<std::uint8_t, 12> kStep = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
  static constexpr std::array<bool, 12> kBlack = {false, true, false, true, false, false,
                                                  true, false, true, false, true, false};
  {
    const ScopedLayoutSuspension suspended(*score);
    int previousOctave = 0;
    int previousSemitone = 0;
    bool firstPitch = true;
    for (const TECChordEntry& entry : entries) {
      InsertOptions options{};
      int step = entry.Step;
      int octave = entry.Octave;
      if (entry.Step != 0) {
        options[0] = entry.Accidental;
      } else if (entry.Pitch != 0) {
        octave = entry.Pitch / 12;
        const int semitone = entry.Pitch % 12;
        step = kStep[semitone] + 1;
        const int sharpStep = step;
        const int flatStep = kStep[(semitone + 1) % 12] + 1;
        if (spell && kBlack[semitone] && KeyAccidentalForStep(sharpStep) == 1) {
          // The key gives the accidental, which is not written again.
        } else if (spell && kBlack[semitone] && KeyAccidentalForStep(flatStep) == -1) {
          step = flatStep;
        } else if (spell && !kBlack[semitone]) {
          // A white key on a letter the key alters needs its natural.
          if (KeyAccidentalForStep(step) != 0) options[0] = ek::Natural;
        } else if (kBlack[semitone]) {
          options[0] = ek::Sharp;
          if (spell && !firstPitch) {
            int d = (octave - previousOctave) * 7 + semitone - previousSemitone;
            if (d < 0) d = 6 - d;
            if (d < 4) {
              // Spelled as the flat of the next step up.
              step = flatStep;
              options[0] = ek::Flat;
            }
          }
        }
        previousOctave = octave;
        previousSemitone = semitone;
        firstPitch = false;
      } else {
        continue;
      }
      InsertNote(step, octave, false, 0, 0, 0, options, duration);
      MoveCursor(*score, m, t);
    }
  }
  row_edit::DropAppendedMeasures(*this, measures);
  Finish(*this, *score);
}
