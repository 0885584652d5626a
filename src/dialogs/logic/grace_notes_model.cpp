#include "dialogs/logic/grace_notes_model.h"

#include <algorithm>

namespace nv::dialogs {
namespace {

constexpr int kSemitones[] = {0, 2, 4, 5, 7, 9, 11};

}  // namespace

GraceNotesModel::GraceNotesModel() { Load({}); }

void GraceNotesModel::Load(const nv::document::GraceNotesValues& values) {
  main_ = values.Main;
  const Slot mainPitch{static_cast<std::uint8_t>(main_.Step), static_cast<std::uint8_t>(main_.Octave), 0};
  slots_.fill(mainPitch);
  const int records = std::min<int>(kSlots, std::min<int>(values.Count, static_cast<int>(values.Slots.size())));
  for (int i = 0; i < records; ++i) slots_[static_cast<std::size_t>(i)] = values.Slots[static_cast<std::size_t>(i)];
  if (records > 0) {
    SetOptions(values.Options);
    SetDuration(values.Duration);
    count_ = records;
  }
  current_ = std::min(current_, count_ - 1);
}

nv::document::GraceNotesValues GraceNotesModel::Values() const {
  nv::document::GraceNotesValues values;
  values.Main = main_;
  values.Options = options_;
  values.Slots.assign(slots_.begin(), slots_.end());
  values.Count = count_;
  values.Duration = duration_;
  return values;
}

void GraceNotesModel::SetCount(int count) {
  count_ = std::clamp(count, 1, kSlots);
  if (current_ > count_ - 1) current_ = count_ - 1;
}

void GraceNotesModel::SetDuration(int duration) {
  duration_ = duration == 4 || duration == 8 || duration == 16 ? duration : 32;
}

bool GraceNotesModel::Select(int index) {
  const int kept = std::clamp(index, 0, count_ - 1);
  if (kept == current_) return false;
  current_ = kept;
  return true;
}

// Counted on from C of octave 1. The octave is floored, so that lowering C1
// gives B0 (truncating would give a step 0); the result must have a MIDI key.
bool GraceNotesModel::ChangeStep(int delta) {
  Slot& slot = slots_[static_cast<std::size_t>(current_)];
  const int position = slot.Step + (slot.Octave - 1) * 7 + delta;
  const int below = position - 1;
  const int octave = (below >= 0 ? below / 7 : -((-below + 6) / 7)) + 1;
  const int step = position - (octave - 1) * 7;
  if (step < 1 || step > 7) return false;
  const int key = 12 * octave + kSemitones[step - 1];
  if (key < 0 || key > 127) return false;
  slot.Step = static_cast<std::uint8_t>(step);
  slot.Octave = static_cast<std::uint8_t>(octave);
  return true;
}

void GraceNotesModel::ToggleAccidental(std::uint8_t code) {
  Slot& slot = slots_[static_cast<std::size_t>(current_)];
  slot.Accidental = slot.Accidental == code ? grace_accidental::kNone : code;
}

}  // namespace nv::dialogs
