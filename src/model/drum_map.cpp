#include "model/drum_map.h"

#include <algorithm>

#include "model/row.h"
#include "model/step_pitch.h"
#include "platform/text_case.h"

namespace {

constexpr int kFirstPosition = 23;
constexpr int kNormalHead = 255;

}  // namespace

int AddDrumHead(TECMusicScore& score, const std::string& name, std::int32_t first,
                const std::vector<std::unique_ptr<TECPageObject>>& shapes, std::uint8_t third, std::int32_t second) {
  auto& heads = score.DrumHeads();
  for (std::size_t i = 0; i < heads.size(); ++i)
    if (nv::platform::SameTextIgnoringCase(heads[i]->Name, name)) return static_cast<int>(i);
  auto head = std::make_unique<TECDrumHead>();
  head->Name = name;
  head->First = first;
  head->Second = second;
  head->Third = third;
  for (const auto& shape : shapes) head->Shapes.push_back(shape->Clone());
  heads.push_back(std::move(head));
  return static_cast<int>(heads.size()) - 1;
}

void SetDrumMapEntry(TECMusicScore& score, int pitch, const std::string& name, bool use, int position, int head) {
  if (pitch < 0 || pitch > 127) return;
  auto& map = score.DrumMap();
  auto entry = std::find_if(map.begin(), map.end(), [pitch](const auto& e) { return e.Pitch == pitch; });
  if (entry == map.end()) {
    map.emplace_back();
    entry = map.end() - 1;
  }
  entry->Pitch = static_cast<std::uint8_t>(pitch);
  entry->Name = name;
  entry->Use = use ? 1 : 0;
  entry->Position = static_cast<std::uint8_t>(std::clamp(position, 0, 255));
  entry->Head = static_cast<std::uint8_t>(std::clamp(head, 0, 255));
}

void DeleteDrumMapEntry(TECMusicScore& score, int pitch) {
  std::erase_if(score.DrumMap(), [pitch](const auto& e) { return e.Pitch == pitch; });
}

int DrumWrittenKey(int position) {
  const int b = position - kFirstPosition;
  // Floor division, so that positions below the first stay below key 0.
  const int octave = b >= 0 ? b / 7 : -((6 - b) / 7);
  const int step = b - octave * 7;
  return std::clamp(octave * 12 + step_pitch::kSemitone[step], 0, 127);
}

void TECDrumLookup::Rebuild(const TECMusicScore& score) {
  if (suspended_) return;
  for (auto& slots : byKey_) slots.clear();
  byPitch_.fill(-1);
  // The model gives its drum tables out for change only; they are read here.
  auto& mutableScore = const_cast<TECMusicScore&>(score);
  headCount_ = static_cast<int>(mutableScore.DrumHeads().size());
  const auto& map = mutableScore.DrumMap();
  for (std::size_t i = 0; i < map.size(); ++i) {
    const TECDrumMapEntry& entry = map[i];
    if (!entry.Use || entry.Pitch > 127) continue;
    const int slot = entry.Head < headCount_ ? entry.Head : headCount_;
    auto& slots = byKey_[DrumWrittenKey(entry.Position)];
    if (static_cast<int>(slots.size()) < slot + 1) slots.resize(slot + 1, -1);
    slots[slot] = static_cast<int>(i);
    byPitch_[entry.Pitch] = static_cast<int>(i);
  }
}

int TECDrumLookup::ByWrittenKey(int key, int head) const {
  const auto& slots = byKey_[std::clamp(key, 0, 127)];
  const int slot = head == kNormalHead || head < 0 || head >= headCount_ ? headCount_ : head;
  return slot < static_cast<int>(slots.size()) ? slots[slot] : -1;
}

int TECDrumLookup::ByPitch(int pitch) const { return pitch >= 0 && pitch <= 127 ? byPitch_[pitch] : -1; }

bool IsPercussionClef(int clef) { return clef == 14 || clef == 15; }

bool GetDrumHead(const TECMusicScore& score, const TECDrumLookup& lookup, int head, int& channel, int& key) {
  const TECRow* row = score.CurrentRow();
  if (!row || row->MeasureCount() == 0) return false;
  const int measure = std::min(score.CursorMeasure(), row->MeasureCount() - 1);
  const TECMeasure* current = row->GetMeasure(measure);
  const int clef = current->Clef ? current->Clef->Code() : current->ClefInForce;
  if (!IsPercussionClef(clef)) return false;
  channel = kDrumChannel;
  const int entry = lookup.ByWrittenKey(key, head);
  if (entry >= 0) {
    auto& map = const_cast<TECMusicScore&>(score).DrumMap();
    key = map[static_cast<std::size_t>(entry)].Pitch;
  }
  return true;
}
