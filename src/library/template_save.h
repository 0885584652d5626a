#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/measure_items.h"

namespace nv::library {

class LibraryStore;
class TECAccordDescription;
class TECSymbolDescription;

// A "File name" as the template editors take it: trimmed; refused (empty)
// when nothing is left or it holds "/", "\", "..", or a control character,
// which would name a file outside "Templates".
std::string SafeTemplateName(std::string_view typed);

// How a template editor saves: with the file name shown (a new template)
// or hidden (a library entry edited under its own name), and in browse mode
// to a path the user chose instead of into "Templates".
struct TemplateEditorMode {
  bool FileNameVisible = true;
  bool Browse = false;
  std::string BrowsePath;  // browse mode: the file chosen
};

// What the editor's fields hold. Chords: the pieces after the root piece "X".
struct ChordEditorValues {
  std::vector<TECChordPiece> Pieces;
  std::string Description;
  std::string Group;
  std::string FileName;
  bool FixedOctave = true;
};
struct SymbolEditorValues {
  std::string Description;
  std::string Group;
  std::string FileName;
};

// The editor's messages and question.
class TemplateSaveUi {
 public:
  virtual ~TemplateSaveUi() = default;
  // Required fields left empty (or a file name refused), by their labels.
  virtual void ReportMissingFields(const std::vector<std::string>& labels) = 0;
  // A template of that file exists in "Templates": overwrite it?
  virtual bool AskOverwrite(const std::string& path) = 0;
  virtual void ReportError(const std::string& message) = 0;
};

enum class TemplateSaveResult {
  StayOpen,       // a field refused, the question answered No, or the write failed
  SavedToFile,    // browse mode: the chosen file written, the library unchanged
  SavedTemplate,  // written into "Templates": the caller adds or updates the entry
};

// The editors' "Save". The template takes the values only once it is sure
// to be written; a template of the same name leaves the library first when
// the overwrite is confirmed.
TemplateSaveResult SaveChordTemplate(TECAccordDescription& chord, const ChordEditorValues& values,
                                     const TemplateEditorMode& mode, LibraryStore& store, TemplateSaveUi& ui);
// Symbols need a group as well as a file name.
TemplateSaveResult SaveSymbolTemplate(TECSymbolDescription& symbol, const SymbolEditorValues& values,
                                      const TemplateEditorMode& mode, LibraryStore& store, TemplateSaveUi& ui);

// The groups a library uses, each once (the first spelling), ignoring case.
std::vector<std::string> LibraryGroups(const std::vector<std::string>& groups);

// The row a list selects after a refill: the one selected before, the last
// when the list became shorter, the first when none was; -1 for an empty list.
int RowAfterRefill(int previous, int count);

}  // namespace nv::library
