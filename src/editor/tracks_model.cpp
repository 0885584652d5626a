#include "editor/tracks_model.h"

#include <charconv>

#include "document/score_document.h"
#include "formats/general_midi_names.h"
#include "model/instrument.h"
#include "model/row.h"
#include "model/scoped_flag.h"
#include "model/stave_settings.h"
#include "model/undo_step.h"

namespace nv::editor {

using nv::widgets::PropertyColumn;
using nv::widgets::PropertyNode;
using nv::widgets::PropertyValue;
using nv::widgets::TextAlign;

namespace {

constexpr int kStaffImage = 5;
constexpr int kRowImage = 6;

// A value of -1 or below shows as "--".
PropertyValue Shown(int value) { return value < 0 ? PropertyValue(std::string("--")) : PropertyValue(value); }

std::string CaptionOf(const StaveSettings& settings, bool isRow) {
  if (!settings.Name.empty()) return settings.Name;
  const std::string_view name = GeneralMidiName(settings.Program);
  if (isRow && name.empty()) return "Row";
  return std::string(name);
}

std::optional<bool> BooleanOf(const PropertyValue& value) {
  if (const bool* b = std::get_if<bool>(&value)) return *b;
  if (const std::string* text = std::get_if<std::string>(&value)) {
    if (*text == "True") return true;
    if (*text == "False") return false;
  }
  return std::nullopt;
}

std::optional<int> NumberOf(const PropertyValue& value) {
  if (const int* number = std::get_if<int>(&value)) return *number;
  if (const std::string* text = std::get_if<std::string>(&value)) return ParseTrackValue(*text);
  return std::nullopt;
}

}  // namespace

std::optional<int> ParseTrackValue(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  if (text == "--" || text == "-") return -1;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

TracksModel::TracksModel(nv::document::ScoreDocument& document, nv::widgets::PropertyTree& tree)
    : document_(document), tree_(tree) {
  tree_.columns = Columns();
  // After whoever listened before (the view repaints).
  tree_.onChangeData = [this, before = std::move(tree_.onChangeData)](PropertyNode& node) {
    if (before) before(node);
    CellChanged(node);
  };
  auto& notices = document_.Notices();
  subscriptions_.push_back(notices.StaveChanged.Subscribe(
      [this](TECStaveOperation operation, TECModelObject* stave) { StaveChanged(operation, stave); }));
  subscriptions_.push_back(notices.Changed.Subscribe([this] { Resync(); }));
  Reload();
}

std::vector<PropertyColumn> TracksModel::Columns() {
  using namespace nv::widgets;
  std::vector<PropertyColumn> columns(6);
  columns[0] = {"Name", "", etString, esReadOnly, false, -1, 128, -1, TextAlign::Left, {}};
  columns[1] = {"", "Instrument", etString, esEllipsis, true, 16, 22, 4, TextAlign::Right, {}};
  columns[2] = {"", "Channel", etString, esDropDown, false, 16, 20, 7, TextAlign::Right, {}};
  columns[3] = {"", "Mute", etBoolean, esEdit, true, -1, 20, 8, TextAlign::Left, {}};
  columns[4] = {"", "Volume", etInteger, esEllipsis, false, 16, 24, 9, TextAlign::Left, {}};
  columns[5] = {"", "Pan", etInteger, esEllipsis, false, 16, 24, 10, TextAlign::Left, {}};
  for (int channel = 1; channel <= 16; ++channel) columns[2].dropDownList.push_back(std::to_string(channel));
  return columns;
}

SelectedTrack TracksModel::Selected() const { return TrackOf(tree_.SelectedNode()); }

SelectedTrack TracksModel::TrackOf(const PropertyNode* node) const {
  if (node == nullptr) return {};
  if (auto* const* row = std::any_cast<TECRow*>(&node->data)) return {(*row)->Owner(), *row};
  if (auto* const* staff = std::any_cast<TECInstrument*>(&node->data)) return {*staff, nullptr};
  return {};
}

PropertyNode* TracksModel::NodeOf(const TECModelObject* stave) const {
  const auto found = entries_.find(stave);
  return found == entries_.end() ? nullptr : found->second.Node;
}

void TracksModel::Reload() {
  const ScopedFlag syncing(syncingGrid_);
  entries_.clear();
  tree_.Clear();
  TECMusicScore& score = document_.Score();
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    TECInstrument& staff = *score.GetInstrumentAt(i);
    AddStaff(staff);
  }
  if (TECRow* active = score.CurrentRow(); active && NodeOf(active)) tree_.ShowNode(*NodeOf(active));
  TreeChanged();
}

PropertyNode& TracksModel::AddStaff(TECInstrument& staff) {
  PropertyNode& node = AddNode(nullptr, staff, false, staff.GetIndex());
  for (int r = 0; r < staff.GetRowCount(); ++r) AddNode(&node, *staff.GetRow(r), true, r);
  return node;
}

PropertyNode& TracksModel::AddNode(PropertyNode* parent, TECModelObject& stave, bool isRow, int index) {
  // The selected node stays selected, wherever the new one goes.
  PropertyNode* selected = tree_.SelectedNode();
  PropertyNode& node = tree_.AddNode(parent, "");
  node.imageIndex = isRow ? kRowImage : kStaffImage;
  entries_[&stave] = {&node, isRow};
  if (isRow)
    node.data = static_cast<TECRow*>(&stave);
  else
    node.data = static_cast<TECInstrument*>(&stave);
  if (tree_.IndexOf(node) != index) tree_.SetIndex(node, index);
  if (selected) tree_.SetCurrentRow(selected->Row());
  Show(node);
  return node;
}

void TracksModel::Show(PropertyNode& node) {
  const SelectedTrack track = TrackOf(&node);
  const bool isRow = track.Row != nullptr;
  const TECModelObject& stave = isRow ? static_cast<const TECModelObject&>(*track.Row) : *track.Staff;
  const StaveSettings settings = SettingsOf(stave);
  node.caption = CaptionOf(settings, isRow);
  // A staff always has a program; a row may have none.
  tree_.SetValue(node, kProgram, isRow ? Shown(settings.Program) : PropertyValue(settings.Program));
  tree_.SetValue(node, kChannel, settings.Channel);
  tree_.SetValue(node, kMute, settings.Mute);
  tree_.SetValue(node, kVolume, Shown(settings.Volume));
  tree_.SetValue(node, kPan, Shown(settings.Pan));
}

void TracksModel::Forget(PropertyNode& node) {
  for (const auto& child : node.Children()) Forget(*child);
  // Only the key: the object may be freed already.
  if (auto* const* row = std::any_cast<TECRow*>(&node.data)) entries_.erase(*row);
  if (auto* const* staff = std::any_cast<TECInstrument*>(&node.data)) entries_.erase(*staff);
}

void TracksModel::Remove(const TECModelObject* stave) {
  PropertyNode* node = NodeOf(stave);
  if (node == nullptr) return;
  // The node's objects may be going: only the map's keys are read.
  Forget(*node);
  tree_.RemoveNode(*node);
}

void TracksModel::StaveChanged(TECStaveOperation operation, TECModelObject* stave) {
  if (syncingGrid_ || stave == nullptr) return;
  const ScopedFlag syncing(syncingGrid_);
  if (operation == TECStaveOperation::soDestroyed) {
    Remove(stave);
    TreeChanged();
    return;
  }
  PropertyNode* node = NodeOf(stave);
  switch (operation) {
    case TECStaveOperation::soAdded:
      if (node) break;
      if (auto* row = dynamic_cast<TECRow*>(stave)) {
        if (PropertyNode* staffNode = NodeOf(row->Owner())) AddNode(staffNode, *row, true, row->GetIndex());
      } else if (auto* staff = dynamic_cast<TECInstrument*>(stave)) {
        AddStaff(*staff);
      }
      break;
    case TECStaveOperation::soChanged:
      if (node) Show(*node);
      break;
    case TECStaveOperation::soActiveChanged:
      if (node && !selectingCell_) tree_.ShowNode(*node);
      break;
    case TECStaveOperation::soMoved:
      if (node)
        tree_.SetIndex(*node, entries_.at(stave).IsRow ? static_cast<TECRow*>(stave)->GetIndex()
                                                       : static_cast<TECInstrument*>(stave)->GetIndex());
      break;
    case TECStaveOperation::soDestroyed:
      break;
  }
  TreeChanged();
}

bool TracksModel::Matches() const {
  const TECMusicScore& score = document_.Score();
  std::size_t count = 0;
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    const TECInstrument& staff = *score.GetInstrumentAt(i);
    const PropertyNode* node = NodeOf(&staff);
    if (!node || node->Parent() || tree_.IndexOf(*node) != i) return false;
    if (static_cast<int>(node->Children().size()) != staff.GetRowCount()) return false;
    for (int r = 0; r < staff.GetRowCount(); ++r)
      if (node->Children()[static_cast<std::size_t>(r)].get() != NodeOf(staff.GetRow(r))) return false;
    count += 1 + static_cast<std::size_t>(staff.GetRowCount());
  }
  return count == entries_.size();
}

