#pragma once

#include <span>
#include <string>
#include <vector>

#include "document/recent_files.h"

namespace nv::document {

// What the program does with the scores named on its command line.
enum class CommandLineMode { kOpen, kPlay, kPrint };

struct CommandLine {
  CommandLineMode mode = CommandLineMode::kOpen;
  std::vector<std::string> files;  // existing ".sfd" files, in order
  friend bool operator==(const CommandLine&, const CommandLine&) = default;
};

// The arguments after the program's name: "/a" (play) and "/p" (print)
// without case, the last switch winning wherever it stands; each existing
// file whose extension is ".sfd" without case is a score to open; everything
// else is ignored.
CommandLine ParseCommandLine(std::span<const std::string> arguments, const FileExistsCall& exists = FileExists);

}  // namespace nv::document
