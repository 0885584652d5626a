#include "library/library_store.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "library/default_drum_styles.h"
#include "library/list_entries.h"
#include "model/atomic_file_writer.h"
#include "model/memory_stream.h"
#include "model/text_encoding.h"
#include "platform/text_case.h"

namespace nv::library {
namespace {

namespace fs = std::filesystem;
using nv::platform::IniFile;
using nv::platform::SameTextIgnoringCase;

template <typename Description>
void RemoveByName(std::vector<std::unique_ptr<Description>>& list, std::string_view name) {
  std::erase_if(list, [&](const auto& entry) { return SameTextIgnoringCase(entry->Name, name); });
}

template <typename Description>
bool HasName(const std::vector<std::unique_ptr<Description>>& list, std::string_view name) {
  return std::ranges::any_of(list, [&](const auto& entry) { return SameTextIgnoringCase(entry->Name, name); });
}

// What the replace question names: a chord by its spelled name, a symbol by
// its description.
std::string QuestionName(const TECAccordDescription& chord) { return chord.GetName(); }
std::string QuestionName(const TECSymbolDescription& symbol) { return symbol.Description; }

}  // namespace

LibraryStore::LibraryStore(std::string folder, LibraryUi& ui) : folder_(std::move(folder)), ui_(ui) {}

std::string LibraryStore::PathOf(std::string_view file) const { return (fs::path(folder_) / file).string(); }

template <typename Description>
void LibraryStore::LoadList(std::vector<std::unique_ptr<Description>>& list, const std::string& listFile,
                            const ListFileSpec& spec) {
  const IniFile file(PathOf(listFile));
  if (!file.LoadError().empty()) ui_.ReportError(file.LoadError());
  list.clear();
  for (const std::string& value : ReadListEntries(file, spec.Section, spec.CountKey, spec.Prefix)) {
    auto entry = std::make_unique<Description>();
    entry->Name = DecodeStoredText(value, LegacyTextCodePage());
    entry->Loaded = false;
    if (FindTemplateFile(folder_, TemplateFileName(entry->Name, entry->Kind()))) list.push_back(std::move(entry));
  }
}

template <typename Description>
bool LibraryStore::SaveList(const std::vector<std::unique_ptr<Description>>& list, const ListFileSpec& spec) {
  std::vector<std::string> names;
  for (const auto& entry : list) names.push_back(entry->Name);
  try {
    IniFile file(PathOf(spec.File));
    WriteListEntries(file, spec.Section, spec.CountKey, spec.Prefix, names);
    file.Save();
  } catch (const nv::platform::FileReplaceError& error) {
    ui_.ReportError(error.what());
    return false;
  } catch (const std::invalid_argument& error) {
    ui_.ReportError(PathOf(spec.File) + ": " + error.what());
    return false;
  }
  return true;
}

void LibraryStore::LoadChordLibrary(const std::string& listFile) {
  LoadList(chords_, listFile, kChordListFile);
}
void LibraryStore::LoadChordLibraryAtStartUp(const std::string& settingsFile) {
  const IniFile settings(PathOf(settingsFile));
  const bool older = settings.ReadInteger(kChordListFile.Section, kChordListFile.CountKey, 0) >= 1;
  LoadChordLibrary(older ? settingsFile : std::string(kChordListFile.File));
}

void LibraryStore::LoadSymbolLibrary(const std::string& listFile) {
  LoadList(symbols_, listFile, kSymbolListFile);
}
void LibraryStore::LoadDrumLibrary(const std::string& listFile) {
  LoadList(drums_, listFile, kDrumListFile);
}
bool LibraryStore::SaveChordLibrary() { return SaveList(chords_, kChordListFile); }
bool LibraryStore::SaveSymbolLibrary() { return SaveList(symbols_, kSymbolListFile); }
bool LibraryStore::SaveDrumLibrary() { return SaveList(drums_, kDrumListFile); }

void LibraryStore::LoadTermLibrary(const std::string& listFile) {
  const IniFile file(PathOf(listFile));
  if (!file.LoadError().empty()) ui_.ReportError(file.LoadError());
  SetTerms(ReadTerms(file));
}

bool LibraryStore::SaveTermLibrary() {
  try {
    IniFile file(PathOf(kTermListFile.File));
    WriteTerms(file, terms_);
    file.Save();
  } catch (const nv::platform::FileReplaceError& error) {
    ui_.ReportError(error.what());
    return false;
  } catch (const ETermError& error) {
    ui_.ReportError(error.what());
    return false;
  }
  return true;
}

void LibraryStore::LoadAllTemplates() {
  const auto loadList = [&](auto& list, LibraryKind kind) {
    std::vector<std::string> problems;
    std::erase_if(list, [&](const auto& entry) {
      if (entry->Loaded) return false;
      try {
        entry->LoadTemplate(folder_);
        return false;
      } catch (const ETemplateFormatError& error) {
        problems.push_back(entry->Name + ": " + error.what());
      } catch (const EStreamError& error) {
        problems.push_back(entry->Name + ": " + error.what());
      }
      return true;
    });
    if (!problems.empty()) ui_.ReportDroppedTemplates(kind, problems);
  };
  loadList(chords_, LibraryKind::Chords);
  loadList(symbols_, LibraryKind::Symbols);
  loadList(drums_, LibraryKind::Drums);
}

void LibraryStore::AddChordToPalette(std::unique_ptr<TECAccordDescription> chord) {
  chords_.insert(chords_.begin(), std::move(chord));
  ui_.PaletteChanged(LibraryKind::Chords);
  SaveChordLibrary();
}

void LibraryStore::AddSymbolToPalette(std::unique_ptr<TECSymbolDescription> symbol) {
  symbols_.insert(symbols_.begin(), std::move(symbol));
  ui_.PaletteChanged(LibraryKind::Symbols);
  SaveSymbolLibrary();
}

void LibraryStore::RemoveChordByName(std::string_view name) { RemoveByName(chords_, name); }
void LibraryStore::RemoveSymbolByName(std::string_view name) { RemoveByName(symbols_, name); }

template <typename Description>
bool LibraryStore::RemoveAt(std::vector<std::unique_ptr<Description>>& list, const std::vector<std::size_t>& indices,
                            bool deleteFiles, const ListFileSpec& spec) {
  std::vector<bool> removed(list.size(), false);
  for (const std::size_t index : indices)
    if (index < list.size()) removed[index] = true;
  bool written = true;
  std::size_t at = 0;
  std::erase_if(list, [&](const auto& entry) {
    if (!removed[at++]) return false;
    if (!deleteFiles) return true;
    if (const auto file = FindTemplateFile(folder_, TemplateFileName(entry->Name, entry->Kind()))) {
      std::error_code error;
      if (!fs::remove(*file, error) && error) {
        ui_.ReportError(*file + ": " + error.message());
        written = false;
      }
    }
    return true;
  });
  return SaveList(list, spec) && written;
}

bool LibraryStore::RemoveChords(const std::vector<std::size_t>& indices, bool deleteFiles) {
  return RemoveAt(chords_, indices, deleteFiles, kChordListFile);
}
bool LibraryStore::RemoveSymbols(const std::vector<std::size_t>& indices, bool deleteFiles) {
  return RemoveAt(symbols_, indices, deleteFiles, kSymbolListFile);
}

namespace {
template <typename List>
void MoveToFront(List& list, std::size_t index) {
  if (index < list.size()) std::rotate(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(index),
                                       list.begin() + static_cast<std::ptrdiff_t>(index) + 1);
}
}  // namespace

void LibraryStore::MoveChordToFront(std::size_t index) { MoveToFront(chords_, index); }
void LibraryStore::MoveSymbolToFront(std::size_t index) { MoveToFront(symbols_, index); }
void LibraryStore::MoveTermToFront(std::size_t index) {
  MoveToFront(terms_, index);
  // The tree points into the list; its duplicates were reported on loading.
  BuildTermTree(termTree_, terms_);
}

template <typename Description>
bool LibraryStore::ImportTemplates(LibraryKind kind, std::vector<std::unique_ptr<Description>>& list) {
  bool taken = false;
  for (const std::string& chosen : ui_.ChooseTemplateFiles(kind)) {
    std::error_code error;
    if (!fs::is_regular_file(chosen, error)) {
      ui_.ReportMissingFile(chosen);
      break;
    }
    auto description = std::make_unique<Description>();
    description->Name = TemplateNameOfPath(chosen);
    std::vector<std::uint8_t> bytes;
    try {
      bytes = ReadTemplateFile(chosen);
      MemoryStream stream(bytes);
      description->LoadFromStream(stream);
    } catch (const ETemplateFormatError& failure) {
      ui_.ReportUnreadableTemplate(kind, chosen, failure.what());
      break;
    } catch (const EStreamError& failure) {
      ui_.ReportUnreadableTemplate(kind, chosen, failure.what());
      break;
    }
    const std::string fileName = TemplateFileName(description->Name, description->Kind());
    const std::string target =
        FindTemplateFile(folder_, fileName).value_or((fs::path(TemplatesFolder(folder_)) / fileName).string());
    if (fs::exists(target, error) && fs::equivalent(chosen, target, error)) {
      // The chosen file is the library's own: nothing to copy.
      if (!HasName(list, description->Name)) {
        if constexpr (std::is_same_v<Description, TECAccordDescription>) AddChordToPalette(std::move(description));
        else AddSymbolToPalette(std::move(description));
      }
      taken = true;
      continue;
    }
    if (fs::exists(target, error)) {
      if (!ui_.AskReplaceTemplate(kind, QuestionName(*description))) break;
      RemoveByName(list, description->Name);
    }
    try {
      fs::create_directories(TemplatesFolder(folder_));
      WriteFileAtomically(target, bytes);
    } catch (const EStreamError& failure) {
      ui_.ReportError(failure.what());
      break;
    } catch (const fs::filesystem_error& failure) {
      ui_.ReportError(failure.what());
      break;
    }
    if constexpr (std::is_same_v<Description, TECAccordDescription>) AddChordToPalette(std::move(description));
    else AddSymbolToPalette(std::move(description));
    taken = true;
  }
  return taken;
}

bool LibraryStore::AddChordTemplates() { return ImportTemplates(LibraryKind::Chords, chords_); }
bool LibraryStore::AddSymbolTemplates() { return ImportTemplates(LibraryKind::Symbols, symbols_); }

void LibraryStore::SetTerms(std::vector<TECTermDescription> terms) {
  terms_ = std::move(terms);
  const std::vector<std::string> duplicates = BuildTermTree(termTree_, terms_);
  if (!duplicates.empty()) ui_.ReportDuplicateTerms(duplicates);
}

void LibraryStore::SetTermValues(std::size_t index, int first, int second) {
  if (index >= terms_.size()) return;
  terms_[index].First = first;
  terms_[index].Second = second;
}

const TECTermDescription* LibraryStore::FindTermByName(std::string_view text) const {
  return termTree_.Find(TermKey(text));
}

bool LibraryStore::GetTerms(int kind, std::string_view text, int& first, int& second) const {
  return GetTermValues(termTree_, kind, text, first, second);
}

void LibraryStore::CreateDefaultDrumLibrary() {
  try {
    fs::create_directories(TemplatesFolder(folder_));
    for (auto& style : DefaultDrumStyles()) {
      style->SaveTemplate(folder_);
      RemoveByName(drums_, style->Name);
      drums_.push_back(std::move(style));
    }
  } catch (const EStreamError& error) {
    ui_.ReportError(error.what());
  } catch (const fs::filesystem_error& error) {
    ui_.ReportError(error.what());
  }
  SaveDrumLibrary();
}

DrumMapFile LibraryStore::LoadDrumMap() const { return DrumMapFile::Read(IniFile(PathOf(kDrumMapFile))); }

bool LibraryStore::SaveDrumMap(const DrumMapFile& map) {
  IniFile file(PathOf(kDrumMapFile));
  map.Write(file);
  try {
    file.Save();
  } catch (const nv::platform::FileReplaceError& error) {
    ui_.ReportError(error.what());
    return false;
  }
  return true;
}

}  // namespace nv::library
