#include "document/settings_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/message_prompt.h"

namespace nv::document {

namespace {

namespace fs = std::filesystem;

// Asked of the system and of the mode bits, since a privileged process is
// not stopped by the bits, yet a folder the installer made read-only is not
// to be written.
bool MayWriteFolder(const std::string& folder) {
  struct stat info{};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(folder.c_str(), W_OK) == 0;
}

platform::IniFile EmptyFileAt(const std::string& path) { return platform::IniFile::FromText(path, ""); }

}  // namespace

std::string ChooseSettingsPath(const std::string& programFolder, const char* xdgConfigHome, const char* home) {
  if (MayWriteFolder(programFolder)) return (fs::path(programFolder) / kSettingsFileName).string();
  const fs::path base = xdgConfigHome && *xdgConfigHome ? fs::path(xdgConfigHome)
                                                         : fs::path(home && *home ? home : ".") / ".config";
  const fs::path folder = base / "Notavistra";
  std::error_code error;
  fs::create_directories(folder, error);  // a failure shows when the file is saved
  return (folder / kSettingsFileName).string();
}

SettingsFile::SettingsFile(std::string path, platform::MessagePrompt& prompt, const platform::FormTexts& texts)
    : ini_(path) {
  std::string problem = ini_.LoadError();
  if (problem.empty() && ini_.Text().find('\0') != std::string::npos)
    problem = "\"" + path + "\" is not a settings file";
  if (problem.empty()) return;
  usable_ = false;
  ini_ = EmptyFileAt(path);
  platform::ShowErrorMessage(prompt, texts,
                             problem + ". The program starts with its default settings and leaves the file as it is.");
}

ProgramSettings SettingsFile::ReadMainSettings(ProgramSettings defaults) const {
  ReadProgramSettings(ini_, defaults);
  return defaults;
}

void SettingsFile::WriteMainSettings(const ProgramSettings& settings) { WriteProgramSettings(settings, ini_); }

bool SettingsFile::Save(platform::MessagePrompt& prompt, const platform::FormTexts& texts,
                        const platform::FileCalls& calls) const {
  if (!usable_) return false;
  try {
    ini_.Save(calls);
    return true;
  } catch (const platform::FileReplaceError& failure) {
    platform::ShowErrorMessage(prompt, texts,
                               std::string(failure.what()) + ". The settings of this session are not saved.");
    return false;
  }
}

}  // namespace nv::document
