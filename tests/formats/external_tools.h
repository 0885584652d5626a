#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

// Runs the picture tools that the install script brings (giflib's giftext,
// ImageMagick's identify, djpeg and Debian's python3 with PIL) on files the
// tests write, so that our pictures are judged by other programs.
namespace external_tools {

struct Result {
  int status = -1;
  std::string output;
};

inline Result Run(const std::string& command) {
  Result result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  result.status = pclose(pipe);
  return result;
}

// PIL's answer to a short script that gets the file name as sys.argv[1].
inline Result Pil(const std::string& script, const std::filesystem::path& file) {
  return Run("/usr/bin/python3 -c '" + script + "' '" + file.string() + "'");
}

inline std::filesystem::path WriteTemporary(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  // Test programs run side by side; the process id keeps their files apart.
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("notavistra-" + std::to_string(getpid()) + "-" + name);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace external_tools
