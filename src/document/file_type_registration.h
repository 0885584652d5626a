#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace nv::document {

inline constexpr char kScoreMimeType[] = "application/x-notavistra-score";

// Runs a program with its arguments if it is installed; returns whether it
// ran and exited with 0. Tests give their own.
using ToolRunner = std::function<bool(const std::vector<std::string>& command)>;
bool RunInstalledTool(const std::vector<std::string>& command);

// The three files that make ".sfd" files a type of their own on the desktop.
std::string ScoreMimePackage();
std::string DesktopEntry(const std::string& executable);

// Registers the score file type in the user's data folder `dataHome`
// ($XDG_DATA_HOME, by default ~/.local/share): the MIME package, the desktop
// entry with its Play ("/a") and Print ("/p") actions, and the icon `iconSvg`
// as the application's and the type's (an empty icon is reported, not
// written). A file is rewritten only when its content differs; when one was,
// update-mime-database and update-desktop-database run where installed.
// Returns what went wrong, one problem a line, or "".
std::string RegisterFileType(const std::filesystem::path& dataHome, const std::string& executable,
                             const std::string& iconSvg, const ToolRunner& run = RunInstalledTool);

// $XDG_DATA_HOME, else ~/.local/share. Empty variables count as unset.
std::filesystem::path UserDataHome(const char* xdgDataHome, const char* home);

}  // namespace nv::document
