// SplitUnionNotes: a note split into two halves, or runs of notes of one
// pitch united into the fewest notes that cover them.
#include <algorithm>

#include "editing/command_targets.h"
#include "editing/edit_transaction.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/undo_step.h"

namespace nv::editing {
namespace {

// Effects that every piece of a split or united note carries.
bool IsEffect(int code) {
  return (code >= 108 && code <= 114) || (code >= 117 && code <= 119) || (code >= 124 && code <= 128);
}
using ek::IsTremolo;

bool HasEffect(const TECNote& note, int code) {
  return std::any_of(note.Attributes.begin(), note.Attributes.end(), [code](const auto& a) {
    return a->Kind == code || (IsTremolo(code) && IsTremolo(a->Kind));
  });
}

void CopyEffects(const TECNote& from, TECNote& to) {
  for (const auto& attribute : from.Attributes)
    if (IsEffect(attribute->Kind) && !HasEffect(to, attribute->Kind)) to.Attributes.push_back(attribute->Clone(&to));
}

// A tie or slur reaching the run from outside: the note outside, the code,
// and whether the outside note is the earlier one.
struct OuterLink {
  TECNote* other;
  std::uint8_t code;
  bool incoming;
};

// The links between `notes` and notes outside them; each outside note once
// per direction. Saves the measures of the later notes outside, which hold
// the links.
bool OuterLinks(EditTransaction& edit, const std::vector<TECNote*>& notes, std::vector<OuterLink>& links) {
  auto inside = [&notes](const TECNote* n) { return std::find(notes.begin(), notes.end(), n) != notes.end(); };
  auto known = [&links](const TECNote* n, bool incoming) {
    return std::any_of(links.begin(), links.end(), [&](const OuterLink& l) { return l.other == n && l.incoming == incoming; });
  };
  for (TECNote* note : notes) {
    for (const auto& attribute : note->Attributes)
      if (ek::IsLink(attribute->Kind))
        if (TECNote* partner = static_cast<TECLinkAttribute&>(*attribute).Partner; partner && !inside(partner))
          if (!known(partner, true)) links.push_back({partner, attribute->Kind, true});
    for (TECNote* later : note->LinkedNotes())
      if (!inside(later) && !known(later, false)) {
        if (later->Owner == nullptr || !edit.SaveMeasure(*later->Owner)) return false;
        const TECLinkAttribute* link = later->LinkFrom(note);
        links.push_back({later, link != nullptr ? link->Kind : ek::LinkAbove, false});
      }
  }
  return true;
}

// Takes the links that later notes hold on `note` off them.
void Unlink(TECNote& note) {
  for (TECNote* later : note.LinkedNotes()) later->RemoveLinksFrom(&note);
  note.EditLinkedNotes().clear();
}

void Relink(TECRow& row, const std::vector<OuterLink>& links, TECNote& first, TECNote& last) {
  // The command's own step holds every measure these change.
  ScopedUndoLock lock(*row.Score());
  for (const OuterLink& link : links)
    if (link.other->Owner != nullptr) {
      if (link.incoming)
        row.LinkNotes(link.other, &first, link.code);
      else
        row.LinkNotes(&last, link.other, link.code);
    }
}

// The notes of pitch and voice of `first` that start in [start, end), in order.
std::vector<TECNote*> Pieces(TECMeasure& measure, const TECNote& model, int start, int end) {
  std::vector<TECNote*> pieces;
  for (const auto& note : measure.Notes)
    if (note->Voice == model.Voice && note->Kind == model.Kind && note->Octave == model.Octave &&
        note->Start >= start && note->Start < end)
      pieces.push_back(note.get());
  std::sort(pieces.begin(), pieces.end(), [](const TECNote* a, const TECNote* b) { return a->Start < b->Start; });
  return pieces;
}

class SplitUnion {
 public:
  SplitUnion(TECMusicScore& score, EditTransaction& edit, TECRow& row) : score_(score), edit_(edit), row_(row) {}

  void Split(TECMeasure& measure, TECNote& note) {
    if (note.Value <= 1 || note.InTuplet() || !ek::IsNoteStep(note.Kind)) return;
    // The halves are entered at the cursor, which stands only within the
    // measure: a note that runs past its end (measure 0 shortened by a
    // pickup after measures were deleted) is left whole.
    if (note.Start + note.Length > score_.GetMeasureLength(measure.Index)) return;
    std::vector<OuterLink> links;
    if (!edit_.SaveMeasure(measure) || !OuterLinks(edit_, {&note}, links)) return;
    const int start = note.Start;
    const int half = note.Length / 2;
    std::unique_ptr<TECNote> old = Detach(measure, note);
    TECNote* first = Insert(measure, *old, start, half);
    TECNote* second = Insert(measure, *old, start + half, note.Length - half);
    if (first != nullptr) {
      for (auto& attribute : old->Attributes)
        if (attribute->IsAccidental() || attribute->Kind == ek::GraceNotes) {
          attribute->Owner = first;
          first->Attributes.push_back(std::move(attribute));
        }
      erase(old->Attributes, nullptr);
      CopyEffects(*old, *first);
    }
    if (second != nullptr) CopyEffects(*old, *second);
    old.reset();
    // A tie coming in ends on the first half, one going on leaves from the second.
    if (first != nullptr) Relink(row_, links, *first, second != nullptr ? *second : *first);
    edit_.Touch();
    edit_.RebuildBeams(measure);
  }

