// Note insertion at the cursor and re-flow of existing notes: a duration is
// written as plain and dotted values, split at bar lines into tied pieces,
// and every piece is placed in its voice and chord.
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

using namespace duration_split;

enum class StemRule {
  // InsertNote: united rows and voices decide before the pitch does.
  Insert,
  Pitch,
};

// What every piece of one insertion inherits from its caller.
struct NoteTemplate {
  std::uint8_t Kind = ek::NoteC;
  std::uint8_t Octave = 0;
  std::uint8_t Options = 0;
  std::array<std::uint8_t, 5> Extra{};
  std::uint8_t Velocity = 64;
  std::uint8_t StartOffset = 0;
  std::uint8_t InputMark = 0;
  // Given to the first piece only (accidental, articulations).
  std::vector<std::unique_ptr<TECNoteAttribute>> FirstAttributes;
};

// Lays one duration out from a place of the row, piece by piece.
class NoteLayer {
 public:
  NoteLayer(TECRow& row, std::uint8_t undoKind) : row_(row), score_(row.Score()), undo_(row.Score(), undoKind) {}

  void AtCursor() {
    Measure = score_->CursorMeasure();
    Tick = score_->CursorTick();
    Voice = score_->CursorVoice();
  }

  // The duration rule: a member of the tuplet under the place, else a new
  // tuplet of `tupletCount`, else plain and dotted pieces (dots enlarge the
  // duration first). Returns the first piece or none.
  TECNote* Insert(int duration, int tupletCount, int dotOption) {
    TECMeasure* measure = EnsureMeasure(Measure);
    if (!TakesNotes(Measure)) return nullptr;
    if (TECTuplet* tuplet = TupletAt(*measure, Tick)) return LayTupletMember(*measure, *tuplet, duration);
    if (tupletCount >= 2 && tupletCount <= 10) return NewTuplet(*measure, tupletCount, duration);
    DotOption = dotOption;
    if (dotOption == ek::DoubleDot && duration >= 3)
      duration = DottedLength(static_cast<std::uint16_t>(duration), 2);
    else if (dotOption == ek::Dot && duration >= 2)
      duration = DottedLength(static_cast<std::uint16_t>(duration), 1);
    return Lay(duration);
  }

  // Plain and dotted pieces, the first portion up to the bar line, the
  // rest in portions of at most a measure in the measures that follow.
  TECNote* Lay(int duration) {
    int remaining = duration;
    while (remaining > 0) {
      const int length = MeasureLength(Measure);
      if (Tick >= length) {
        NextMeasure();
        continue;
      }
      int portion = std::min(remaining, length - Tick);
      TECMeasure* measure = EnsureMeasure(Measure);
      if (!TakesNotes(Measure)) break;
      while (portion > 0) {
        const int value = PieceValue(portion);
        TECNote* piece = PlacePiece(*measure, value, DotAllowance(value, portion), 0, 0);
        if (!piece) return first_;
        portion -= piece->Length;
        remaining -= piece->Length;
        Tick += piece->Length;
      }
      if (Tick >= length) NextMeasure();
    }
    return first_;
  }

  NoteTemplate Note;
  int Measure = 0;
  int Tick = 0;
  int Voice = 0;
  StemRule Stem = StemRule::Pitch;
  // InsertPitchedNote ties above for stems up, below for stems down.
  bool ReversedLinks = false;
  bool SkipInputMarked = false;
  bool AccidentalRule = false;
  int DotOption = 0;

 private:
  int MeasureLength(int m) const { return row_edit::MeasureLength(row_, m); }

  TECMeasure* EnsureMeasure(int m) {
    while (row_.MeasureCount() <= m) row_.AddMeasure();
    return row_.GetMeasure(m);
  }

  bool TakesNotes(int m) const { return row_edit::TakesNotes(row_, m); }

  void NextMeasure() {
    ++Measure;
    Tick = 0;
  }

