#pragma once

#include <string>
#include <string_view>

namespace nv::document {

// Where the keyboard layouts are learnt from: the X server in the program,
// fixed texts in tests.
class KeyboardLayoutSource {
 public:
  virtual ~KeyboardLayoutSource() = default;
  // The XKB layout names joined by "," ("us,ru"); empty when there is no X
  // server to ask.
  virtual std::string LayoutNames() const = 0;
  // The user's locale ("ru_RU.UTF-8"), for when there are no layout names.
  virtual std::string Locale() const = 0;
};

// Whether one of the keyboard layouts (at most 64 are looked at) is Russian
// or Ukrainian: "ru" or "ua"/"uk" as a layout name (a variant in brackets
// or after ":" aside), else a locale whose language is "ru" or "uk".
bool HasRussianKeyboardLayout(const KeyboardLayoutSource& source);

// The interface language at start: the stored one when it is "RUS" or "ENU"
// (without case; the file's spelling is kept upper case), else "RUS" with a
// Russian or Ukrainian keyboard layout and "ENU" without.
std::string ChooseInterfaceLanguage(std::string_view stored, bool russianLayout);

}  // namespace nv::document
