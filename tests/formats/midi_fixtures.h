#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/midi_import.h"
#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/music_score.h"
#include "model/row.h"
#include "run_command.h"

// MIDI files for the import and export tests: written from text with the
// csvmidi tool, or put together byte by byte where a file must be damaged.
namespace midi_fixtures {

using Bytes = std::vector<std::uint8_t>;

// A folder of this test process for files the tools read and write,
// removed when the process ends.
inline std::filesystem::path ScratchFolder() {
  struct Folder {
    std::filesystem::path Path =
        std::filesystem::temp_directory_path() / ("notavistra-midi-" + std::to_string(static_cast<long>(::getpid())));
    Folder() { std::filesystem::create_directories(Path); }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(Path, ignored);
    }
  };
  static const Folder folder;
  return folder.Path;
}

inline Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path);
  out << text;
}

// The file csvmidi writes for the given rows (channels count from 0 there).
inline Bytes FromCsv(const std::string& csv) {
  const auto folder = ScratchFolder();
  WriteText(folder / "in.csv", csv);
  const CommandResult result = RunCommand("csvmidi " + ShellQuoted((folder / "in.csv").string()) + " " +
                                          ShellQuoted((folder / "out.mid").string()));
  EXPECT_EQ(result.Status, 0) << result.Output << "\ncsvmidi failed on:\n" << csv;
  return ReadFile(folder / "out.mid");
}

// The rows midicsv reads from the bytes.
inline std::string ToCsv(const Bytes& bytes) {
  const auto path = ScratchFolder() / "export.mid";
  WriteFile(path, bytes);
  const CommandResult result = RunCommand("midicsv " + ShellQuoted(path.string()));
  EXPECT_EQ(result.Status, 0) << result.Output;
  return result.Output;
}

inline void Import(TECMusicScore& score, const Bytes& bytes) {
  MemoryStream stream(bytes);
  ImportMidi(score, stream);
}

// --- hand-made files ------------------------------------------------------------------

inline void PutBig(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void PutQuantity(Bytes& out, std::uint32_t value) {
  Bytes groups{static_cast<std::uint8_t>(value & 0x7F)};
  while (value >>= 7) groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  out.insert(out.end(), groups.begin(), groups.end());
}

inline Bytes HeaderChunk(int format, int tracks, int division) {
  Bytes out{'M', 'T', 'h', 'd'};
  PutBig(out, 6, 4);
  PutBig(out, static_cast<std::uint32_t>(format), 2);
  PutBig(out, static_cast<std::uint32_t>(tracks), 2);
  PutBig(out, static_cast<std::uint32_t>(division), 2);
  return out;
}

// A track chunk around the body; `length` overrides the length field.
inline Bytes TrackChunk(const Bytes& body, long long length = -1) {
  Bytes out{'M', 'T', 'r', 'k'};
  PutBig(out, static_cast<std::uint32_t>(length < 0 ? static_cast<long long>(body.size()) : length), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// A quarter note of key 60 on channel 1 at the start, division 480.
inline Bytes QuarterNoteEvents() { return {0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0}; }
inline Bytes EndOfTrack() { return {0x00, 0xFF, 0x2F, 0x00}; }

// --- what was imported ------------------------------------------------------------------

// One line per note piece: "instrument/row measure@tick name octave length",
// the name with "#" for a sharp, "b" for a flat, "n" for a natural.
inline std::vector<std::string> NoteList(const TECMusicScore& score) {
  std::vector<std::string> lines;
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    const TECInstrument& instrument = *score.GetInstrumentAt(i);
    for (int r = 0; r < instrument.GetRowCount(); ++r) {
      const TECRow& row = *instrument.GetRow(r);
      for (const auto& measure : row.Measures()) {
        for (const auto& note : measure->Notes) {
          std::string name(1, "CDEFGAB"[(note->Kind - ek::NoteC) % 7]);
          for (const auto& attribute : note->Attributes)
            if (attribute->Kind == ek::Sharp)
              name += "#";
            else if (attribute->Kind == ek::Flat)
              name += "b";
            else if (attribute->Kind == ek::Natural)
              name += "n";
          lines.push_back(std::to_string(i) + "/" + std::to_string(r) + " " + std::to_string(measure->Index) + "@" +
                          std::to_string(note->Start) + " " + name + std::to_string(note->Octave) + " " +
                          std::to_string(note->Length));
        }
      }
    }
  }
  return lines;
}

}  // namespace midi_fixtures
