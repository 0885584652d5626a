#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/accord_description.h"
#include "library/drum_description.h"
#include "library/drum_map_file.h"
#include "library/library_ui.h"
#include "library/list_files.h"
#include "library/symbol_description.h"
#include "library/term_description.h"

namespace nv::library {

// The program's four libraries in one library folder: the ordered lists of
// chord, symbol and drum-style templates (named in their list files, loaded
// when first needed) and the terms with the name tree over them.
//
// Every write goes through the atomic save; a write that fails reaches the
// LibraryUi as an error naming the file and the reason, and the old file is
// kept. A damaged template costs only itself.
class LibraryStore {
 public:
  LibraryStore(std::string folder, LibraryUi& ui);

  const std::string& Folder() const { return folder_; }

  const std::vector<std::unique_ptr<TECAccordDescription>>& Chords() const { return chords_; }
  const std::vector<std::unique_ptr<TECSymbolDescription>>& Symbols() const { return symbols_; }
  const std::vector<std::unique_ptr<TECDrumDescription>>& Drums() const { return drums_; }
  const std::vector<TECTermDescription>& Terms() const { return terms_; }

  // Read a list file of the folder (the chord list also from another file,
  // as the settings file once held it): an entry whose template file is
  // missing is left out; the templates stay unloaded.
  void LoadChordLibrary(const std::string& listFile = kChordListFile.File);
  // At start-up: from the settings file while it still holds a chord list
  // (the older place), else from "Chords.ini". It is saved to "Chords.ini".
  void LoadChordLibraryAtStartUp(const std::string& settingsFile);
  void LoadSymbolLibrary(const std::string& listFile = kSymbolListFile.File);
  void LoadDrumLibrary(const std::string& listFile = kDrumListFile.File);
  void LoadTermLibrary(const std::string& listFile = kTermListFile.File);
  // Write the list files. They report failures and return false.
  bool SaveChordLibrary();
  bool SaveSymbolLibrary();
  bool SaveDrumLibrary();
  bool SaveTermLibrary();

  // Loads every template not loaded yet, leaving out of its list any that
  // fails, with one report per list (the program starts all the same).
  void LoadAllTemplates();

  // Insert at the front of the list, tell the palette and save the list.
  void AddChordToPalette(std::unique_ptr<TECAccordDescription> chord);
  void AddSymbolToPalette(std::unique_ptr<TECSymbolDescription> symbol);
  // Removes every chord (symbol) template of that name, ignoring case.
  void RemoveChordByName(std::string_view name);
  void RemoveSymbolByName(std::string_view name);
  // Takes the templates at `indices` out of the library and writes its list
  // file, so that they stay out after a restart; with `deleteFiles` their
  // files in "Templates" go too. Returns false when a write failed (reported).
  bool RemoveChords(const std::vector<std::size_t>& indices, bool deleteFiles);
  bool RemoveSymbols(const std::vector<std::size_t>& indices, bool deleteFiles);
  // A template chosen from a drop-down palette moves to the front of its
  // strip; an index past the end changes nothing.
  void MoveChordToFront(std::size_t index);
  void MoveSymbolToFront(std::size_t index);
  void MoveTermToFront(std::size_t index);
  // Import template files the user chooses; true when one was taken.
  bool AddChordTemplates();
  bool AddSymbolTemplates();

  // Replaces the terms and rebuilds the name tree, reporting duplicates.
  void SetTerms(std::vector<TECTermDescription> terms);
  // A term's values changed (the term settings apply each change at once);
  // they reach "Terms.ini" when the library is next written.
  void SetTermValues(std::size_t index, int first, int second);
  // The dynamic or tempo term of that name, ignoring case.
  const TECTermDescription* FindTermByName(std::string_view text) const;
  // The score's question: the values of the term of that text and kind.
  bool GetTerms(int kind, std::string_view text, int& first, int& second) const;

  // Writes the thirty default drum styles into "Templates" and puts them at
  // the end of the drum-style list, in place of entries of the same name.
  void CreateDefaultDrumLibrary();

  DrumMapFile LoadDrumMap() const;
  // Raises EDrumMapError for a name the file cannot hold; reports a failed
  // write and returns false.
  bool SaveDrumMap(const DrumMapFile& map);

 private:
  template <typename Description>
  void LoadList(std::vector<std::unique_ptr<Description>>& list, const std::string& listFile,
                const ListFileSpec& spec);
  template <typename Description>
  bool SaveList(const std::vector<std::unique_ptr<Description>>& list, const ListFileSpec& spec);
  template <typename Description>
  bool RemoveAt(std::vector<std::unique_ptr<Description>>& list, const std::vector<std::size_t>& indices,
                bool deleteFiles, const ListFileSpec& spec);
  template <typename Description>
  bool ImportTemplates(LibraryKind kind, std::vector<std::unique_ptr<Description>>& list);
  std::string PathOf(std::string_view file) const;

  std::string folder_;
  LibraryUi& ui_;
  std::vector<std::unique_ptr<TECAccordDescription>> chords_;
  std::vector<std::unique_ptr<TECSymbolDescription>> symbols_;
  std::vector<std::unique_ptr<TECDrumDescription>> drums_;
  std::vector<TECTermDescription> terms_;
  TermNameTree termTree_;
};

}  // namespace nv::library