  bool MultiVoice() const { return row_.VoiceMode() > 0; }

  TECTuplet* TupletAt(TECMeasure& measure, int tick) const {
    for (const auto& item : measure.Items) {
      if (item->Kind != ek::Tuplet) continue;
      auto* tuplet = static_cast<TECTuplet*>(item.get());
      if (tuplet->Flags & TECTuplet::Broken) continue;
      if (MultiVoice() && tuplet->Voice != Voice) continue;
      int end = tuplet->Position;
      for (std::uint8_t length : tuplet->Lengths) end += length;
      if (tick >= tuplet->Position && tick < end) return tuplet;
    }
    return nullptr;
  }

  TECNote* LayTupletMember(TECMeasure& measure, TECTuplet& tuplet, int duration) {
    int memberStart = tuplet.Position;
    int memberLength = 0;
    for (std::uint8_t length : tuplet.Lengths) {
      memberLength = length;
      if (Tick < memberStart + length) break;
      memberStart += length;
    }
    const int unit = std::max<int>(1, tuplet.UnitValue);
    int value = unit;
    int length = memberLength;
    if (duration < unit) {
      value = duration;
      length = memberLength * duration / unit;
      if (unit >= 3 && memberStart + memberLength == Tick + length + 1) ++length;
      length = std::max(1, length);
    }
    Voice = tuplet.Voice;
    TECNote* piece = PlacePiece(measure, value, 0, tuplet.Count, length, true);
    if (!piece) return nullptr;
    Tick += piece->Length;
    if (Tick >= MeasureLength(Measure)) NextMeasure();
    return piece;
  }

  TECNote* NewTuplet(TECMeasure& measure, int count, int unit) {
    const int span = TupletSpan(count, unit);
    if (unit <= 0 || Tick + span > MeasureLength(Measure)) return nullptr;
    std::array<bool, 16> present{};
    std::array<bool, 16> busy{};
    for (const auto& note : measure.Notes) {
      present[note->Voice & 15] = true;
      if (NoteOverlaps(*note, Tick, Tick + span)) busy[note->Voice & 15] = true;
    }
    int voice = -1;
    if (MultiVoice()) {
      if (!busy[Voice & 15]) voice = Voice;
    } else {
      for (int v = 0; v < 16 && voice < 0; ++v)
        if (present[v] && !busy[v]) voice = v;
      for (int v = 0; v < 16 && voice < 0; ++v)
        if (!present[v]) voice = v;
    }
    if (voice < 0) return nullptr;
    undo_.Save(&measure);
    auto tuplet = std::make_unique<TECTuplet>(&measure);
    tuplet->Position = static_cast<std::uint16_t>(Tick);
    tuplet->Second = static_cast<std::uint16_t>(Tick + span - 2);
    tuplet->Voice = static_cast<std::uint8_t>(voice);
    tuplet->Count = static_cast<std::uint8_t>(count);
    tuplet->UnitValue = static_cast<std::uint16_t>(unit);
    tuplet->Lengths = TupletLengths(span, count);
    const int firstLength = tuplet->Lengths.front();
    measure.Items.push_back(std::move(tuplet));
    Voice = voice;
    TECNote* piece = PlacePiece(measure, unit, 0, static_cast<std::uint8_t>(count), firstLength, true);
    if (!piece) {
      measure.Items.pop_back();
      return nullptr;
    }
    Tick += piece->Length;
    if (Tick >= MeasureLength(Measure)) NextMeasure();
    return piece;
  }

  bool StemDown(const TECMeasure& measure, int voice) const {
    if (Stem == StemRule::Insert) {
      const int index = row_.GetIndex();
      const TECRow* above = index > 0 && row_.Owner() ? row_.Owner()->GetRow(index - 1) : nullptr;
      if (above && above->United()) return true;
      if (row_.United()) return false;
      if (MultiVoice()) return voice != 0;
    }
    return Note.Octave * 7 + ek::NoteStep(Note.Kind) > ClefOffset(measure.ClefAt(Tick)) + 41;
  }

