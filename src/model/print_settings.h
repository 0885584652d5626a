#pragma once

#include <stdexcept>

// What the print dialog chooses: the page range (numbered from 1; every page
// unless `PageRange` is set), the copies and whether they are collated.
struct TECPrintSettings {
  bool PageRange = false;
  int FromPage = 1;
  int ToPage = 1;
  int Copies = 1;
  bool Collate = false;
};

// Printing could not start; the message says why.
class EPrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
