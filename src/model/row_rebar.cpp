// Re-barring of a row after a change of measure length: notes and items keep
// their absolute time in the new bar grid; notes tied across the old bar
// lines are joined first, and notes that cross a new bar line are split into
// tied plain and dotted pieces.
#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "model/duration_split.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/note_placement.h"
#include "model/row.h"

namespace {

using namespace duration_split;

int LengthOfWord(std::uint16_t word) {
  const int numerator = word >> 8;
  const int denominator = word & 0xFF;
  return numerator >= 1 && denominator >= 1 ? numerator * 128 / denominator : 0;
}

bool IsPlainValue(int ticks) {
  return ticks >= 2 && ticks <= 128 && (ticks & (ticks - 1)) == 0;
}

bool IsDot(std::uint8_t code) { return code == ek::Dot || code == ek::DoubleDot; }

// Articulations and effects that every tied piece of a split note repeats.
bool RepeatsOnPieces(std::uint8_t code) {
  return (code >= 108 && code <= 114) || (code >= 117 && code <= 119) || (code >= 124 && code <= 128);
}

// Accidentals in force within one old measure, one counter per pitch
// (octave x 12 + step index). Sized for every octave a record can hold.
class AccidentalState {
 public:
  void Clear() { std::fill(table_.begin(), table_.end(), 0); }
  int& At(const TECNote& note) { return table_[note.Octave * 12u + (note.Kind - ek::NoteC)]; }

 private:
  std::vector<int> table_ = std::vector<int>(256 * 12, 0);
};

// The accidental that a note's own attributes write, if any.
bool OwnAccidental(const TECNote& note, int& shift) {
  for (const auto& attribute : note.Attributes)
    if (AccidentalShift(attribute->Kind, shift)) return true;
  return false;
}

class Rebarer {
 public:
  Rebarer(TECRow& row, int length, int firstMeasure)
      : row_(row), instrument_(row.Owner()), gridLength_(length), gridFirst_(firstMeasure) {}

  void Run(std::vector<std::unique_ptr<TECMeasure>>& measures) {
    const int m0 = gridFirst_;
    for (int i = 0; i < static_cast<int>(measures.size()); ++i)
      oldLengths_.push_back(instrument_ ? std::max(1, instrument_->MeasureLength(i)) : 128);
    old_.swap(measures);
    for (int i = 0; i < m0; ++i) new_.push_back(std::move(old_[i]));
    int first = m0;
    long long t = 0;
    const TECMusicScore* score = row_.Score();
    if (m0 == 0 && score && score->GetAufTaktNotes() > 0) {
      // The pickup measure keeps its own length and its music.
      new_.push_back(std::move(old_[0]));
      t = origin_ = oldLengths_[0];
      gridFirst_ = first = 1;
    }
    for (int i = first; i < static_cast<int>(old_.size()); ++i) {
      MoveMeasure(i, t, i == m0);
      t += oldLengths_[i];
      old_[i].reset();
    }
    for (int i = 0; i < static_cast<int>(new_.size()); ++i) {
      new_[i]->Index = i;
      new_[i]->Owner = &row_;
    }
    measures.swap(new_);
  }

 private:
  struct Target {
    TECMeasure* Measure;
    int Position;
  };

  TECMeasure* Ensure(int index) {
    while (static_cast<int>(new_.size()) <= index) {
      auto measure = std::make_unique<TECMeasure>(&row_, static_cast<int>(new_.size()));
      if (!new_.empty()) {
        measure->ClefInForce = new_.back()->ClefInForce;
        measure->KeyInForce = new_.back()->KeyInForce;
      }
      new_.push_back(std::move(measure));
    }
    return new_[index].get();
  }

  Target TargetOf(long long t) {
    const long long offset = std::max(0LL, t - origin_);
    const int index = static_cast<int>(offset / gridLength_) + gridFirst_;
    return {Ensure(index), static_cast<int>(offset % gridLength_)};
  }