void TracksModel::Resync() {
  if (syncingGrid_) return;
  if (!Matches()) {
    const int row = tree_.CurrentRow();
    Reload();
    tree_.SetCurrentRow(row);
    TreeChanged();
    return;
  }
  const ScopedFlag syncing(syncingGrid_);
  for (const auto& [stave, entry] : entries_) Show(*entry.Node);
  TreeChanged();
}

void TracksModel::SelectRow(int row) {
  if (selectingCell_) return;
  const ScopedFlag selecting(selectingCell_);
  EndTyping();
  tree_.SetCurrentRow(row);
  const SelectedTrack track = Selected();
  if (!track.Staff) return;
  TECMusicScore& score = document_.Score();
  score.SetActiveInstrument(score.IndexOfInstrument(track.Staff));
  if (track.Row) track.Staff->SetActiveRow(track.Row->GetIndex());
}

void TracksModel::CellChanged(PropertyNode& node) {
  if (syncingGrid_) return;
  const ScopedFlag syncing(syncingGrid_);
  const SelectedTrack track = TrackOf(&node);
  if (!track.Staff) return;
  TECModelObject& stave = track.Row ? static_cast<TECModelObject&>(*track.Row) : *track.Staff;
  const StaveSettings settings = SettingsOf(stave);
  // The value that differs from what the object holds is the edited one.
  const std::vector<std::pair<std::size_t, std::optional<PropertyValue>>> shown = {
      {kProgram, track.Row ? Shown(settings.Program) : PropertyValue(settings.Program)},
      {kChannel, settings.Channel},
      {kMute, settings.Mute},
      {kVolume, Shown(settings.Volume)},
      {kPan, Shown(settings.Pan)}};
  for (const auto& [value, expected] : shown)
    if (node.Value(value) != *expected) Edit(node, stave, value);
  Show(node);
  TreeChanged();
}

