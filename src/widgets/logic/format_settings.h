#pragma once

#include <string>

namespace nv::widgets {

// How the fields write and read dates, times and numbers. One object serves
// every field; start-up sets it once, tests build their own.
struct FormatSettings {
  std::string shortDateFormat = "DD/MM/YYYY";
  std::string longTimeFormat = "HH:MM:SS";
  char dateSeparator = '/';
  char timeSeparator = ':';
  char decimalSeparator = '.';
  std::string currencyString = "$";

  // True when the long time format shows seconds ("s" or "S" in it).
  bool TimeHasSeconds() const;

  // The program's settings, read by every field that is given no other.
  static FormatSettings& Program();
};

}  // namespace nv::widgets
