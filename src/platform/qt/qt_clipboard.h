#pragma once

#include "platform/clipboard.h"

namespace nv::platform {

// The application's QClipboard: data goes out as QMimeData under the format
// as its MIME type, so that other programs (and other copies of this one)
// see it in the clipboard's target list.
class QtClipboard final : public Clipboard {
 public:
  bool HasFormat(const std::string& format) const override;
  std::optional<std::vector<std::uint8_t>> Data(const std::string& format) const override;
  bool SetData(const std::string& format, const std::vector<std::uint8_t>& data) override;
};

// Installs one QtClipboard as the process-wide clipboard; needs a
// QGuiApplication for as long as it is used.
void installQtClipboard();

}  // namespace nv::platform
