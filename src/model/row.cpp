#include "model/row.h"

#include <algorithm>
#include <array>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/step_pitch.h"
#include "platform/text_case.h"

int ClefOffset(int clefCode) {
  static constexpr std::array<int, 16> kOffsets = {0, 0, -12, -6, 7, -7, -19, -10, -8, -2, -4, -10, 0, 0, 0, 0};
  // Codes outside the table (damaged files) place notes as the treble clef.
  return clefCode >= 0 && clefCode < 16 ? kOffsets[clefCode] : 0;
}

TECRow::TECRow(TECInstrument* owner) : owner_(owner) {}

TECRow::~TECRow() {
  TECMusicScore* score = Score();
  if (score && !score->Destroying()) score->FireStaveChanged(this, TECStaveOperation::soDestroyed, this);
}

TECMusicScore* TECRow::Score() const { return owner_ ? owner_->Score() : nullptr; }

int TECRow::GetIndex() const { return owner_ ? owner_->IndexOfRow(this) : -1; }

void TECRow::Assign(const TECRow& source) {
  if (&source == this) return;
  voiceMode_ = source.voiceMode_;
  fiveLine_ = source.fiveLine_;
  name_ = source.name_;
  mute_ = source.mute_;
  program_ = source.program_;
  channel_ = source.channel_;
  united_ = source.united_;
  ClearMeasures();
  for (const auto& measure : source.measures_) CopyMeasure(*measure, *AddMeasure());
}

void TECRow::CopyMeasure(const TECMeasure& source, TECMeasure& target) {
  target.MarkChanged();
  auto copyRecord = [&target](const auto& from, auto& to) {
    using Record = typename std::decay_t<decltype(to)>::element_type;
    if (!from) {
      to.reset();
      return;
    }
    if (!to) to = std::make_unique<Record>();
    to->CopyStoredFields(*from);
    to->Owner = &target;
  };
  copyRecord(source.Clef, target.Clef);
  copyRecord(source.KeySignature, target.KeySignature);
  copyRecord(source.TimeSignature, target.TimeSignature);
  target.BeamOverride = source.BeamOverride;
  target.BeamGroupCount = source.BeamGroupCount;

  target.Beams.clear();
  target.Notes.clear();
  for (const auto& note : source.Notes) {
    auto copy = std::make_unique<TECNote>(note->Kind, &target);
    copy->CopyStoredFields(*note);
    for (const auto& attribute : note->Attributes) copy->Attributes.push_back(attribute->Clone(copy.get()));
    target.Notes.push_back(std::move(copy));
  }
  // Links come back between the copies once every note of the measure
  // exists; the partner is found by its measure and note index in the
  // target's row. A link whose partner lies elsewhere is not copied.
  TECRow* targetRow = target.Owner;
  for (std::size_t n = 0; n < source.Notes.size(); ++n) {
    TECNote* later = target.Notes[n].get();
    const auto& from = source.Notes[n]->Attributes;
    std::vector<TECNoteAttribute*> unresolved;
    for (std::size_t a = 0; a < from.size(); ++a) {
      if (!ek::IsLink(from[a]->Kind)) continue;
      auto* copy = static_cast<TECLinkAttribute*>(later->Attributes[a].get());
      const TECNote* partner = static_cast<const TECLinkAttribute*>(from[a].get())->Partner;
      TECNote* earlier = nullptr;
      if (partner && partner->Owner && partner->Owner->Owner == source.Owner && targetRow) {
        TECMeasure* partnerMeasure =
            partner->Owner == &source ? &target : targetRow->GetMeasure(partner->Owner->Index);
        const auto& list = partner->Owner->Notes;
        const auto at = static_cast<std::size_t>(
            std::find_if(list.begin(), list.end(), [partner](const auto& p) { return p.get() == partner; }) -
            list.begin());
        if (partnerMeasure && at < partnerMeasure->Notes.size()) earlier = partnerMeasure->Notes[at].get();
      }
      if (earlier) {
        copy->Partner = earlier;
        earlier->EditLinkedNotes().push_back(later);
      } else {
        unresolved.push_back(copy);
      }
    }
    for (TECNoteAttribute* link : unresolved) later->RemoveAttribute(link);
  }

  target.Rests.clear();
  for (const auto& rest : source.Rests) target.Rests.push_back(rest->Clone(&target));
  target.Items.clear();
  for (const auto& item : source.Items) target.Items.push_back(item->Clone(&target));
  RebuildUnions(&target, false, false);
}

