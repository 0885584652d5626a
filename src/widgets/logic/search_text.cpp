#include "widgets/logic/search_text.h"

#include <cctype>

namespace nv::widgets {

namespace {

bool StartsWithNoCase(std::string_view item, std::string_view prefix) {
  if (item.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(item[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

}  // namespace

int SearchText::Type(char c, const std::vector<std::string>& items) {
  const std::int64_t now = clock_.NowMs();
  if (!typed_ || now - lastKey_ > kResetMs) text_.clear();
  typed_ = true;
  lastKey_ = now;
  if (text_.size() < kMaxLength) text_ += c;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (StartsWithNoCase(items[i], text_)) return static_cast<int>(i);
  return -1;
}

}  // namespace nv::widgets
