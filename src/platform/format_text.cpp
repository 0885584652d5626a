#include "platform/format_text.h"

namespace nv::platform {

std::string FormatText(std::string_view text, std::string_view arg) {
  const auto at = text.find("%s");
  if (at == std::string_view::npos) return std::string(text) + " " + std::string(arg);
  return std::string(text.substr(0, at)) + std::string(arg) + std::string(text.substr(at + 2));
}

}  // namespace nv::platform
