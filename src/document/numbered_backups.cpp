#include "document/numbered_backups.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>
#include <vector>

#include "document/program_settings.h"

namespace nv::document {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMark = ".v";
constexpr std::string_view kExtension = ".sfd";

// The number of a copy named base + ".v" + number + ".sfd"; 0 when the
// part between is no number.
int CopyNumber(const std::string& name, std::size_t baseLength) {
  const std::size_t first = baseLength + kMark.size();
  const std::string_view digits(name.data() + first, name.size() - first - kExtension.size());
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return error == std::errc() && end == digits.data() + digits.size() ? number : 0;
}

struct Copy {
  int number;
  fs::path path;
  bool operator<(const Copy& other) const { return number < other.number; }
};

// The copies of `base` in `folder`.
std::vector<Copy> Copies(const fs::path& folder, const std::string& base) {
  std::vector<Copy> copies;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() >= base.size() + kMark.size() + kExtension.size() && name.starts_with(base) &&
        name.compare(base.size(), kMark.size(), kMark) == 0 && name.ends_with(kExtension))
      copies.push_back({CopyNumber(name, base.size()), it->path()});
  }
  return copies;
}

}  // namespace

void NumberedBackups::BeforeReplace(const std::string& path) {
  made_.clear();
  stale_.clear();
  if (!settings_.SaveBackUp || path.find(kMark) != std::string::npos) return;
  const fs::path file(path);
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const std::string base = file.stem().string();

  std::vector<Copy> copies = Copies(folder, base);
  std::sort(copies.begin(), copies.end());
  const int next = copies.empty() ? 1 : std::max(1, copies.back().number + 1);
  const fs::path copy = folder / (base + std::string(kMark) + std::to_string(next) + std::string(kExtension));
  std::error_code error;
  if (fs::copy_file(file, copy, fs::copy_options::overwrite_existing, error)) made_ = copy.string();

  if (!settings_.LimitBackUp) return;
  const std::size_t keep = static_cast<std::size_t>(std::max(0, settings_.CountBackUp));
  // The found copies shrink below the count, so that with the new one
  // exactly the count remain (none but the new one for a count of 0 or less).
  auto oldest = copies.begin();
  for (std::size_t left = copies.size(); left > 0 && left >= keep; --left, ++oldest)
    stale_.push_back(oldest->path.string());
}

void NumberedBackups::AfterReplace(const std::string&, bool written) {
  std::error_code ignored;
  if (written)
    for (const std::string& copy : stale_) fs::remove(copy, ignored);
  else if (!made_.empty())
    fs::remove(made_, ignored);
  made_.clear();
  stale_.clear();
}

}  // namespace nv::document
