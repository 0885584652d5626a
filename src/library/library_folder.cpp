#include "library/library_folder.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "library/list_entries.h"
#include "library/list_files.h"
#include "library/template_description.h"
#include "library/template_file.h"
#include "model/atomic_file_writer.h"

namespace nv::library {
namespace {

namespace fs = std::filesystem;

// Copies through the atomic save; returns the problem or "".
std::string CopyNew(const fs::path& from, const fs::path& to) {
  std::error_code error;
  if (fs::exists(to, error) || !fs::is_regular_file(from, error)) return "";
  try {
    WriteFileAtomically(to.string(), ReadTemplateFile(from.string()));
  } catch (const EStreamError& failure) {
    return std::string(failure.what()) + "\n";
  }
  return "";
}

}  // namespace

bool IsWritableFolder(const std::string& folder) {
  std::string probe = (fs::path(folder) / ".notavistra-XXXXXX").string();
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

std::string ChooseLibraryFolder(const std::string& programFolder, const char* xdgDataHome, const char* home) {
  if (IsWritableFolder(programFolder)) return programFolder;
  if (xdgDataHome && *xdgDataHome) return (fs::path(xdgDataHome) / "notavistra").string();
  return (fs::path(home && *home ? home : ".") / ".local" / "share" / "notavistra").string();
}

std::string SeedLibraryFolder(const std::string& folder, const std::string& defaultsFolder) {
  std::string problems;
  std::error_code error;
  fs::create_directories(fs::path(folder) / "Templates", error);
  if (error) return "Cannot create \"" + (fs::path(folder) / "Templates").string() + "\": " + error.message() + "\n";
  for (const ListFileSpec* list : {&kChordListFile, &kSymbolListFile, &kDrumListFile, &kTermListFile}) {
    if (fs::exists(fs::path(folder) / list->File, error)) continue;
    if (list->Kind) {
      const nv::platform::IniFile defaults((fs::path(defaultsFolder) / list->File).string());
      for (const std::string& name : ReadListEntries(defaults, list->Section, list->CountKey, list->Prefix)) {
        const std::string file = TemplateFileName(name, *list->Kind);
        problems += CopyNew(fs::path(TemplatesFolder(defaultsFolder)) / file, fs::path(TemplatesFolder(folder)) / file);
      }
    }
    problems += CopyNew(fs::path(defaultsFolder) / list->File, fs::path(folder) / list->File);
  }
  problems += CopyNew(fs::path(defaultsFolder) / kDrumMapFile, fs::path(folder) / kDrumMapFile);
  return problems;
}

}  // namespace nv::library
