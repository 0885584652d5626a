#pragma once

#include "library/template_file.h"

namespace nv::library {

// A list file of a library folder: the section, its count key and the
// prefix of its entries, and the kind of template the entries name (none for
// the terms, which the list file holds itself).
struct ListFileSpec {
  const char* File;
  const char* Section;
  const char* CountKey;
  const char* Prefix;
  const TemplateKind* Kind;
};

inline constexpr ListFileSpec kChordListFile{"Chords.ini", "Accords", "AccordMax", "Accord", &kAccordFile};
inline constexpr ListFileSpec kSymbolListFile{"Symbols.ini", "Symbols", "SymbolMax", "Symbol", &kSymbolFile};
inline constexpr ListFileSpec kDrumListFile{"Drums.ini", "Drums", "DrumMax", "Drum", &kDrumFile};
inline constexpr ListFileSpec kTermListFile{"Terms.ini", "Terms", "TermMax", "Term", nullptr};
inline constexpr const char kDrumMapFile[] = "DrumMap.ini";

}  // namespace nv::library
