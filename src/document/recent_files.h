#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace nv::platform {
class IniFile;
}

namespace nv::document {

// One entry of the "Reopen" menu.
struct RecentFile {
  int number = 0;  // shown before the path; the key's number right after loading
  std::string path;
  std::chrono::year_month_day date;
  friend bool operator==(const RecentFile&, const RecentFile&) = default;
};

// Whether a file exists; tests give their own.
using FileExistsCall = std::function<bool(const std::string& path)>;
bool FileExists(const std::string& path);

// The recently closed score files, newest first, kept in section [Reopen] of
// the settings file. Paths are compared exactly (see CanonicalPath).
class RecentFiles {
 public:
  static constexpr std::size_t kMaxItems = 20;
  static constexpr int kMaxEntries = 19;

  const std::vector<RecentFile>& Items() const { return items_; }

  // Replaces the list with [Reopen]: with ReopenCount below 0 (or missing)
  // Reopen0, Reopen1, ... up to the first missing or empty key, else
  // Reopen0 to Reopen(ReopenCount - 1) skipping the empty ones. An entry is
  // "DD/MM/YYYY,path"; a date that does not parse is `today`.
  void Load(const platform::IniFile& file, std::chrono::year_month_day today);

  // Writes [Reopen]: first the open documents' files (in tab order, not
  // "Untitled.sfd", existing) dated `today`, then the items, at most 19
  // entries, then ReopenCount.
  void Save(platform::IniFile& file, std::span<const std::string> openDocuments, std::chrono::year_month_day today,
            const FileExistsCall& exists = FileExists) const;

  // A closed document's file goes to the top dated `today`, unless it is
  // "Untitled.sfd", does not exist or is listed already (which keeps its
  // place and date); the list keeps 20 items. Returns whether it changed.
  bool Add(const std::string& path, std::chrono::year_month_day today, const FileExistsCall& exists = FileExists);

  // Takes out every item of this path (a file being opened).
  bool Remove(const std::string& path);
  // Takes out the item at `index` (a clicked entry).
  void RemoveAt(std::size_t index);

  // "n path": the number, one blank and the path, shown literally.
  static std::string Caption(const RecentFile& item);

 private:
  void Renumber();

  std::vector<RecentFile> items_;
};

}  // namespace nv::document