  // Places one piece at (Measure, Tick): `allowance` ticks of dots, or a
  // tuplet member of `tupletLength` ticks. None when the placement refuses.
  TECNote* PlacePiece(TECMeasure& measure, int value, int allowance, std::uint8_t tupletCount, int tupletLength,
                      bool ownVoice = false) {
    TECPlacementQuery query;
    query.Tick = Tick;
    query.Value = value;
    query.Length = tupletLength > 0 ? tupletLength : value + allowance;
    query.Kind = Note.Kind;
    query.Octave = Note.Octave;
    query.Voice = Voice;
    query.MultiVoice = MultiVoice() || ownVoice;
    query.SkipInputMarked = SkipInputMarked;
    const TECPlacement place = FindPlacement(measure, query);
    if (place.Refused) return nullptr;
    undo_.Save(&measure);

    auto note = std::make_unique<TECNote>(Note.Kind, &measure);
    note->Octave = Note.Octave;
    note->Value = static_cast<std::uint16_t>(value);
    note->Length = static_cast<std::uint16_t>(query.Length);
    note->Position = note->Start = static_cast<std::uint16_t>(Tick);
    note->Voice = place.Voice;
    note->Velocity = Note.Velocity;
    note->StartOffset = Note.StartOffset;
    note->Options = Note.Options;
    note->Extra = Note.Extra;
    note->InputMark = Note.InputMark;
    note->Flags = static_cast<std::uint8_t>((StemDown(measure, place.Voice) ? TECNote::StemDown : 0) |
                                            (tupletCount & 0x0F));
    if (!first_) {
      for (auto& attribute : Note.FirstAttributes) {
        attribute->Owner = note.get();
        note->Attributes.push_back(std::move(attribute));
      }
      Note.FirstAttributes.clear();
    }
    if (tupletLength == 0) {
      if (const std::uint8_t dot = DotCode(value, allowance))
        note->Attributes.push_back(MakeNoteAttribute(dot, note.get()));
    }
    if (place.Partner) note->ChordMark = JoinChord(measure, *place.Partner);
    TECNote* placed = InsertInTimeOrder(measure, std::move(note), place.Partner);
    if (placed->ChordMark) DotChord(measure, *placed, *place.Partner);
    if (!first_ && AccidentalRule) ApplyAccidentalInForce(measure, *placed);
    if (previous_) {
      std::uint8_t code = previous_->Flags & TECNote::StemDown ? ek::LinkAbove : ek::LinkBelow;
      if (ReversedLinks) code = code == ek::LinkAbove ? ek::LinkBelow : ek::LinkAbove;
      ::LinkNotes(previous_, placed, code);
    }
    previous_ = placed;
    if (!first_) first_ = placed;
    if (placed->ChordMark) row_.SortChordNote(placed);
    row_.RebuildVoiceUnions(&measure, placed->Voice, false, -1, true);
    return placed;
  }

  // A dot option puts that dot on every note of the chord; without one a
  // note joining a dotted chord takes the chord's dot.
  void DotChord(TECMeasure& measure, TECNote& note, const TECNote& partner) {
    auto dotsOf = [](const TECNote& n) {
      int dots = 0;
      for (const auto& a : n.Attributes) {
        if (a->Kind == ek::Dot) dots = std::max(dots, 1);
        if (a->Kind == ek::DoubleDot) dots = 2;
      }
      return dots;
    };
    auto setDots = [](TECNote& n, int dots) {
      erase_if(n.Attributes, [](const auto& a) { return a->Kind == ek::Dot || a->Kind == ek::DoubleDot; });
      if (dots > 0) n.Attributes.push_back(MakeNoteAttribute(dots == 2 ? ek::DoubleDot : ek::Dot, &n));
      n.Length = DottedLength(n.Value, dots);
    };
    if (DotOption == ek::Dot || DotOption == ek::DoubleDot) {
      const int dots = DotOption == ek::DoubleDot ? 2 : 1;
      for (const auto& n : measure.Notes)
        if (n->ChordMark == note.ChordMark) setDots(*n, dots);
    } else if (const int dots = dotsOf(partner); dots > 0 && dotsOf(note) != dots) {
      setDots(note, dots);
    }
  }

