#pragma once

#include <string>

#include "document/program_settings.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"

namespace nv::platform {
class FormTexts;
class MessagePrompt;
}  // namespace nv::platform

namespace nv::document {

inline constexpr char kSettingsFileName[] = "ProgramSetting.ini";

// Where the settings file lies, chosen once at start: beside the program when
// its folder may be written (a portable installation), else in
// $XDG_CONFIG_HOME/Notavistra (by default ~/.config/Notavistra), which is
// created. Empty variables count as unset.
std::string ChooseSettingsPath(const std::string& programFolder, const char* xdgConfigHome, const char* home);

// The one settings file of the program, which every window reads and writes
// its sections through.
//
// A file that exists but cannot be used (not readable, a folder, or bytes
// that are no text file: a NUL byte) gives the defaults and one message, and
// is kept as it is: Save never replaces it.
class SettingsFile {
 public:
  SettingsFile(std::string path, platform::MessagePrompt& prompt, const platform::FormTexts& texts);

  const std::string& Path() const { return ini_.Path(); }
  bool Usable() const { return usable_; }
  platform::IniFile& Ini() { return ini_; }
  const platform::IniFile& Ini() const { return ini_; }

  // The main window's values as the file holds them over `defaults`.
  ProgramSettings ReadMainSettings(ProgramSettings defaults = {}) const;

  // Writes the main window's values into the file's text; Save puts it on disk.
  void WriteMainSettings(const ProgramSettings& settings);

  // Replaces the file on disk. A failure leaves the old file intact and says
  // so in one message naming the file and the reason; returns false then,
  // and also for a file that could not be used (which was said at start).
  bool Save(platform::MessagePrompt& prompt, const platform::FormTexts& texts,
            const platform::FileCalls& calls = platform::SystemFileCalls()) const;

 private:
  platform::IniFile ini_;
  bool usable_ = true;
};

}  // namespace nv::document
