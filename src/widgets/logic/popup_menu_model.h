#pragma once

#include <optional>
#include <string>
#include <vector>

namespace nv::widgets {

// The multi-step drop-down list without its window: the lines, the hot line
// (every line from the first to it is selected) and the geometry of lines
// h pixels high with an optional footer strip below them.
class PopupMenuModel {
 public:
  // The hot line becomes -1 for an empty list, else at least 0.
  void SetItems(std::vector<std::string> items);
  const std::vector<std::string>& Items() const { return items_; }
  int HotIndex() const { return hot_; }
  // How many lines are selected: the hot line and every one above it.
  int SelectedCount() const { return hot_ + 1; }

  void SetLineHeight(int h) { lineHeight_ = h; }
  int LineHeight() const { return lineHeight_; }
  void SetFooter(bool footer) { footer_ = footer; }
  bool HasFooter() const { return footer_; }

  // Nothing to show: no lines and no footer.
  bool Empty() const { return items_.empty() && !footer_; }
  // h × lines + 4, and h + 9 more for the footer.
  int Height() const;
  // The strip the footer fills at the bottom.
  int FooterHeight() const { return footer_ ? lineHeight_ + 9 : 0; }

  // The line at `y` from the top; none below the last line (the footer too).
  std::optional<int> LineAt(int y) const;
  // The pointer at `y`: a line not hot yet becomes hot. True when it changed.
  bool HoverAt(int y);

 private:
  std::vector<std::string> items_;
  int hot_ = -1;
  int lineHeight_ = 13;
  bool footer_ = false;
};

// The footer of the history lists: `verb` " " steps " " `noun`.
std::string HistoryFooterText(const std::string& verb, int steps, const std::string& noun);

}  // namespace nv::widgets