  // An accidental already in force in the measure is not written again; a
  // plain note after an altered one of its pitch gets a natural, and so
  // does the next plain note of the pitch after an altered new one.
  void ApplyAccidentalInForce(TECMeasure& measure, TECNote& note) {
    auto accidentalOf = [](const TECNote& n) -> TECNoteAttribute* {
      for (const auto& a : n.Attributes)
        if (a->IsAccidental()) return a.get();
      return nullptr;
    };
    int inForce = 0;
    auto it = measure.Notes.begin();
    for (; it != measure.Notes.end() && it->get() != &note; ++it) {
      const TECNote& n = **it;
      if (n.Kind != note.Kind || n.Octave != note.Octave) continue;
      // The accidentals add up; a natural starts the sum again.
      for (const auto& a : n.Attributes)
        if (int shift = 0; AccidentalShift(a->Kind, shift)) inForce = a->Kind == ek::Natural ? 0 : inForce + shift;
    }
    TECNoteAttribute* own = accidentalOf(note);
    if (own && ((own->Kind == ek::Flat && inForce == -1) || (own->Kind == ek::Sharp && inForce == 1))) {
      note.RemoveAttribute(own);
      return;
    }
    if (!own && inForce != 0) note.Attributes.push_back(MakeNoteAttribute(ek::Natural, &note));
    if (!own || own->Kind == ek::Natural || it == measure.Notes.end()) return;
    for (++it; it != measure.Notes.end(); ++it) {
      TECNote& n = **it;
      if (n.Kind != note.Kind || n.Octave != note.Octave) continue;
      if (!accidentalOf(n)) n.Attributes.push_back(MakeNoteAttribute(ek::Natural, &n));
      break;
    }
  }

  TECRow& row_;
  TECMusicScore* score_;
  UndoRecorder undo_;
  TECNote* first_ = nullptr;
  TECNote* previous_ = nullptr;
};

// The accidental attribute of an insertion option: a microtone amount
// (odd flat, even sharp, the amount kept in the last data byte) or a code.
std::unique_ptr<TECNoteAttribute> AccidentalOption(std::uint8_t option) {
  if (option == 0) return nullptr;
  if (option < 100) {
    auto attribute = MakeNoteAttribute(option % 2 ? ek::Flat : ek::Sharp, nullptr);
    attribute->Data[2] = option;
    return attribute;
  }
  auto attribute = MakeNoteAttribute(option, nullptr);
  return attribute->IsAccidental() ? std::move(attribute) : nullptr;
}

// Layout, page and change notice after an insertion, unless the caller
// lays out once at the end.
void FinishInsertion(TECRow& row, TECMusicScore& score) {
  if (score.ImportingMidi || score.LayoutSuspended) return;
  score.LayoutScore(score.GetActivePage(), false);
  score.ShowCursorPage();
  score.InvalidateScore();
  score.DoChanged(&row);
}

}  // namespace

