#pragma once

#include <string>
#include <string_view>

namespace nv::platform {

// The numbered texts of the interface language, by form key ("FProgramModule",
// "FMusicEditor", "FMessageBlock") and number, for code that shows messages
// without Qt. "" when the language has no such text.
class FormTexts {
 public:
  virtual ~FormTexts() = default;
  virtual std::string GetString(std::string_view formKey, int n) const = 0;
};

// The form keys whose numbered texts the code outside the windows uses.
namespace form_key {
inline constexpr char kMainWindow[] = "FProgramModule";
inline constexpr char kDocumentWindow[] = "FMusicEditor";
inline constexpr char kMessageBox[] = "FMessageBlock";
}  // namespace form_key

}  // namespace nv::platform
