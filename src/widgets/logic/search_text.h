#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/logic/tick_clock.h"

namespace nv::widgets {

// The drop-down list's incremental search: letters typed within 2 s of each
// other build one search text of at most 32 characters.
class SearchText {
 public:
  static constexpr int kResetMs = 2000;
  static constexpr std::size_t kMaxLength = 32;

  explicit SearchText(const TickClock& clock) : clock_(clock) {}

  // Adds a typed character (from space up) and returns the item to select:
  // the first that begins with the search text, ignoring case, or -1.
  int Type(char c, const std::vector<std::string>& items);
  void Clear() { text_.clear(); }
  const std::string& Text() const { return text_; }

 private:
  const TickClock& clock_;
  std::string text_;
  std::int64_t lastKey_ = 0;
  bool typed_ = false;
};

}  // namespace nv::widgets
