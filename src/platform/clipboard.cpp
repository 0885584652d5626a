#include "platform/clipboard.h"

namespace nv::platform {
namespace {
Clipboard* installed = nullptr;
}

Clipboard* installedClipboard() { return installed; }
void installClipboard(Clipboard* clipboard) { installed = clipboard; }

bool MemoryClipboard::HasFormat(const std::string& format) const { return data_ && format_ == format; }

std::optional<std::vector<std::uint8_t>> MemoryClipboard::Data(const std::string& format) const {
  if (!HasFormat(format)) return std::nullopt;
  return data_;
}

bool MemoryClipboard::SetData(const std::string& format, const std::vector<std::uint8_t>& data) {
  if (RefuseNextSet) {
    RefuseNextSet = false;
    return false;
  }
  format_ = format;
  data_ = data;
  return true;
}

void MemoryClipboard::Clear() {
  format_.clear();
  data_.reset();
}

}  // namespace nv::platform
