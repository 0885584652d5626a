#pragma once

#include <string>

#include "document/interface_language.h"

namespace nv::app {

// The services the program runs once at start, before its windows need them.

// Registers the music font from the data folder; when the file is missing
// or unusable, one message names it and the program goes on without it.
void LoadMusicFont();

// Makes ".sfd" files open, play and print with this program from the
// desktop (see RegisterFileType); a problem leaves one line on stderr.
void RegisterScoreFileType();

// The settings file's path: beside the program when its folder may be
// written, else in the user's configuration folder. Call once at start.
std::string ProgramSettingsPath();

// The libraries' folder: beside the program when its folder may be written,
// else the user's data folder ($XDG_DATA_HOME/notavistra). Call once at start.
std::string ProgramLibraryFolder();

// The help folders "English", "Russian" and "Deutsch" lie here.
std::string HelpRoot();

// The X server's XKB layout names, or the locale without an X server.
class SystemKeyboardLayouts : public document::KeyboardLayoutSource {
 public:
  std::string LayoutNames() const override;
  std::string Locale() const override;
};

}  // namespace nv::app
