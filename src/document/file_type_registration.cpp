#include "document/file_type_registration.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <sstream>
#include <system_error>

#include "platform/atomic_file.h"

extern char** environ;

namespace nv::document {

namespace {

namespace fs = std::filesystem;

// The program's path as one argument of an Exec key: quoted, with the
// characters that quoting reserves escaped, and each "\" and "%" doubled as
// the key's string syntax and field codes want.
std::string ExecProgram(const std::string& executable) {
  std::string quoted = "\"";
  for (const char c : executable) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += "\\\\";  // the quoting's "\", doubled
    if (c == '\\')
      quoted += "\\\\";
    else if (c == '%')
      quoted += "%%";
    else
      quoted += c;
  }
  return quoted + "\"";
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes `text` at `path` unless it holds it already; returns whether it
// wrote, and adds a failure to `problems`.
bool WriteIfChanged(const fs::path& path, const std::string& text, std::string& problems) {
  std::error_code error;
  if (fs::is_regular_file(path, error) && ReadAll(path) == text) return false;
  fs::create_directories(path.parent_path(), error);
  try {
    platform::ReplaceFileAtomically(path.string(),
                                    std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return true;
  } catch (const platform::FileReplaceError& failure) {
    problems += std::string(failure.what()) + "\n";
    return false;
  }
}

}  // namespace

bool RunInstalledTool(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ScoreMimePackage() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"application/x-notavistra-score\">\n"
         "    <comment>Notavistra Files</comment>\n"
         "    <icon name=\"application-x-notavistra-score\"/>\n"
         "    <glob pattern=\"*.sfd\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string DesktopEntry(const std::string& executable) {
  const std::string program = ExecProgram(executable);
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Notavistra\n"
         "Comment=Write, play and print scores\n"
         "Exec=" + program + " %f\n"
         "Icon=notavistra\n"
         "Terminal=false\n"
         "Categories=AudioVideo;Audio;Music;\n"
         "MimeType=application/x-notavistra-score;\n"
         "Actions=Play;Print;\n"
         "\n"
         "[Desktop Action Play]\n"
         "Name=Play\n"
         "Exec=" + program + " /a %f\n"
         "\n"
         "[Desktop Action Print]\n"
         "Name=Print\n"
         "Exec=" + program + " /p %f\n";
}

std::string RegisterFileType(const fs::path& dataHome, const std::string& executable, const std::string& iconSvg,
                             const ToolRunner& run) {
  std::string problems;
  const fs::path icons = dataHome / "icons" / "hicolor" / "scalable";
  const bool mimeChanged = WriteIfChanged(dataHome / "mime" / "packages" / "notavistra.xml", ScoreMimePackage(), problems);
  const bool desktopChanged =
      WriteIfChanged(dataHome / "applications" / "notavistra.desktop", DesktopEntry(executable), problems);
  if (iconSvg.empty()) {
    problems += "The icon is missing from the data folder\n";
  } else {
    WriteIfChanged(icons / "apps" / "notavistra.svg", iconSvg, problems);
    WriteIfChanged(icons / "mimetypes" / "application-x-notavistra-score.svg", iconSvg, problems);
  }
  if (mimeChanged) run({"update-mime-database", (dataHome / "mime").string()});
  if (desktopChanged) run({"update-desktop-database", (dataHome / "applications").string()});
  return problems;
}

fs::path UserDataHome(const char* xdgDataHome, const char* home) {
  if (xdgDataHome && *xdgDataHome) return xdgDataHome;
  return fs::path(home && *home ? home : ".") / ".local" / "share";
}

}  // namespace nv::document