TECNote* TECRow::InsertNote(int step, int octave, bool accidentalRule, std::uint8_t lastSpare,
                            std::uint8_t thirdSpare, std::uint8_t optionBits, const InsertOptions& options,
                            int duration) {
  if (step < ek::NoteC) step += 20;
  TECMusicScore* score = Score();
  if (!score || !ek::IsNoteStep(static_cast<std::uint8_t>(step)) || octave < 0 || octave > 255 || duration <= 0)
    return nullptr;
  NoteLayer layer(*this, undo_kind::InsertNote);
  layer.AtCursor();
  layer.Stem = StemRule::Insert;
  NoteTemplate& note = layer.Note;
  note.Kind = static_cast<std::uint8_t>(step);
  note.Octave = static_cast<std::uint8_t>(octave);
  note.Extra[4] = lastSpare;
  note.Extra[2] = static_cast<std::uint8_t>(thirdSpare + 1);
  note.Options = optionBits & 0x03;
  if (options[6] == 122) note.Options |= 0x10;
  if (options[6] == 123) note.Options |= 0x20;
  if (auto accidental = AccidentalOption(options[0])) note.FirstAttributes.push_back(std::move(accidental));
  if (options[6] != 123)
    for (int i = 2; i <= 4; ++i)
      if (options[i] > ek::DoubleDot) note.FirstAttributes.push_back(MakeNoteAttribute(options[i], nullptr));
  layer.AccidentalRule = accidentalRule && options[6] != 123;
  const int measures = MeasureCount();
  TECNote* first = layer.Insert(duration, options[5], options[1]);
  if (!first) {
    row_edit::DropAppendedMeasures(*this, measures);
    return nullptr;
  }
  score->FollowNewNotes(first->Owner->Index, first->Start);
  row_edit::MoveCursor(*score, layer.Measure, layer.Tick);
  FinishInsertion(*this, *score);
  return first;
}

TECNote* TECRow::InsertPitchedNote(int step, int octave, std::uint8_t thirdSpare, std::uint8_t optionFlags,
                                   std::uint8_t inputMark, int code, int duration) {
  if (step < ek::NoteC) step += 20;
  TECMusicScore* score = Score();
  if (!score || !ek::IsNoteStep(static_cast<std::uint8_t>(step)) || octave < 0 || octave > 255 || duration <= 0)
    return nullptr;
  NoteLayer layer(*this, 0);
  layer.AtCursor();
  layer.ReversedLinks = true;
  layer.SkipInputMarked = true;
  NoteTemplate& note = layer.Note;
  note.Kind = static_cast<std::uint8_t>(step);
  note.Octave = static_cast<std::uint8_t>(octave);
  note.Extra[2] = thirdSpare;
  note.Options = optionFlags;
  note.InputMark = inputMark;
  const bool tuplet = code >= 2 && code <= 10;
  const bool dot = code == ek::Dot || code == ek::DoubleDot;
  if (!tuplet && !dot && code > 10 && code < 256)
    note.FirstAttributes.push_back(MakeNoteAttribute(static_cast<std::uint8_t>(code), nullptr));
  const int measures = MeasureCount();
  TECNote* first = layer.Insert(duration, tuplet ? code : 0, dot ? code : 0);
  if (!first) {
    row_edit::DropAppendedMeasures(*this, measures);
    return nullptr;
  }
  score->FollowNewNotes(first->Owner->Index, first->Start);
  row_edit::MoveCursor(*score, layer.Measure, layer.Tick);
  FinishInsertion(*this, *score);
  return first;
}

TECNote* TECRow::ReflowNote(TECNote* note, int duration, std::uint8_t startOffset, std::uint8_t velocity) {
  if (!note || !note->Owner || note->Owner->Owner != this || !ek::IsNoteStep(note->Kind) || duration <= 0 ||
      !Score())
    return nullptr;
  TECMeasure* measure = note->Owner;
  NoteLayer layer(*this, 0);
  layer.Measure = measure->Index;
  layer.Tick = note->Position;
  layer.Voice = note->Voice;
  NoteTemplate& from = layer.Note;
  from.Kind = note->Kind;
  from.Octave = note->Octave;
  from.Options = note->Options;
  from.Extra = note->Extra;
  from.Velocity = velocity;
  from.StartOffset = startOffset;
  for (const auto& attribute : note->Attributes)
    if (attribute->IsAccidental()) from.FirstAttributes.push_back(attribute->Clone(nullptr));
  const int voice = note->Voice;
  const std::uint8_t chordMark = note->ChordMark;
  // The old note leaves its place first so that it does not block its own
  // pieces; it is freed once they stand.
  std::unique_ptr<TECNote> old = DetachNote(note);
  ClearLoneChordMarkIn(measure, chordMark);
  TECNote* first = layer.Insert(duration, 0, 0);
  old.reset();
  RebuildVoiceUnions(measure, voice, false, -1, true);
  return first;
}

