#include "formats/midi_import.h"

#include <filesystem>

#include "formats/midi_track_import.h"
#include "formats/smf_reader.h"
#include "model/file_stream.h"
#include "model/instrument.h"
#include "model/row.h"
#include "platform/text_case.h"

namespace {

// Reads the file into `scratch`, a new score with the import settings of
// the open one. Returns whether damage or a limit cut it short.
bool ReadInto(TECMusicScore& scratch, ByteStream& stream) {
  scratch.SetDensity(true);
  scratch.SetUnionCount(-1);
  scratch.LayoutSuspended = true;
  scratch.SuppressChanged = true;
  scratch.ImportingMidi = true;
  // Beams and rests are built once at the end.
  scratch.DeferUnions = true;
  SmfFileReader reader(stream);
  MidiTrackImporter importer(scratch, reader.Header().Division);
  std::vector<std::uint8_t> body;
  while (reader.NextTrack(body) && importer.ImportTrack(body)) {
  }
  importer.Finish();
  scratch.DeferUnions = false;
  scratch.ImportingMidi = false;
  scratch.LayoutSuspended = false;
  scratch.RebuildAllUnions(0, true, false);
  return reader.Damaged() || importer.Damaged();
}

// What Assign leaves out of the music: volume and pan of every stave.
void CopyVolumeAndPan(const TECMusicScore& from, TECMusicScore& to) {
  for (int i = 0; i < from.InstrumentCount() && i < to.InstrumentCount(); ++i) {
    const TECInstrument& source = *from.GetInstrumentAt(i);
    TECInstrument& target = *to.GetInstrumentAt(i);
    target.SetVolume(source.Volume());
    target.SetPan(source.Pan());
    for (int r = 0; r < source.GetRowCount() && r < target.GetRowCount(); ++r) {
      target.GetRow(r)->SetVolume(source.GetRow(r)->Volume());
      target.GetRow(r)->SetPan(source.GetRow(r)->Pan());
    }
  }
}

}  // namespace

void ImportMidi(TECMusicScore& score, ByteStream& stream) {
  TECMusicScore scratch;
  scratch.MidiImportGrid = score.MidiImportGrid;
  scratch.MidiSeparateSheets = score.MidiSeparateSheets;
  scratch.DrumMap() = score.DrumMap();
  scratch.AssignDrumHeads(score);
  const bool damaged = ReadInto(scratch, stream);

  ScopedUndoLock lock(score);
  score.Assign(scratch);
  CopyVolumeAndPan(scratch, score);
  score.SetTempo(scratch.GetTempo());
  score.SetDescription(scratch.Description());
  score.Composer = scratch.Composer;
  score.Rights = scratch.Rights;
  score.MidiImportDamaged = damaged;
  if (score.InstrumentCount() == 0) return;
  score.SetActivePage(0);
  score.GoToMeasure(0);
  score.SetCursorPosition(0);
  score.CurrentInstrument()->SetActiveRow(0);
}

void ImportMidiFile(TECMusicScore& score, const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;
  {
    FileStream file(path, FileMode::fmOpenRead);
    ImportMidi(score, file);
  }
  score.LayoutScore(0, false);
  score.ScrollToCursor();
  score.InvalidateScore();
}

bool IsMidiFileName(const std::string& path) {
  using nv::platform::SameTextIgnoringCase;
  const std::string extension = std::filesystem::path(path).extension().string();
  return SameTextIgnoringCase(extension, ".mid") || SameTextIgnoringCase(extension, ".midi") ||
         SameTextIgnoringCase(extension, ".kar");
}