void TracksModel::Edit(PropertyNode& node, TECModelObject& stave, std::size_t value) {
  auto* row = dynamic_cast<TECRow*>(&stave);
  std::function<void()> change;
  if (value == kMute) {
    const std::optional<bool> mute = BooleanOf(node.Value(value));
    if (!mute) return;
    change = [&, mute = *mute] { row ? row->SetMute(mute) : static_cast<TECInstrument&>(stave).SetMute(mute); };
  } else {
    const std::optional<int> number = NumberOf(node.Value(value));
    if (!number) return;
    // Beyond the MIDI programs a program byte would be wrong; a staff
    // always has one.
    if (value == kProgram && (*number > 127 || *number < (row ? -1 : 0))) return;
    change = [&, n = *number] {
      auto set = [&](auto& s) {
        switch (value) {
          case kProgram:
            s.SetMidiInstrument(n);
            break;
          case kChannel:
            s.SetChannel(n);
            break;
          case kVolume:
            s.SetVolume(n);
            break;
          default:
            s.SetPan(n);
            break;
        }
      };
      if (row)
        set(*row);
      else
        set(static_cast<TECInstrument&>(stave));
    };
  }
  TECMusicScore& score = document_.Score();
  const TECUndoStep* newest = score.GetUndoStep(score.UndoCount() - 1);
  // Unmodified, the newest step is the saved state, which must stay apart.
  const bool joins = newest && typing_.Stave == &stave && typing_.Value == value && newest->Serial == typing_.Step &&
                     document_.Modified();
  if (joins) {
    const ScopedUndoLock joined(score);
    change();
    return;
  }
  const int steps = score.UndoCount();
  EditStaveSettings(score, stave, change);
  newest = score.GetUndoStep(score.UndoCount() - 1);
  typing_ = newest && score.UndoCount() != steps ? Typing{&stave, value, newest->Serial} : Typing{};
}

void TracksModel::TreeChanged() {
  if (onTreeChanged) onTreeChanged();
}

}  // namespace nv::editor
