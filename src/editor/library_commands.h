#pragma once

#include <functional>

namespace nv::document {
class CommandRegistry;
class ScoreDocument;
class ToolState;
}  // namespace nv::document

namespace nv::library {
class LibraryStore;
struct ChordBuilder;
}  // namespace nv::library

namespace nv::editor {

// What the library pages' commands act on. All outlive the registry's use.
struct LibraryCommandContext {
  nv::library::LibraryStore& Store;
  nv::library::ChordBuilder& Builder;
  nv::document::ToolState& Tools;
  // The active document; null with none.
  std::function<nv::document::ScoreDocument*()> ActiveDocument;
};

// Command ids. Those with an index take it as their one argument: the
// template's place in its library list.
namespace library_command {
inline constexpr const char* InsertBuiltChord = "chords.insert-built";
inline constexpr const char* RemoveChord = "chords.remove";
inline constexpr const char* InsertChordTemplate = "chords.insert-template";
inline constexpr const char* ChooseSymbol = "symbols.choose";
inline constexpr const char* ChooseTerm = "terms.choose";
// The chord and symbol list dialogs, which the program adds.
inline constexpr const char* ChordList = "chords.list";
inline constexpr const char* SymbolList = "symbols.list";
}  // namespace library_command

// The chords page inserts at the cursor of the active document: the
// builder's chord, a template (as notes on the builder's root or as a chord
// symbol) or nothing (the chord there removed); these are enabled only with
// a document. A symbol or a term becomes the insertion tool, with or
// without a document.
void AddLibraryCommands(nv::document::CommandRegistry& registry, LibraryCommandContext context);

}  // namespace nv::editor