// --- measures ------------------------------------------------------------------------

TECMeasure* TECRow::AddMeasure() {
  auto measure = std::make_unique<TECMeasure>(this, MeasureCount());
  if (!measures_.empty()) {
    // The last measure's own clef and key records win over the values in
    // force, which only the layout pass keeps up to date.
    const TECMeasure& last = *measures_.back();
    measure->ClefInForce = last.Clef ? last.Clef->Code() : last.ClefInForce;
    measure->KeyInForce =
        last.KeySignature ? static_cast<std::uint8_t>(last.KeySignature->Code() - 30) : last.KeyInForce;
  }
  TECMusicScore* score = Score();
  if (score) score->NoteMeasureAppended(this, MeasureCount());
  if (score && score->ImportingMidi && owner_) {
    // The nearest row above with a time signature at this measure wins.
    for (int r = GetIndex() - 1; r >= 0; --r) {
      TECMeasure* above = owner_->GetRow(r)->GetMeasure(MeasureCount());
      if (above && above->TimeSignature) {
        measure->TimeSignature = std::make_unique<TECTimeSignature>(measure.get());
        measure->TimeSignature->Word = above->TimeSignature->Word;
        measure->TimeSignature->Style = above->TimeSignature->Style;
        break;
      }
    }
  }
  measures_.push_back(std::move(measure));
  MarkMeasuresMoved();
  return measures_.back().get();
}

TECMeasure* TECRow::InsertMeasure(int index) {
  index = std::clamp(index, 0, MeasureCount());
  auto it = measures_.insert(measures_.begin() + index, std::make_unique<TECMeasure>(this, index));
  Renumber(index);
  return it->get();
}

void TECRow::DeleteMeasure(int index) {
  if (index < 0 || index >= MeasureCount()) return;
  std::unique_ptr<TECMeasure> gone = std::move(measures_[index]);
  measures_.erase(measures_.begin() + index);
  gone.reset();
  Renumber(index);
}

std::unique_ptr<TECMeasure> TECRow::ReplaceMeasure(int index, std::unique_ptr<TECMeasure> measure) {
  if (index < 0 || !measure) return nullptr;
  while (MeasureCount() <= index) AddMeasure();
  measure->Owner = this;
  measure->Index = index;
  measures_[index].swap(measure);
  MarkMeasuresMoved();
  return measure;
}

void TECRow::Renumber(int from) {
  MarkMeasuresMoved();
  for (int i = from; i < MeasureCount(); ++i) measures_[i]->Index = i;
}

void TECRow::ClearMeasures() {
  // From the end, so that every note that goes still finds its partners
  // intact.
  while (!measures_.empty()) measures_.pop_back();
  MarkMeasuresMoved();
}

void TECRow::TrimEmptyMeasures() {
  while (!measures_.empty() && measures_.back()->IsEmpty()) measures_.pop_back();
  MarkMeasuresMoved();
}

void TECRow::DeleteNote(TECNote* note) {
  if (!note || !note->Owner) return;
  TECMeasure* measure = note->Owner;
  std::erase(measure->Beams, note);
  auto it = std::find_if(measure->Notes.begin(), measure->Notes.end(),
                         [note](const auto& n) { return n.get() == note; });
  if (it != measure->Notes.end()) measure->Notes.erase(it);
}

// --- clef, key and time signature ------------------------------------------------------

int TECRow::GetClef(int i) const {
  const TECMeasure* measure = GetMeasure(i);
  return measure && measure->Clef ? measure->Clef->Code() : 0;
}

