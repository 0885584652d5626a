#include "document/recent_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "document/date_time_format.h"
#include "document/file_paths.h"
#include "platform/ini_file.h"

namespace nv::document {

namespace {

constexpr char kSection[] = "Reopen";
constexpr char kCountKey[] = "ReopenCount";
constexpr std::size_t kDateLength = 10;

std::string EntryKey(int k) { return "Reopen" + std::to_string(k); }

// "DD/MM/YYYY,path": the path from the 12th character on.
RecentFile ParseEntry(int number, const std::string& entry, std::chrono::year_month_day today) {
  const auto date = ProgramDateTimeFormat().ParseDate(std::string_view(entry).substr(0, kDateLength));
  return {number, entry.size() > kDateLength + 1 ? entry.substr(kDateLength + 1) : std::string(), date.value_or(today)};
}

}  // namespace

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

void RecentFiles::Load(const platform::IniFile& file, std::chrono::year_month_day today) {
  items_.clear();
  const int count = file.ReadInteger(kSection, kCountKey, -1);
  const int last = count < 0 ? static_cast<int>(kMaxItems) : std::min(count, static_cast<int>(kMaxItems));
  for (int k = 0; k < last; ++k) {
    const std::string entry = file.ReadString(kSection, EntryKey(k), "");
    if (entry.empty()) {
      if (count < 0) break;
      continue;
    }
    RecentFile item = ParseEntry(k, entry, today);
    if (!item.path.empty()) items_.push_back(std::move(item));
  }
}

void RecentFiles::Save(platform::IniFile& file, std::span<const std::string> openDocuments,
                       std::chrono::year_month_day today, const FileExistsCall& exists) const {
  for (int k = 0; k < static_cast<int>(kMaxItems); ++k) file.DeleteKey(kSection, EntryKey(k));
  const DateTimeFormat& format = ProgramDateTimeFormat();
  int k = 0;
  for (const std::string& path : openDocuments) {
    if (k >= kMaxEntries) break;
    if (IsUntitledName(path) || !exists(path)) continue;
    file.WriteString(kSection, EntryKey(k++), format.FormatDate(today) + "," + path);
  }
  for (const RecentFile& item : items_) {
    if (k >= kMaxEntries) break;
    file.WriteString(kSection, EntryKey(k++), format.FormatDate(item.date) + "," + item.path);
  }
  file.WriteInteger(kSection, kCountKey, k);
}

bool RecentFiles::Add(const std::string& path, std::chrono::year_month_day today, const FileExistsCall& exists) {
  if (IsUntitledName(path) || !exists(path)) return false;
  if (std::ranges::any_of(items_, [&](const RecentFile& item) { return item.path == path; })) return false;
  items_.insert(items_.begin(), RecentFile{0, path, today});
  if (items_.size() > kMaxItems) items_.resize(kMaxItems);
  Renumber();
  return true;
}

bool RecentFiles::Remove(const std::string& path) {
  const auto removed = std::erase_if(items_, [&](const RecentFile& item) { return item.path == path; });
  Renumber();
  return removed > 0;
}

void RecentFiles::RemoveAt(std::size_t index) {
  if (index >= items_.size()) return;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  Renumber();
}

std::string RecentFiles::Caption(const RecentFile& item) { return std::to_string(item.number) + " " + item.path; }

void RecentFiles::Renumber() {
  int number = 0;
  for (RecentFile& item : items_) item.number = number++;
}

}  // namespace nv::document
