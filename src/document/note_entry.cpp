#include "document/note_entry.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "document/note_preview.h"
#include "document/program_settings.h"
#include "document/tool_state.h"

namespace nv::document {

namespace {
constexpr int kSemitoneOfStep[] = {0, 2, 4, 5, 7, 9, 11};
constexpr std::uint8_t kFlat = 103;
constexpr std::uint8_t kSharp = 105;
constexpr std::uint8_t kNatural = 107;

int Argument(const CommandArgs& args, std::size_t i) {
  if (i >= args.size()) throw std::invalid_argument("a note-entry command lacks its arguments");
  return std::stoi(args[i]);
}
}  // namespace

int PianoDuration(int position) { return 128 >> std::clamp(position, 0, 6); }

PianoInsertion PianoKeyInsertion(const ToolState& tools, int octave, int note, int tone, int durationPosition) {
  PianoInsertion result;
  result.Duration = PianoDuration(durationPosition);
  result.Step = std::clamp(tone, 1, 7);
  result.Octave = octave;
  if (tools.IsDown("CBKPause")) {
    result.Rest = true;
    return result;
  }
  NoteModifiers& bytes = result.Modifiers;
  const std::uint8_t reported = note > 0 ? kSharp : note < 0 ? kFlat : 0;
  if (tools.IsDown("CBKBecarre")) {
    // The natural of the step: it sounds as written.
    bytes[0] = kNatural;
  } else if (tools.IsDown("CBKBemol") && note > 0) {
    bytes[0] = kFlat;
    result.Shift = -1;
    if (++result.Step > 7) {
      result.Step = 1;
      ++result.Octave;
    }
  } else {
    bytes[0] = reported;
    result.Shift = note > 0 ? 1 : note < 0 ? -1 : 0;
  }
  result.KeyShift = bytes[0] == 0;
  if (tools.IsDown("CBKLong")) bytes[1] = 101;
  else if (tools.IsDown("CBKDLong")) bytes[1] = 102;
  if (tools.IsDown("CBKPortamento")) bytes[2] = 108;
  else if (tools.IsDown("CBKStaccato")) bytes[2] = 109;
  if (tools.IsDown("CBKTremolo")) bytes[4] = static_cast<std::uint8_t>(109 + tools.UpDown(UpDownId::KTremolo).Position);
  if (tools.IsDown("CBKTreole")) bytes[5] = static_cast<std::uint8_t>(tools.UpDown(UpDownId::KTreole).Position);
  if (tools.IsDown("CBKDrumNote")) bytes[6] = 122;
  else if (tools.IsDown("CBKBlankNote")) bytes[6] = 123;
  return result;
}

int NextGuitarDuration(int duration) {
  const int next = duration * 2;
  return next >= 128 || next < 2 ? 2 : next;
}

NoteEntry::NoteEntry(ToolState& tools, NoteEntryHost& host) : tools_(tools), host_(host) {}

void NoteEntry::PianoKeyClick(int octave, int note, int tone, int durationPosition) {
  if (tools_.ActivePage() != ToolPage::Piano) return;
  ScoreEdits* edits = host_.ActiveEdits();
  if (edits == nullptr) return;
  const PianoInsertion insertion = PianoKeyInsertion(tools_, octave, note, tone, durationPosition);
  if (insertion.Rest) {
    edits->InsertRest(insertion.Duration, {});
    return;
  }
  edits->InsertNote(insertion.Step, insertion.Octave, insertion.Duration, insertion.Modifiers, 0, 0, 0, 1);
  if (!tools_.Settings().PlayKeyboard) return;
  const int shift = insertion.KeyShift ? edits->KeyAccidentalForStep(insertion.Step) : insertion.Shift;
  host_.PreviewNote(kSemitoneOfStep[insertion.Step - 1] + 12 * insertion.Octave + shift, insertion.Duration,
                    NotePreview::kFirst);
}

void NoteEntry::GuitarChord(const std::vector<int>& keys) {
  ScoreEdits* edits = host_.ActiveEdits();
  if (edits == nullptr) return;
  const int duration = tools_.Settings().GuitarDuration;
  edits->ReplaceWithChordNotes(keys, duration);
  if (!tools_.Settings().PlayGuitar) return;
  std::vector<int> sounding;
  std::copy_if(keys.begin(), keys.end(), std::back_inserter(sounding), [](int key) { return key > 0; });
  for (std::size_t i = 0; i < sounding.size(); ++i) {
    const bool first = i == 0;
    const bool last = i + 1 == sounding.size();
    const NotePreview::Mode mode = first && last ? NotePreview::kSingle
                                   : first       ? NotePreview::kFirst
                                   : last        ? NotePreview::kLast
                                                 : NotePreview::kFurther;
    host_.PreviewNote(sounding[i], duration, mode);
  }
}

void AddNoteEntryCommands(CommandRegistry& registry, NoteEntry& entry) {
  Command key;
  key.Id = "piano.key";
  key.Caption = "Piano key";
  key.Run = [&entry](const CommandArgs& args) {
    entry.PianoKeyClick(Argument(args, 0), Argument(args, 1), Argument(args, 2), Argument(args, 3));
  };
  registry.Add(std::move(key));
  Command chord;
  chord.Id = "guitar.chord";
  chord.Caption = "Guitar chord";
  chord.Run = [&entry](const CommandArgs& args) {
    std::vector<int> keys;
    for (std::size_t i = 0; i < args.size(); ++i) keys.push_back(Argument(args, i));
    entry.GuitarChord(keys);
  };
  registry.Add(std::move(chord));
}

}  // namespace nv::document
