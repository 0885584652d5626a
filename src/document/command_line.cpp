#include "document/command_line.h"

#include "platform/text_case.h"

namespace nv::document {

namespace {

bool HasScoreExtension(const std::string& path) {
  constexpr std::string_view kExtension = ".sfd";
  return path.size() > kExtension.size() &&
         platform::SameTextIgnoringCase(std::string_view(path).substr(path.size() - kExtension.size()), kExtension);
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> arguments, const FileExistsCall& exists) {
  CommandLine line;
  for (const std::string& argument : arguments) {
    if (platform::SameTextIgnoringCase(argument, "/a"))
      line.mode = CommandLineMode::kPlay;
    else if (platform::SameTextIgnoringCase(argument, "/p"))
      line.mode = CommandLineMode::kPrint;
    else if (HasScoreExtension(argument) && exists(argument))
      line.files.push_back(argument);
  }
  return line;
}

}  // namespace nv::document