  void MoveMeasure(int i, long long t, bool isFirst) {
    TECMeasure& from = *old_[i];
    from.Beams.clear();
    accidentals_.Clear();
    marks_.clear();
    if (from.TimeSignature) {
      // The first measure's signature is set anew by the caller. A later
      // one restarts the grid; when it falls inside a new measure, its music
      // starts at the next one and rests fill the rest of that measure.
      if (!isFirst) {
        const Target at = TargetOf(t);
        const int index = at.Position == 0 ? at.Measure->Index : at.Measure->Index + 1;
        TECMeasure* start = Ensure(index);
        if (const int length = LengthOfWord(from.TimeSignature->Word); length > 0) gridLength_ = length;
        gridFirst_ = index;
        origin_ = t;
        from.TimeSignature->Owner = start;
        start->TimeSignature = std::move(from.TimeSignature);
      }
      from.TimeSignature.reset();
    }
    const Target at = TargetOf(t);
    if (from.Clef) {
      from.Clef->Owner = at.Measure;
      at.Measure->Clef = std::move(from.Clef);
    }
    if (from.KeySignature) {
      from.KeySignature->Owner = at.Measure;
      at.Measure->KeySignature = std::move(from.KeySignature);
    }
    for (auto& item : from.Items) MoveItem(std::move(item), t);
    from.Items.clear();
    while (!from.Notes.empty()) {
      std::unique_ptr<TECNote> note = std::move(from.Notes.front());
      from.Notes.erase(from.Notes.begin());
      MoveNote(std::move(note), i, t);
    }
  }

  void MoveItem(std::unique_ptr<TECMeasureItem> item, long long t) {
    const Target at = TargetOf(t + item->Position);
    if (item->Kind == ek::Tuplet) {
      auto& tuplet = static_cast<TECTuplet&>(*item);
      tuplet.Second = static_cast<std::uint16_t>(tuplet.Second + at.Position - tuplet.Position);
      const bool broken = at.Position + TupletSpan(tuplet.Count, tuplet.UnitValue) > gridLength_;
      tuplet.Flags = broken ? (tuplet.Flags | TECTuplet::Broken)
                            : static_cast<std::uint8_t>(tuplet.Flags & ~TECTuplet::Broken);
    }
    item->Position = static_cast<std::uint16_t>(at.Position);
    item->Owner = at.Measure;
    at.Measure->Items.push_back(std::move(item));
  }

  TECTuplet* TupletAt(TECMeasure& measure, int position, int voice, int& memberLength) const {
    for (const auto& item : measure.Items) {
      if (item->Kind != ek::Tuplet || item->Voice != voice) continue;
      auto* tuplet = static_cast<TECTuplet*>(item.get());
      int start = tuplet->Position;
      for (std::uint8_t length : tuplet->Lengths) {
        if (position >= start && position < start + length) {
          memberLength = length;
          return tuplet;
        }
        start += length;
      }
    }
    return nullptr;
  }

  void MoveNote(std::unique_ptr<TECNote> note, int i, long long t) {
    note->Position = note->Start;
    const Target at = TargetOf(t + note->Start);
    if (!ek::IsNoteStep(note->Kind)) {
      // Repeat signs keep their length and move whole.
      note->Position = note->Start = static_cast<std::uint16_t>(at.Position);
      MoveWhole(std::move(note), *at.Measure);
      return;
    }
    int shift = 0;
    if (OwnAccidental(*note, shift)) accidentals_.At(*note) = shift;
    int memberLength = 0;
    if (TECTuplet* tuplet = TupletAt(*at.Measure, at.Position, note->Voice, memberLength)) {
      if (tuplet->Flags & TECTuplet::Broken) {
        // A broken tuplet's notes keep their values and member lengths
        // while they fit; only a note crossing the bar line is split.
        note->Length = static_cast<std::uint16_t>(memberLength);
        const int total = JoinChain(*note, i, accidentals_.At(*note));
        note->Position = note->Start = static_cast<std::uint16_t>(at.Position);
        if (total == note->Length && at.Position + total <= gridLength_) {
          MoveWhole(std::move(note), *at.Measure);
        } else {
          note->Flags &= 0xF0;
          LayDuration(std::move(note), at, total);
        }
        return;
      }
      if (!note->InTuplet()) {
        JoinChain(*note, i, accidentals_.At(*note));
        note->Flags = static_cast<std::uint8_t>((note->Flags & 0xF0) | (tuplet->Count & 0x0F));
        note->Value = tuplet->UnitValue;
        note->Length = static_cast<std::uint16_t>(memberLength);
      }
      note->Position = note->Start = static_cast<std::uint16_t>(at.Position);
      MoveWhole(std::move(note), *at.Measure);
      return;
    }
    const int total = JoinChain(*note, i, accidentals_.At(*note));
    note->Flags &= 0xF0;
    note->Value = note->Length = static_cast<std::uint16_t>(std::min(total, 0xFFFF));
    note->Position = note->Start = static_cast<std::uint16_t>(at.Position);
    LayDuration(std::move(note), at, total);
  }

