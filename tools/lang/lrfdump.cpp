// Prints a language file: lrfdump FILE [FORM [N]].
// Header, form keys in byte order, their entries and numbered texts, in the
// form that `lrfc --normalize` prints a source.
#include <fstream>
#include <iostream>
#include <iterator>

#include "language_source.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::cerr << "usage: lrfdump FILE [FORM [N]]\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "lrfdump: " << argv[1] << ": cannot be read\n";
    return 1;
  }
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto file = nv::platform::ParseLanguageFile(bytes);
  if (file.status != nv::platform::LanguageFile::Status::Ok) {
    std::cerr << "lrfdump: " << nv::platform::DescribeLanguageFileProblem(file, argv[1]) << "\n";
    return 1;
  }
  const std::string form = argc > 2 ? argv[2] : "";
  const int text = argc > 3 ? std::atoi(argv[3]) : -1;
  std::cout << nv::lang::PrintLanguage({file.header1, file.format, file.header2}, nv::lang::ReadForms(file.image),
                                       form, text);
  return 0;
}
