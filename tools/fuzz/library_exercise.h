#pragma once

// What the library fuzz targets check, shared with the corpus tests that
// replay their corpora. Each returns "" or what went wrong; anything that
// is neither a clean refusal nor a round trip escapes as an exception.

#include <cstdint>
#include <string>
#include <vector>

#include "library/accord_description.h"
#include "library/chord_code.h"
#include "library/drum_description.h"
#include "library/drum_map_file.h"
#include "library/list_entries.h"
#include "library/symbol_description.h"
#include "library/term_description.h"
#include "model/memory_stream.h"

namespace library_exercise {

using Bytes = std::vector<std::uint8_t>;

// Load, save, load, save: the two saves are equal, or the file is refused
// with the format error.
template <typename Description>
std::string RoundTrip(const Bytes& bytes) {
  Description first;
  MemoryStream input(bytes);
  try {
    first.LoadFromStream(input);
  } catch (const nv::library::ETemplateFormatError&) {
    return "";
  }
  const Bytes saved = first.Bytes();
  Description second;
  MemoryStream again(saved);
  second.LoadFromStream(again);
  return second.Bytes() == saved ? "" : std::string(first.Kind().Extension) + ": the second save differs";
}

inline std::string ExerciseTemplate(const Bytes& bytes) {
  std::string fault = RoundTrip<nv::library::TECAccordDescription>(bytes);
  if (fault.empty()) fault = RoundTrip<nv::library::TECSymbolDescription>(bytes);
  if (fault.empty()) fault = RoundTrip<nv::library::TECDrumDescription>(bytes);
  return fault;
}

// Parse, write, parse: the list entries, the terms and the named drum map
// entries read back as they were, and the file's own text is stable.
inline std::string ExerciseListFile(const Bytes& bytes) {
  using nv::platform::IniFile;
  const IniFile file = IniFile::FromText("x.ini", std::string(bytes.begin(), bytes.end()));
  const IniFile reread = IniFile::FromText("x.ini", file.Text());
  if (reread.Text() != file.Text()) return "the ini text is not stable";

  IniFile written = IniFile::FromText("y.ini", "");
  const auto entries = nv::library::ReadListEntries(file, "Accords", "AccordMax", "Accord");
  nv::library::WriteListEntries(written, "Accords", "AccordMax", "Accord", entries);
  const auto terms = nv::library::ReadTerms(file);
  nv::library::WriteTerms(written, terms);
  auto map = nv::library::DrumMapFile::Read(file);
  map.Write(written);
  // A pitch without a name is not stored.
  for (int pitch = nv::library::DrumMapFile::kFirstPitch; pitch <= nv::library::DrumMapFile::kLastPitch; ++pitch) {
    if (map.Entry(pitch).Name.empty()) map.Entry(pitch) = {};
  }

  const IniFile back = IniFile::FromText("y.ini", written.Text());
  if (nv::library::ReadListEntries(back, "Accords", "AccordMax", "Accord") != entries) return "list entries differ";
  if (nv::library::ReadTerms(back) != terms) return "terms differ";
  if (!(nv::library::DrumMapFile::Read(back) == map)) return "drum map differs";
  return "";
}

// Every operation stays inside the code; the toolbar's code is stable after
// one pass.
inline std::string ExerciseChordCode(const Bytes& code) {
  std::vector<TECChordPiece> pieces;
  nv::library::AccordCodeToText(code, pieces);
  nv::library::TECChordTones tones;
  const int count = nv::library::AccordCodeToNotes(code, tones);
  if (count < 0 || count > 8) return "tone count out of range";
  for (const auto& tone : tones) {
    if (tone.Step > 7 || tone.Octave > 2) return "tone out of range";
  }
  nv::library::ChordButtons buttons;
  nv::library::AccordCodeToButtons(code, buttons);
  const Bytes built = nv::library::AccordCodeFromButtons(buttons);
  nv::library::ChordButtons again;
  nv::library::AccordCodeToButtons(built, again);
  if (nv::library::AccordCodeFromButtons(again) != built) return "the toolbar's code is not stable";
  return "";
}

}  // namespace library_exercise
