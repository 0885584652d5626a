#include "library/template_save.h"

#include <algorithm>
#include <filesystem>

#include "library/accord_description.h"
#include "library/library_store.h"
#include "library/symbol_description.h"
#include "model/memory_stream.h"
#include "model/stream.h"
#include "platform/text_case.h"

namespace nv::library {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFileNameLabel = "File name";
constexpr const char* kGroupLabel = "Group";

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string WithExtension(const std::string& path, const TemplateKind& kind) {
  fs::path file(path);
  if (!nv::platform::SameTextIgnoringCase(file.extension().string(), kind.Extension)) file += kind.Extension;
  return file.string();
}

// The common order of both editors: check, ask, then write.
template <typename Description, typename Take, typename RemoveNamed>
TemplateSaveResult Save(Description& description, const std::string& fileName, std::vector<std::string> missing,
                        const TemplateEditorMode& mode, LibraryStore& store, TemplateSaveUi& ui, Take take,
                        RemoveNamed removeNamed) {
  if (!missing.empty()) {
    ui.ReportMissingFields(missing);
    return TemplateSaveResult::StayOpen;
  }
  try {
    if (mode.Browse) {
      // A copy elsewhere: the library's template stays as it was.
      Description copy;
      copy.Name = description.Name;
      MemoryStream stream(description.Bytes());
      copy.LoadFromStream(stream);
      take(copy);
      copy.SaveToFile(WithExtension(mode.BrowsePath, copy.Kind()));
      return TemplateSaveResult::SavedToFile;
    }
    if (mode.FileNameVisible) {
      if (const auto existing = FindTemplateFile(store.Folder(), TemplateFileName(fileName, description.Kind()))) {
        if (!ui.AskOverwrite(*existing)) return TemplateSaveResult::StayOpen;
        removeNamed(fileName);
      }
    }
    take(description);
    if (mode.FileNameVisible) description.Name = fileName;
    fs::create_directories(TemplatesFolder(store.Folder()));
    description.SaveTemplate(store.Folder());
  } catch (const EStreamError& error) {
    ui.ReportError(error.what());
    return TemplateSaveResult::StayOpen;
  } catch (const fs::filesystem_error& error) {
    ui.ReportError(error.what());
    return TemplateSaveResult::StayOpen;
  }
  return TemplateSaveResult::SavedTemplate;
}

}  // namespace

std::string SafeTemplateName(std::string_view typed) {
  std::string name = Trimmed(typed);
  const bool unsafe = name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
                      name.find("..") != std::string::npos ||
                      std::any_of(name.begin(), name.end(), [](char c) {
                        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
                      });
  return unsafe ? std::string() : name;
}

TemplateSaveResult SaveChordTemplate(TECAccordDescription& chord, const ChordEditorValues& values,
                                     const TemplateEditorMode& mode, LibraryStore& store, TemplateSaveUi& ui) {
  const std::string fileName = SafeTemplateName(values.FileName);
  std::vector<std::string> missing;
  if (mode.FileNameVisible && !mode.Browse && fileName.empty()) missing.push_back(kFileNameLabel);
  return Save(
      chord, fileName, missing, mode, store, ui,
      [&](TECAccordDescription& target) {
        target.Pieces = values.Pieces;
        target.Description = values.Description;
        target.Group = values.Group;
        target.FixedOctave = values.FixedOctave ? 1 : 0;
      },
      [&](const std::string& name) { store.RemoveChordByName(name); });
}

TemplateSaveResult SaveSymbolTemplate(TECSymbolDescription& symbol, const SymbolEditorValues& values,
                                      const TemplateEditorMode& mode, LibraryStore& store, TemplateSaveUi& ui) {
  const std::string fileName = SafeTemplateName(values.FileName);
  std::vector<std::string> missing;
  if (Trimmed(values.Group).empty()) missing.push_back(kGroupLabel);
  if (mode.FileNameVisible && !mode.Browse && fileName.empty()) missing.push_back(kFileNameLabel);
  return Save(
      symbol, fileName, missing, mode, store, ui,
      [&](TECSymbolDescription& target) {
        target.Description = values.Description;
        target.Group = values.Group;
      },
      [&](const std::string& name) { store.RemoveSymbolByName(name); });
}

std::vector<std::string> LibraryGroups(const std::vector<std::string>& groups) {
  std::vector<std::string> unique;
  for (const std::string& group : groups) {
    if (group.empty()) continue;
    const bool known = std::any_of(unique.begin(), unique.end(), [&](const std::string& seen) {
      return nv::platform::SameTextIgnoringCase(seen, group);
    });
    if (!known) unique.push_back(group);
  }
  return unique;
}

int RowAfterRefill(int previous, int count) {
  if (count <= 0) return -1;
  if (previous < 0) return 0;
  return previous < count ? previous : count - 1;
}

}  // namespace nv::library