namespace {
// Sets the clef or key record of measure i of `row` to `code`, recording
// the measure for undo first; a call that changes nothing records nothing.
template <typename Record>
void SetMeasureRecord(TECRow& row, int i, int code, std::unique_ptr<Record> TECMeasure::*slot,
                      std::uint8_t undoKind) {
  if (i < 0 || code < 0 || code > 255 || (i >= row.MeasureCount() && code == 0)) return;
  while (row.MeasureCount() <= i) row.AddMeasure();
  TECMeasure* measure = row.GetMeasure(i);
  std::unique_ptr<Record>& record = measure->*slot;
  if (record && record->Kind == code) return;
  TECMusicScore* score = row.Score();
  if (score) {
    if (TECUndoStep* step = score->BeginUndoStep(undoKind)) score->SaveUndoMeasure(step, measure, i);
  }
  if (!record) record = std::make_unique<Record>(0, measure);
  if (record->Kind == code) return;
  record->Kind = static_cast<std::uint8_t>(code);
  if (!score) return;
  score->LayoutScore(score->GetActivePage(), false);
  score->InvalidateScore();
  score->DoChanged();
}
}  // namespace

void TECRow::SetClef(int i, int code) { SetMeasureRecord(*this, i, code, &TECMeasure::Clef, 30); }

int TECRow::GetKeySignature(int i) const {
  const TECMeasure* measure = GetMeasure(i);
  return measure && measure->KeySignature ? measure->KeySignature->Code() : 0;
}

void TECRow::SetKeySignature(int i, int code) {
  if (code >= 0 && code < 30) code += 30;
  // 30 + n sharps or 40 + n flats; any other code is no key.
  if (code % 10 > 7 || (code / 10 != 3 && code / 10 != 4)) return;
  SetMeasureRecord(*this, i, code, &TECMeasure::KeySignature, 31);
}

void TECRow::SetTimeSignature(int i, int numerator, int denominator, std::uint8_t style) {
  if (i < 0) return;
  while (MeasureCount() <= i) AddMeasure();
  TECMeasure* measure = GetMeasure(i);
  if (!measure->TimeSignature) {
    measure->TimeSignature = std::make_unique<TECTimeSignature>(measure);
    measure->TimeSignature->Style = style;
  }
  measure->TimeSignature->Word = static_cast<std::uint16_t>((numerator & 0xFF) << 8 | (denominator & 0xFF));
}

int TECRow::ClefOffsetAtCursor() const {
  const TECMusicScore* score = Score();
  return ClefOffsetAt(score ? score->CursorMeasure() : 0);
}

int TECRow::ClefOffsetAt(int i) const {
  if (measures_.empty()) return 0;
  const TECMusicScore* score = Score();
  if (i >= 0 && i < MeasureCount()) return ClefOffset(measures_[i]->ClefAt(score ? score->CursorTick() : 0));
  const TECMeasure& last = *measures_.back();
  const int length = score ? score->GetMeasureLength(last.Index) : 128;
  return ClefOffset(last.ClefAt(length - 1));
}

int TECRow::KeyAccidentalForStep(int step) const {
  if (measures_.empty()) return 0;
  const TECMusicScore* score = Score();
  const TECMeasure* measure = GetMeasure(score ? score->CursorMeasure() : 0);
  if (!measure) measure = measures_.back().get();
  return step_pitch::KeyAlteration(measure->KeyInForce, step);
}

// --- chord marks ------------------------------------------------------------------------

void TECRow::ClearLoneChordMark(TECNote* note) {
  if (note && note->ChordMark && note->Owner) ClearLoneChordMarkIn(note->Owner, note->ChordMark);
}

void TECRow::ClearLoneChordMarkIn(TECMeasure* measure, std::uint8_t mark) {
  if (!measure || mark == 0) return;
  TECNote* only = nullptr;
  int count = 0;
  for (const auto& note : measure->Notes)
    if (note->ChordMark == mark) {
      only = note.get();
      ++count;
    }
  if (count == 1) only->ChordMark = 0;
}

void TECRow::SortChordNote(TECNote* note) {
  if (!note || !note->Owner || note->ChordMark == 0) return;
  auto& notes = note->Owner->Notes;
  auto at = std::find_if(notes.begin(), notes.end(), [note](const auto& n) { return n.get() == note; });
  if (at == notes.end()) return;
  auto higher = [](const TECNote& a, const TECNote& b) {
    return a.Octave != b.Octave ? a.Octave > b.Octave : a.Kind > b.Kind;
  };
  std::size_t i = static_cast<std::size_t>(at - notes.begin());
  const std::size_t original = i;
  while (i > 0 && notes[i - 1]->ChordMark == note->ChordMark && higher(*notes[i - 1], *note)) {
    std::swap(notes[i - 1], notes[i]);
    --i;
  }
  while (i + 1 < notes.size() && notes[i + 1]->ChordMark == note->ChordMark && higher(*note, *notes[i + 1])) {
    std::swap(notes[i + 1], notes[i]);
    ++i;
  }
  if (i != original) RebuildVoiceUnions(note->Owner, note->Voice, false, -1, false);
}

