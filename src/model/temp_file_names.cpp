#include "model/temp_file_names.h"

#include <filesystem>
#include <random>
#include <system_error>

namespace {

constexpr int kCandidates = 100;

int RandomStart() {
  static std::mt19937 generator{std::random_device{}()};
  return std::uniform_int_distribution<int>(0, kCandidates - 1)(generator);
}

}  // namespace

std::string GetTempScoreFileName(const std::string& extension, const std::string& folder) {
  const int start = RandomStart();
  for (int i = 0; i < kCandidates; ++i) {
    const std::string name = "md" + std::to_string((start + i) % kCandidates);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(folder) / (name + extension), error) &&
        !error) {
      return name;
    }
  }
  throw ETempFileNameError("No free temporary file name in \"" + folder + "\"");
}
