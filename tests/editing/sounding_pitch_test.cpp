// What a written accidental sounds: the play list, the MIDI export read back
// with mido and the MusicXML export read with lxml agree with the marks on
// the page, before and after transposing by pitch.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/edit_harness.h"
#include "formats/midi_export.h"
#include "formats/musicxml_export.h"
#include "playback/play_list_builder.h"
#include "formats/run_command.h"
#include "model/memory_stream.h"
#include "model/score_builder.h"

namespace {

namespace fs = std::filesystem;
using edit_harness::EditFixture;

std::string Joined(const std::vector<int>& keys) {
  std::string text;
  for (const int key : keys) text += (text.empty() ? "" : " ") + std::to_string(key);
  return text;
}

// The keys of the play-list dump, in step and event order.
std::string PlayedKeys(TECMusicScore& score) {
  const std::string dump = BuildPlayEvents(score)->Dump();
  std::vector<int> keys;
  const std::regex key(" key (\\d+) ");
  for (auto it = std::sregex_iterator(dump.begin(), dump.end(), key); it != std::sregex_iterator(); ++it)
    keys.push_back(std::stoi((*it)[1]));
  return Joined(keys);
}

fs::path Scratch(const std::string& name) {
  return fs::temp_directory_path() / ("notavistra-pitch-" + std::to_string(::getpid()) + "-" + name);
}

void Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// The note-on keys of the exported MIDI file, as mido reads them.
std::string MidiKeys(TECMusicScore& score) {
  MemoryStream stream;
  ExportMidi(score, stream, false);
  const fs::path path = Scratch("export.mid");
  Write(path, stream.Data());
  const CommandResult result = RunCommand(
      "/usr/bin/python3 -c 'import mido, sys\n"
      "print(\" \".join(str(m.note) for m in mido.merge_tracks(mido.MidiFile(sys.argv[1]).tracks)"
      " if m.type == \"note_on\" and m.velocity > 0))' " +
      ShellQuoted(path.string()));
  fs::remove(path);
  EXPECT_EQ(result.Status, 0) << result.Output;
  return result.Output.substr(0, result.Output.find('\n'));
}

// The keys the notes of the exported MusicXML document sound, as lxml reads
// their step, alter and octave.
std::string XmlKeys(const TECMusicScore& score) {
  MemoryStream stream;
  ExportMusicXml(score, stream);
  const fs::path path = Scratch("export.xml");
  Write(path, stream.Data());
  const fs::path checker = fs::path(NOTAVISTRA_TESTS_DIR) / "formats" / "musicxml_check.py";
  const CommandResult result =
      RunCommand("/usr/bin/python3 " + ShellQuoted(checker.string()) + " pitches " + ShellQuoted(path.string()));
  fs::remove(path);
  EXPECT_EQ(result.Status, 0) << result.Output;
  return result.Output.substr(0, result.Output.find('\n'));
}

// G major: F, F sharp, F natural, F. F major: B flat, B. C major: C sharp,
// C natural, C sharp, C natural (sounding F#5 = 78, B flat 4 = 70, C4 = 60).
class SoundingPitch : public ::testing::Test {
 protected:
  SoundingPitch() : f_(1, 3) {
    TECRow& row = f_.row();
    row.SetKeySignature(0, 31);
    row.SetKeySignature(1, 41);
    row.SetKeySignature(2, 30);
    f_.score().LayoutScore(0, false);
    f_.Note(0, 0, 4, 6, 32, 0);
    score_builder::AddAttribute(*f_.Note(0, 0, 4, 6, 32, 32), ek::Sharp);
    score_builder::AddAttribute(*f_.Note(0, 0, 4, 6, 32, 64), ek::Natural);
    f_.Note(0, 0, 4, 6, 32, 96);
    score_builder::AddAttribute(*f_.Note(0, 1, 7, 5, 64, 0), ek::Flat);
    f_.Note(0, 1, 7, 5, 64, 64);
    for (int i = 0; i < 4; ++i) {
      TECNote* c = f_.Note(0, 2, 1, 5, 32, 32 * i);
      score_builder::AddAttribute(*c, i % 2 == 0 ? ek::Sharp : ek::Natural);
    }
    f_.score().LayoutScore(0, false);
  }

  void ExpectEverywhere(const std::string& keys) {
    EXPECT_EQ(PlayedKeys(f_.score()), keys);
    EXPECT_EQ(MidiKeys(f_.score()), keys);
    EXPECT_EQ(XmlKeys(f_.score()), keys);
  }

  EditFixture f_;
};

TEST_F(SoundingPitch, PlayListMidiAndMusicXmlSoundTheWrittenAccidentals) {
  ExpectEverywhere("78 78 77 77 70 70 61 60 61 60");
}

TEST_F(SoundingPitch, TransposingBySemitoneMovesEveryExportAlike) {
  // A measure at a time, as the command reads the contexts of one entry
  // before it changes any note.
  for (int m = 0; m < 3; ++m) {
    f_.score().ClearSelection();
    for (const auto& note : f_.measure(m).Notes) f_.score().SelectElement(note.get(), 0);
    f_.score().MoveSelectionByPitch(1);
  }
  ExpectEverywhere("79 79 78 78 71 71 62 61 62 61");
}

TEST(SoundingPitchOverTheBar, ATiedNoteKeepsItsAccidentalInTheNextMeasure) {
  // D sharp tied over the bar line to an unmarked D, and on to a third bar;
  // the D after it in bar 2 is back to D. In F major a B flat from the key
  // tied over keeps its flat.
  EditFixture f(1, 5);
  TECNote* sharp = f.Note(0, 0, 2, 5, 32, 96);
  score_builder::AddAttribute(*sharp, ek::Sharp);
  TECNote* carried = f.Note(0, 1, 2, 5, 128, 0);
  LinkNotes(sharp, carried, ek::LinkAbove);
  LinkNotes(carried, f.Note(0, 2, 2, 5, 32, 0), ek::LinkAbove);
  f.Note(0, 2, 2, 5, 32, 32);
  f.row().SetKeySignature(3, 41);
  f.score().LayoutScore(0, false);
  TECNote* flat = f.Note(0, 3, 7, 4, 32, 96);
  LinkNotes(flat, f.Note(0, 4, 7, 4, 32, 0), ek::LinkAbove);
  f.score().LayoutScore(0, false);
  EXPECT_EQ(PlayedKeys(f.score()), "63 63 63 62 58 58");
  EXPECT_EQ(MidiKeys(f.score()), "63 62 58");
  EXPECT_EQ(XmlKeys(f.score()), "63 63 63 62 58 58");
}

}  // namespace