TECNote* TECRow::InsertRepeatSign(int kind, int variant) {
  TECMusicScore* score = Score();
  if (!score || (kind != ek::RepeatNotes && kind != ek::RepeatBar) || variant < 0 || variant > 255) return nullptr;
  // Variants 0..5 span a half note down to a 64th; 6 would be a single tick.
  if (kind == ek::RepeatNotes && variant > 5) return nullptr;
  const int m = score->CursorMeasure();
  const int voice = score->CursorVoice();
  const bool multiVoice = voiceMode_ > 0;
  const int measures = MeasureCount();
  while (MeasureCount() <= m) AddMeasure();
  TECMeasure* measure = GetMeasure(m);
  const int measureLength = row_edit::MeasureLength(*this, m);
  auto ofVoice = [&](int v) { return !multiVoice || v == voice; };
  auto refuse = [&] {
    row_edit::DropAppendedMeasures(*this, measures);
    return nullptr;
  };
  int start = 0;
  int length = measureLength;
  if (kind == ek::RepeatBar) {
    for (const auto& note : measure->Notes)
      if (ofVoice(note->Voice)) return refuse();
  } else {
    start = score->CursorTick();
    length = 1 << (6 - variant);
    for (const auto& note : measure->Notes)
      if (ofVoice(note->Voice) && NoteOverlaps(*note, start, start + length)) return refuse();
  }
  UndoRecorder undo(score, undo_kind::InsertNote);
  undo.Save(measure);
  if (kind == ek::RepeatBar)
    std::erase_if(measure->Rests, [&](const auto& rest) { return ofVoice(rest->Voice); });
  auto sign = std::make_unique<TECNote>(static_cast<std::uint8_t>(kind), measure);
  sign->Value = static_cast<std::uint16_t>(variant);
  sign->Length = static_cast<std::uint16_t>(length);
  sign->Position = sign->Start = static_cast<std::uint16_t>(start);
  sign->Voice = static_cast<std::uint8_t>(voice);
  TECNote* placed = InsertInTimeOrder(*measure, std::move(sign), nullptr);
  if (kind == ek::RepeatNotes) {
    RebuildVoiceUnions(measure, voice, false, -1, true);
    row_edit::MoveCursor(*score, start + length >= measureLength ? m + 1 : m, (start + length) % measureLength);
  }
  score->LayoutScore(score->GetActivePage(), false);
  score->InvalidateScore();
  score->DoChanged(this);
  return placed;
}

TECLinkAttribute* TECRow::LinkNotes(TECNote* a, TECNote* b, int kind) {
  if (kind < 150) kind = (kind + 150) % 256;
  if (!a || !b || a == b || !ek::IsLink(static_cast<std::uint8_t>(kind)) || !a->Owner || !b->Owner) return nullptr;
  TECMusicScore* score = Score();
  UndoRecorder undo(score, undo_kind::Link);
  // The later note holds the link; its measure is saved first.
  const bool aLater = a->Owner->Index != b->Owner->Index ? a->Owner->Index > b->Owner->Index : a->Start > b->Start;
  undo.Save(aLater ? a->Owner : b->Owner);
  undo.Save(aLater ? b->Owner : a->Owner);
  TECLinkAttribute* link = ::LinkNotes(a, b, static_cast<std::uint8_t>(kind));
  if (score) {
    score->LayoutScore(score->GetActivePage(), false);
    score->InvalidateScore();
    score->DoChanged(this);
  }
  return link;
}
