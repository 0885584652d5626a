#include "widgets/logic/popup_menu_model.h"

#include <algorithm>

namespace nv::widgets {

void PopupMenuModel::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (items_.empty())
    hot_ = -1;
  else
    hot_ = std::clamp(hot_, 0, static_cast<int>(items_.size()) - 1);
}

int PopupMenuModel::Height() const { return lineHeight_ * static_cast<int>(items_.size()) + 4 + FooterHeight(); }

std::optional<int> PopupMenuModel::LineAt(int y) const {
  if (y < 0 || lineHeight_ <= 0) return std::nullopt;
  const int line = y / lineHeight_;
  if (line >= static_cast<int>(items_.size())) return std::nullopt;
  return line;
}

bool PopupMenuModel::HoverAt(int y) {
  const std::optional<int> line = LineAt(y);
  if (!line || *line == hot_) return false;
  hot_ = *line;
  return true;
}

std::string HistoryFooterText(const std::string& verb, int steps, const std::string& noun) {
  return verb + " " + std::to_string(steps) + " " + noun;
}

}  // namespace nv::widgets
