#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

// Runs a shell command for the tests that call outside tools, and gives
// back its exit status (-1 when it did not end normally) and everything it
// wrote to standard output and standard error.
struct CommandResult {
  int Status = -1;
  std::string Output;
};

inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer;
  std::size_t count;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.Output.append(buffer.data(), count);
  const int status = ::pclose(pipe);
  if (status != -1 && WIFEXITED(status)) result.Status = WEXITSTATUS(status);
  return result;
}

// A word for the shell, whatever characters it holds.
inline std::string ShellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}