  void Union(TECMeasure& measure, const std::vector<TECNote*>& chain) {
    std::vector<OuterLink> links;
    if (!edit_.SaveMeasure(measure) || !OuterLinks(edit_, chain, links)) return;
    TECNote& head = *chain.front();
    const int start = head.Start;
    const int total = chain.back()->Start + chain.back()->Length - start;
    // Effects: the first note's, then those the others add.
    TECNote effects{head.Kind};
    for (TECNote* note : chain) CopyEffects(*note, effects);
    for (std::size_t i = 1; i < chain.size(); ++i) row_.DeleteNote(chain[i]);
    std::vector<TECNoteAttribute*> headLinks;
    for (const auto& attribute : head.Attributes)
      if (ek::IsLink(attribute->Kind)) headLinks.push_back(attribute.get());
    for (TECNoteAttribute* link : headLinks) head.RemoveAttribute(link);
    Unlink(head);
    TECNote* first = nullptr;
    {
      ScopedUndoLock lock(score_);
      first = row_.ReflowNote(&head, total, head.StartOffset, head.Velocity);
    }
    if (first == nullptr) return;
    const std::vector<TECNote*> pieces = Pieces(measure, *first, start, start + total);
    for (TECNote* piece : pieces) CopyEffects(effects, *piece);
    Relink(row_, links, *pieces.front(), *pieces.back());
    edit_.Touch();
    edit_.RebuildBeams(measure);
  }

 private:
  std::unique_ptr<TECNote> Detach(TECMeasure& measure, TECNote& note) {
    auto it = std::find_if(measure.Notes.begin(), measure.Notes.end(), [&note](const auto& n) { return n.get() == &note; });
    std::unique_ptr<TECNote> old = std::move(*it);
    measure.Notes.erase(it);
    row_.ClearLoneChordMarkIn(&measure, old->ChordMark);
    // Links leave with the note; they are made again on its halves.
    Unlink(*old);
    std::vector<TECNoteAttribute*> links;
    for (const auto& attribute : old->Attributes)
      if (ek::IsLink(attribute->Kind)) links.push_back(attribute.get());
    for (TECNoteAttribute* link : links) old->RemoveAttribute(link);
    return old;
  }

  TECNote* Insert(TECMeasure& measure, const TECNote& like, int tick, int duration) {
    if (duration <= 0) return nullptr;
    score_.GoToMeasure(measure.Index);
    score_.SetCursorVoice(like.Voice);
    score_.SetCursorPosition(tick);
    ScopedUndoLock lock(score_);
    return row_.InsertPitchedNote(like.Kind, like.Octave, like.Extra[2], like.Options, 0, 0, duration);
  }

  TECMusicScore& score_;
  EditTransaction& edit_;
  TECRow& row_;
};

// Runs of notes of one pitch and tuplet number, each starting where the last
// ended; whole notes and notes with accidentals take no part.
std::vector<std::vector<TECNote*>> Chains(const std::vector<TECElement*>& elements) {
  std::vector<TECNote*> notes;
  for (TECElement* element : elements)
    if (IsNote(*element)) {
      auto* note = static_cast<TECNote*>(element);
      const bool signed_ = std::any_of(note->Attributes.begin(), note->Attributes.end(),
                                       [](const auto& a) { return a->IsAccidental(); });
      if (note->Value != 128 && !signed_ && !note->InTuplet()) notes.push_back(note);
    }
  std::sort(notes.begin(), notes.end(), [](const TECNote* a, const TECNote* b) { return a->Start < b->Start; });
  std::vector<std::vector<TECNote*>> chains;
  for (TECNote* note : notes) {
    auto chain = std::find_if(chains.begin(), chains.end(), [note](const auto& c) {
      const TECNote* last = c.back();
      return last->Kind == note->Kind && last->Octave == note->Octave && last->Voice == note->Voice &&
             last->Start + last->Length == note->Start && last->TupletNumber() == note->TupletNumber();
    });
    if (chain != chains.end())
      chain->push_back(note);
    else
      chains.push_back({note});
  }
  std::erase_if(chains, [](const auto& c) { return c.size() < 2; });
  return chains;
}

}  // namespace
}  // namespace nv::editing

using nv::editing::EditTransaction;

void TECMusicScore::SplitUnionNotes(bool split) {
  EditTransaction edit(*this, split ? undo_kind::Split : undo_kind::Union);
  if (!edit.Allowed()) return;
  auto targets = nv::editing::RowTargets(*this, false);
  if (targets.empty()) return;
  TECRow& row = *targets.front().Measure->Owner;
  // Each split or union rebuilds its measure's rests and frees the notes it
  // replaces, so the notes of every measure are picked before anything
  // changes and the selected records are not read again.
  struct Work {
    TECMeasure* measure;
    std::vector<std::vector<TECNote*>> groups;  // a note to split, or a chain to unite
  };
  std::vector<Work> work;
  for (const auto& target : targets) {
    Work measureWork{target.Measure, {}};
    if (split) {
      for (TECElement* element : target.Elements)
        if (element->Type() == TECElementType::Note) measureWork.groups.push_back({static_cast<TECNote*>(element)});
    } else {
      measureWork.groups = nv::editing::Chains(target.Elements);
    }
    work.push_back(std::move(measureWork));
  }
  // The notes are replaced by new records: the selection is emptied first.
  ClearSelection();
  nv::editing::SplitUnion command(*this, edit, row);
  CurrentInstrument()->SetActiveRow(row.GetIndex());
  for (const Work& measureWork : work)
    for (const auto& group : measureWork.groups) {
      if (split)
        command.Split(*measureWork.measure, *group.front());
      else
        command.Union(*measureWork.measure, group);
    }
}
