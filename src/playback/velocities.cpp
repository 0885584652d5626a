#include "playback/velocities.h"

#include <algorithm>

#include "playback/play_settings.h"
#include "model/row.h"

namespace {

constexpr int kDefaultVelocity = 64;

std::uint8_t Clamped(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 127)); }

// Writes one measure's profile entries, keeping the running velocity.
class ProfileWriter {
 public:
  ProfileWriter(TECMusicScore& score, std::vector<TECDynamicsEntry>& out, int& running)
      : score_(score), out_(out), running_(running) {}

  void Item(const TECMeasureItem& item, const TECRow* row, int measureLength) {
    const int kind = item.Kind;
    if (kind >= 160 && kind <= 172) {
      running_ = Clamped(*play_settings::Dinamics(score_, kind));
      Level(nullptr, item.Position, running_);
    } else if (kind == 221 || kind == 222) {
      const int h = *play_settings::Dinamics(score_, kind);
      const int start = running_;
      running_ = Clamped(kind == 221 ? running_ + h : running_ - h);
      out_.push_back({nullptr, item.Position, Clamped(start), Clamped(running_), item.Second});
    } else if (kind == 198 || kind == 199) {
      Accent(item, row, Clamped(*play_settings::Dinamics(score_, kind)));
    } else if (kind == ek::TextBox) {
      Term(static_cast<const TECTextBox&>(item), measureLength);
    }
  }

 private:
  void Level(const TECRow* row, int position, int velocity) {
    out_.push_back({row, static_cast<std::uint16_t>(position), Clamped(velocity), Clamped(velocity), 0});
  }

  // A boost on the accent's row for one tick; a second accent at the same
  // tick adds to the first.
  void Accent(const TECMeasureItem& item, const TECRow* row, int a) {
    const std::size_t n = out_.size();
    if (n >= 2 && out_[n - 2].Position == item.Position && out_[n - 2].Row == row) {
      out_[n - 2].Start = out_[n - 2].Target = Clamped(out_[n - 2].Start + a);
      return;
    }
    Level(row, item.Position, running_ + a);
    Level(nullptr, item.Position + 1, running_);
  }

  void Term(const TECTextBox& box, int measureLength) {
    int value1 = 0;
    int value2 = 0;
    if (!play_settings::Term(score_, 1, box, value1, value2)) return;
    if (value1 == 0) {
      running_ = Clamped(value2);
      Level(nullptr, box.Position, running_);
      return;
    }
    const int start = running_;
    running_ = Clamped(running_ + value2);
    out_.push_back({nullptr, box.Position, Clamped(start), Clamped(running_),
                    static_cast<std::uint16_t>(std::clamp(measureLength, 0, 0xFFFF))});
  }

  TECMusicScore& score_;
  std::vector<TECDynamicsEntry>& out_;
  int& running_;
};

// The entry of a profile that a note at `tick` of `row` hears: the last
// written of those at the greatest position up to the tick (in an earlier
// measure, `tick` is past every position and any row counts).
const TECDynamicsEntry* Heard(const std::vector<TECDynamicsEntry>& profile, int tick, const TECRow* row,
                              bool ownMeasure) {
  for (auto it = profile.rbegin(); it != profile.rend(); ++it) {
    if (!ownMeasure) return &*it;
    if (it->Position <= tick && (it->Row == nullptr || it->Row == row)) return &*it;
  }
  return nullptr;
}

}  // namespace

void BuildDynamicsProfiles(TECMusicScore& score, TECInstrument& instrument) {
  if (!score.OnGetDinamics) return;
  // Every profile is cleared first, so a removed mark leaves nothing behind
  // in a measure that has no items any more.
  for (auto& layout : instrument.Layouts()) layout->Dynamics.clear();
  int running = kDefaultVelocity;
  const int measures = instrument.MaxMeasureCount();
  std::vector<TECDynamicsEntry> entries;
  for (int i = 0; i < measures; ++i) {
    entries.clear();
    ProfileWriter writer(score, entries, running);
    // All rows of the instrument write into one profile: a mark on one
    // staff is not lost because another staff has items in the measure.
    for (int r = 0; r < instrument.GetRowCount(); ++r) {
      const TECRow* row = instrument.GetRow(r);
      const TECMeasure* measure = row->GetMeasure(i);
      if (!measure) continue;
      for (const auto& item : measure->Items) writer.Item(*item, row, instrument.MeasureLength(i));
    }
    if (entries.empty()) continue;
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TECDynamicsEntry& a, const TECDynamicsEntry& b) { return a.Position < b.Position; });
    instrument.EnsureLayout(i)->Dynamics = entries;
  }
}

int LookupVelocity(TECInstrument& instrument, const TECNote& note) {
  if (!note.Owner) return kDefaultVelocity;
  const TECRow* row = note.Owner->Owner;
  const int own = note.Owner->Index;
  const auto& layouts = instrument.Layouts();
  const int count = static_cast<int>(layouts.size());
  for (int i = std::min(own, count - 1); i >= 0; --i) {
    const TECDynamicsEntry* entry = Heard(layouts[i]->Dynamics, note.Start, row, i == own);
    if (!entry) continue;
    if (entry->Span == 0) return entry->Start;
    long long d = static_cast<long long>(note.Start) - entry->Position;
    for (int k = i; k < own; ++k) d += instrument.MeasureLength(k);
    if (d >= entry->Span) return entry->Target;
    return entry->Start + static_cast<int>((entry->Target - entry->Start) * d / entry->Span);
  }
  return kDefaultVelocity;
}

bool SetNoteVelocity(TECMusicScore& score, TECNote& note) {
  if (!score.OnGetDinamics || !note.Owner || !note.Owner->Owner) return false;
  TECInstrument* instrument = note.Owner->Owner->Owner();
  if (!instrument) return false;
  const auto v = static_cast<std::uint8_t>(std::clamp(LookupVelocity(*instrument, note), 0, 127));
  bool changed = false;
  if (v != note.Velocity) {
    note.Velocity = v;
    for (auto& sub : note.PlayNotes()) sub->Velocity = v;
    changed = true;
  }
  score.InvalidateArea({note.Box.Left, note.Box.Top, note.Box.Right, note.Box.Bottom});
  return changed;
}

void CalcVelocity(TECMusicScore& score, const NoteSelection& selection) {
  if (!score.OnGetDinamics || !selection.Row || !selection.Row->Owner()) return;
  BuildDynamicsProfiles(score, *selection.Row->Owner());
  bool changed = false;
  for (TECNote* note : selection.Notes)
    if (note && ek::IsNoteStep(note->Kind) && SetNoteVelocity(score, *note)) changed = true;
  if (changed) score.DoChanged();
}

void RecalcVelocityFrom(TECMusicScore& score, int m, int tick) {
  TECInstrument* instrument = score.CurrentInstrument();
  if (!score.OnGetDinamics || !instrument) return;
  BuildDynamicsProfiles(score, *instrument);
  bool changed = false;
  for (int r = 0; r < instrument->GetRowCount(); ++r) {
    const TECRow* row = instrument->GetRow(r);
    for (int i = std::max(m, 0); i < row->MeasureCount(); ++i)
      for (const auto& note : row->GetMeasure(i)->Notes)
        if (ek::IsNoteStep(note->Kind) && (i > m || note->Start >= tick) && SetNoteVelocity(score, *note))
          changed = true;
  }
  if (changed) score.DoChanged();
}
