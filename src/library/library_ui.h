#pragma once

#include <string>
#include <vector>

namespace nv::library {

enum class LibraryKind { Chords, Symbols, Drums, Terms };

// What the libraries ask of the program's windows: the file dialog, the
// questions, the messages and the palettes. The application implements it
// with its own message box and language texts; tests answer in its place.
class LibraryUi {
 public:
  virtual ~LibraryUi() = default;

  // The template files the user picked to import; none when cancelled.
  virtual std::vector<std::string> ChooseTemplateFiles(LibraryKind kind) = 0;
  // An import's file does not exist.
  virtual void ReportMissingFile(const std::string& path) = 0;
  // An import's file is no template of its kind.
  virtual void ReportUnreadableTemplate(LibraryKind kind, const std::string& path, const std::string& reason) = 0;
  // A template of that name (chord: its GetName, symbol: its description)
  // exists: replace it?
  virtual bool AskReplaceTemplate(LibraryKind kind, const std::string& name) = 0;
  // Templates of a list that did not load and were left out, one message per
  // list, each naming the template and the reason.
  virtual void ReportDroppedTemplates(LibraryKind kind, const std::vector<std::string>& problems) = 0;
  // Dynamic or tempo terms whose name another term before them has.
  virtual void ReportDuplicateTerms(const std::vector<std::string>& names) = 0;
  // A library file that could not be written or read, with the reason.
  virtual void ReportError(const std::string& message) = 0;
  // The list of that kind changed: rebuild its palette and show its page.
  virtual void PaletteChanged(LibraryKind kind) = 0;
};

}  // namespace nv::library