  // Joins the notes tied after `note` at the same pitch and accidental;
  // returns the length of the whole chain.
  int JoinChain(TECNote& note, int i, int accidental) {
    TECMeasure* own = note.Owner;
    TECMeasure* next = i + 1 < static_cast<int>(old_.size()) ? old_[i + 1].get() : nullptr;
    const std::vector<TECNote*> laterNotes = note.LinkedNotes();
    for (TECNote* later : laterNotes) {
      if (later->Kind != note.Kind || later->Octave != note.Octave) continue;
      int laterAccidental = 0;
      int laterIndex = i;
      if (later->Owner == own) {
        if (later->Start != note.Start + note.Length) continue;
        laterAccidental = accidental;
        OwnAccidental(*later, laterAccidental);
      } else if (next && later->Owner == next) {
        if (later->Start != note.Start + note.Length - oldLengths_[i]) continue;
        OwnAccidental(*later, laterAccidental);
        laterIndex = i + 1;
      } else {
        continue;
      }
      if (laterAccidental != accidental) continue;
      const int laterTotal = JoinChain(*later, laterIndex, laterAccidental);
      std::unique_ptr<TECNote> gone = DetachNote(later);
      std::erase(note.EditLinkedNotes(), later);
      later->RemoveLinksFrom(&note);
      // What reached the later note now reaches the joined one.
      for (TECNote* after : later->LinkedNotes()) {
        if (TECLinkAttribute* link = after->LinkFrom(later)) link->Partner = &note;
        note.EditLinkedNotes().push_back(after);
      }
      later->EditLinkedNotes().clear();
      HandOverLinks(*later, note);
      erase_if(note.Attributes, [](const auto& a) { return IsDot(a->Kind); });
      return note.Length + laterTotal;
    }
    return note.Length;
  }

  // Moves the links that `from` holds (ties and slurs ending on it) to `to`.
  static void HandOverLinks(TECNote& from, TECNote& to) {
    for (auto it = from.Attributes.begin(); it != from.Attributes.end();) {
      if (!ek::IsLink((*it)->Kind)) {
        ++it;
        continue;
      }
      auto* link = static_cast<TECLinkAttribute*>(it->get());
      if (link->Partner) std::ranges::replace(link->Partner->EditLinkedNotes(), &from, &to);
      link->Owner = &to;
      to.Attributes.push_back(std::move(*it));
      it = from.Attributes.erase(it);
    }
  }

  // Moves a note whole; chords coming from different old measures keep
  // apart by taking fresh marks.
  void MoveWhole(std::unique_ptr<TECNote> note, TECMeasure& measure) {
    if (note->ChordMark != 0) {
      const auto key = std::make_pair(&measure, note->ChordMark);
      auto found = marks_.find(key);
      if (found == marks_.end()) {
        const std::uint8_t mark = note->ChordMark;
        const bool taken = std::any_of(measure.Notes.begin(), measure.Notes.end(),
                                       [mark](const auto& n) { return n->ChordMark == mark; });
        found = marks_.emplace(key, taken ? FreshChordMark(measure) : mark).first;
      }
      note->ChordMark = found->second;
      auto& notes = measure.Notes;
      auto last = std::find_if(notes.rbegin(), notes.rend(),
                               [&](const auto& n) { return n->ChordMark == note->ChordMark; });
      if (last != notes.rend()) {
        const TECNote* partner = last->get();
        InsertInTimeOrder(measure, std::move(note), partner);
        return;
      }
    }
    InsertInTimeOrder(measure, std::move(note), nullptr);
  }

  void LayDuration(std::unique_ptr<TECNote> note, Target at, int duration) {
    if (at.Position + duration <= gridLength_ && IsPlainValue(duration)) {
      MoveWhole(std::move(note), *at.Measure);
      return;
    }
    std::vector<TECNote*> pieces;
    TECNote* previous = nullptr;
    int index = at.Measure->Index;
    int position = at.Position;
    int remaining = duration;
    while (remaining > 0) {
      int portion = std::min(remaining, gridLength_ - position);
      TECMeasure* measure = Ensure(index);
      while (portion > 0) {
        const int value = PieceValue(portion);
        const int allowance = DotAllowance(value, portion);
        TECNote* piece = WritePiece(*measure, *note, value, allowance, position);
        if (piece && previous)
          LinkNotes(previous, piece, previous->Flags & TECNote::StemDown ? ek::LinkAbove : ek::LinkBelow);
        if (piece) pieces.push_back(piece);
        previous = piece;
        position += value + allowance;
        portion -= value + allowance;
        remaining -= value + allowance;
      }
      if (position >= gridLength_) {
        ++index;
        position = 0;
      }
    }
    GiveAttributes(*note, pieces);
  }

