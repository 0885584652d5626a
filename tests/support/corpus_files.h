#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

// The files of a fuzzing corpus, for the tests that put each through what
// its fuzz target does.
namespace corpus_files {

using Bytes = std::vector<std::uint8_t>;

// Every file of `folder` as its name and bytes, in the folder's order.
inline std::vector<std::pair<std::string, Bytes>> ReadFolder(const std::filesystem::path& folder) {
  std::vector<std::pair<std::string, Bytes>> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    files.emplace_back(entry.path().filename().string(),
                       Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
  }
  return files;
}

}  // namespace corpus_files
