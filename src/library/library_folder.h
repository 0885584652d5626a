#pragma once

#include <string>

namespace nv::library {

// Whether files can be created in the folder, learnt by creating one (mode
// bits and mounts both have their say).
bool IsWritableFolder(const std::string& folder);

// Where the libraries live: beside the program when its folder is writable
// (a portable installation), else $XDG_DATA_HOME/notavistra, by default
// ~/.local/share/notavistra. Empty variables count as unset.
std::string ChooseLibraryFolder(const std::string& programFolder, const char* xdgDataHome, const char* home);

// Fills `folder` from the shipped defaults without touching anything the
// user has: a library whose list file is missing gets the list file and the
// templates it names; "DrumMap.ini" is copied when missing. Returns the
// problems met (a file that could not be copied, naming it and the reason).
std::string SeedLibraryFolder(const std::string& folder, const std::string& defaultsFolder);

}  // namespace nv::library
