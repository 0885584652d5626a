#pragma once

#include <stdexcept>
#include <string>

class EmidioutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EMidiInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The port layer's text for a result code, or "Specified error number is out
// of range" for a code it does not know.
std::string MidiErrorMessage(int code);
