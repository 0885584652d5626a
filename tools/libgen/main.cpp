// notavistra-libgen: writes the libraries the program ships, or prints a
// library file.
//   notavistra-libgen generate TABLES OUT   the tables' libraries into OUT (emptied first)
//   notavistra-libgen dump FILE             a template or list file, readably
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "library/default_libraries.h"
#include "library/library_dump.h"

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  try {
    if (mode == "generate" && argc == 4) {
      std::filesystem::remove_all(argv[3]);
      nv::library::WriteDefaultLibraries(argv[2], argv[3]);
      return 0;
    }
    if (mode == "dump" && argc == 3) {
      std::cout << nv::library::DumpLibraryFile(argv[2]);
      return 0;
    }
  } catch (const std::exception& error) {
    std::cerr << "notavistra-libgen: " << error.what() << "\n";
    return 1;
  }
  std::cerr << "usage: notavistra-libgen generate TABLES OUT | dump FILE\n";
  return 2;
}
