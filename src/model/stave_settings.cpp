#include "model/stave_settings.h"

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/stream_strings.h"
#include "model/undo_entries.h"

namespace {

template <typename Stave>
StaveSettings Read(const Stave& stave) {
  return {stave.Name(), stave.MidiInstrument(), stave.Channel(), stave.Volume(), stave.Pan(), stave.Mute()};
}

template <typename Stave>
void Apply(Stave& stave, const StaveSettings& settings) {
  // A staff's program setter clears its name, so the name comes after it.
  stave.SetMidiInstrument(settings.Program);
  stave.SetName(settings.Name);
  stave.SetChannel(settings.Channel);
  stave.SetVolume(settings.Volume);
  stave.SetPan(settings.Pan);
  stave.SetMute(settings.Mute);
}

}  // namespace

StaveSettings SettingsOf(const TECModelObject& stave) {
  if (const auto* staff = dynamic_cast<const TECInstrument*>(&stave)) return Read(*staff);
  if (const auto* row = dynamic_cast<const TECRow*>(&stave)) return Read(*row);
  return {};
}

void ApplySettings(TECModelObject& stave, const StaveSettings& settings) {
  if (auto* staff = dynamic_cast<TECInstrument*>(&stave)) Apply(*staff, settings);
  if (auto* row = dynamic_cast<TECRow*>(&stave)) Apply(*row, settings);
}

void WriteStaveSettings(ByteStream& stream, const StaveSettings& settings) {
  WriteStreamString(stream, settings.Name);
  stream.WriteI32(settings.Program);
  stream.WriteI32(settings.Channel);
  stream.WriteI32(settings.Volume);
  stream.WriteI32(settings.Pan);
  stream.WriteU8(settings.Mute ? 1 : 0);
}

StaveSettings ReadStaveSettings(ByteStream& stream) {
  StaveSettings settings;
  settings.Name = ReadStreamString(stream);
  settings.Program = stream.ReadI32();
  settings.Channel = stream.ReadI32();
  settings.Volume = stream.ReadI32();
  settings.Pan = stream.ReadI32();
  settings.Mute = stream.ReadU8() != 0;
  return settings;
}

void EditStaveSettings(TECMusicScore& score, TECModelObject& stave, const std::function<void()>& change) {
  int staff = -1;
  int place = static_cast<int>(undo_entry::StaffSettings);
  if (auto* instrument = dynamic_cast<TECInstrument*>(&stave)) {
    staff = score.IndexOfInstrument(instrument);
  } else if (auto* row = dynamic_cast<TECRow*>(&stave)) {
    staff = score.IndexOfInstrument(row->Owner());
    place = row->GetIndex();
  }
  // An object outside the score names no place a step could come back to.
  if (staff < 0 || place < 0) {
    change();
    return;
  }
  // Begun before the change, as every edit begins its step.
  TECUndoStep* step = score.BeginUndoStep(undo_kind::StaveSettings);
  const StaveSettings before = SettingsOf(stave);
  change();
  if (step != nullptr && SettingsOf(stave) != before)
    WriteUndoEntry(*step, {static_cast<std::uint32_t>(staff), static_cast<std::uint32_t>(place)},
                   [&](ByteStream& s) { WriteStaveSettings(s, before); });
  score.DropEmptyUndoStep(step);
}