  // A piece of the split note; none when the same pitch already stands
  // there (in a one-voice row in any voice), when, in a multi-voice row,
  // another note of the voice is in the way, or when, in a one-voice row,
  // every one of the 16 voices has a note under it. The piece keeps its
  // voice, so only a note of that voice makes it a chord member.
  TECNote* WritePiece(TECMeasure& measure, const TECNote& from, int value, int allowance, int position) {
    const bool multiVoice = row_.VoiceMode() > 0;
    TECNote* partner = nullptr;
    std::array<bool, 16> busy{};
    for (const auto& note : measure.Notes) {
      if (!NoteOverlaps(*note, position, position + value + allowance)) continue;
      busy[note->Voice & 15] = true;
      if (multiVoice && note->Voice != from.Voice) continue;
      if (note->Start == position && note->Value == value) {
        if (note->Kind == from.Kind && note->Octave == from.Octave) return nullptr;
        if (!partner && note->Voice == from.Voice) partner = note.get();
      } else if (multiVoice) {
        return nullptr;
      }
    }
    if (!multiVoice && std::all_of(busy.begin(), busy.end(), [](bool b) { return b; })) return nullptr;
    auto piece = std::make_unique<TECNote>(from.Kind, &measure);
    piece->Octave = from.Octave;
    piece->Flags = from.Flags;
    piece->Options = from.Options;
    piece->Voice = from.Voice;
    // Velocity and the spare bytes are the user's; they stay with the music.
    piece->Velocity = from.Velocity;
    piece->Extra = from.Extra;
    piece->Value = static_cast<std::uint16_t>(value);
    piece->Length = static_cast<std::uint16_t>(value + allowance);
    piece->Position = piece->Start = static_cast<std::uint16_t>(position);
    if (const std::uint8_t dot = DotCode(value, allowance))
      piece->Attributes.push_back(MakeNoteAttribute(dot, piece.get()));
    if (partner) piece->ChordMark = JoinChord(measure, *partner);
    return InsertInTimeOrder(measure, std::move(piece), partner);
  }

  // The first piece takes the note's accidental, marks and the ties and
  // slurs that reach it; later pieces repeat the articulations; ties and
  // slurs leaving the note leave from its last piece. The note is freed.
  static void GiveAttributes(TECNote& note, const std::vector<TECNote*>& pieces) {
    if (pieces.empty()) return;
    TECNote* first = pieces.front();
    TECNote* last = pieces.back();
    for (TECNote* piece : pieces) {
      if (piece == first) continue;
      std::vector<std::unique_ptr<TECNoteAttribute>> copies;
      for (const auto& attribute : note.Attributes)
        if (RepeatsOnPieces(attribute->Kind)) copies.push_back(attribute->Clone(piece));
      piece->Attributes.insert(piece->Attributes.begin(), std::make_move_iterator(copies.begin()),
                               std::make_move_iterator(copies.end()));
    }
    HandOverLinks(note, *first);
    std::vector<std::unique_ptr<TECNoteAttribute>> moved;
    for (auto& attribute : note.Attributes) {
      if (IsDot(attribute->Kind)) continue;
      TECNote* to = first;
      if (attribute->Kind == ek::GraceNotes && (attribute->Data[1] & 0x80)) to = last;
      attribute->Owner = to;
      if (to == first)
        moved.push_back(std::move(attribute));
      else
        to->Attributes.push_back(std::move(attribute));
    }
    first->Attributes.insert(first->Attributes.begin(), std::make_move_iterator(moved.begin()),
                             std::make_move_iterator(moved.end()));
    note.Attributes.clear();
    for (TECNote* after : note.LinkedNotes()) {
      if (TECLinkAttribute* link = after->LinkFrom(&note)) link->Partner = last;
      last->EditLinkedNotes().push_back(after);
    }
    note.EditLinkedNotes().clear();
  }

  TECRow& row_;
  TECInstrument* instrument_;
  std::vector<std::unique_ptr<TECMeasure>> old_;
  std::vector<std::unique_ptr<TECMeasure>> new_;
  std::vector<int> oldLengths_;
  int gridLength_;
  int gridFirst_;
  long long origin_ = 0;
  AccidentalState accidentals_;
  std::map<std::pair<const TECMeasure*, std::uint8_t>, std::uint8_t> marks_;
};

}  // namespace

void TECRow::RebarNotes(int length, int firstMeasure) {
  firstMeasure = std::max(0, firstMeasure);
  if (length <= 0 || firstMeasure >= MeasureCount()) return;
  Rebarer(*this, length, firstMeasure).Run(measures_);
  MarkMeasuresMoved();
}