const std::vector<std::uint8_t>* TECRow::ChordSymbolAtCursor() const {
  const TECMusicScore* score = Score();
  const TECMeasure* measure = score ? GetMeasure(score->CursorMeasure()) : nullptr;
  if (!measure) return nullptr;
  for (const auto& item : measure->Items)
    if (item->Kind == ek::ChordSymbol && item->Position == score->CursorTick())
      return &static_cast<const TECChordSymbol*>(item.get())->Code;
  return nullptr;
}

// --- settings ------------------------------------------------------------------------

void TECRow::SetVoiceMode(int v) {
  if (v < 0 || v > 3 || v == voiceMode_) return;
  voiceMode_ = v;
  if (TECMusicScore* score = Score()) {
    score->InvalidateScore();
    score->DoChanged(this);
  }
}

void TECRow::SetFiveLineStaff(bool v) {
  if (v == FiveLineStaff()) return;
  fiveLine_ = v ? 1 : 0;
  if (TECMusicScore* score = Score()) {
    score->InvalidateScore();
    score->DoChanged(this);
  }
}

void TECRow::SetName(const std::string& name) {
  if (nv::platform::SameTextIgnoringCase(name, name_)) return;
  name_ = name;
  if (TECMusicScore* score = Score()) {
    score->FireStaveChanged(this, TECStaveOperation::soChanged, this);
    score->DoChanged(this);
  }
}

void TECRow::SetMidiInstrument(int program) {
  if (program == program_) return;
  program_ = program;
  if (TECMusicScore* score = Score()) {
    score->FireStaveChanged(this, TECStaveOperation::soChanged, this);
    score->DoChanged(this);
  }
}

void TECRow::SetChannel(int channel) {
  if (channel < 1 || channel > 16 || channel == channel_) return;
  channel_ = channel;
  TECMusicScore* score = Score();
  if (!score) return;
  score->FireStaveChanged(this, TECStaveOperation::soChanged, this);
  score->DoChanged(this);
  if (score->OnPlayShort && volume_ >= 0 && volume_ <= 127) SendController(7, volume_);
}

void TECRow::SetVolume(int volume) { SetControllerSetting(volume_, volume, 7); }

void TECRow::SetPan(int pan) { SetControllerSetting(pan_, pan, 10); }

// Volume and pan (-1: not set); during playback a change is sent at once.
void TECRow::SetControllerSetting(int& setting, int value, int controller) {
  if (value < -1 || value > 127 || value == setting) return;
  setting = value;
  TECMusicScore* score = Score();
  if (!score) return;
  score->FireStaveChanged(this, TECStaveOperation::soChanged, this);
  score->DoChanged(this);
  if (score->Playing && setting >= 0) SendController(controller, setting);
}

void TECRow::SetMute(bool v) {
  if (v == Mute()) return;
  mute_ = v ? 1 : 0;
  if (TECMusicScore* score = Score()) {
    score->FireStaveChanged(this, TECStaveOperation::soChanged, this);
    score->DoChanged(this);
  }
}

void TECRow::SetUnited(bool v) {
  if (v == United()) return;
  united_ = v ? 1 : 0;
  if (TECMusicScore* score = Score()) {
    score->LayoutScore(0, false);
    score->InvalidateScore();
    score->DoChanged(this);
  }
}

void TECRow::SendController(int controller, int value) {
  if (channel_ < 1 || channel_ > 16) return;
  if (TECMusicScore* score = Score())
    score->FirePlayShort(this, static_cast<std::uint8_t>(0xB0 + ((channel_ - 1) & 15)),
                         static_cast<std::uint8_t>(controller), static_cast<std::uint8_t>(value));
}
