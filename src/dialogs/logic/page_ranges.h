#pragma once

namespace nv::dialogs {

// The preview's page actions for the active page of `pageCount` pages.
struct PageActionStates {
  bool First = false;
  bool Previous = false;
  bool Next = false;
  bool Last = false;
  friend bool operator==(const PageActionStates&, const PageActionStates&) = default;
};
PageActionStates PageActionsFor(int activePage, int pageCount);

// The export dialog's page range: both ends within 1..page count, the
// from-page never after the to-page. Moving one end past the other drags
// the other along.
class ExportPageRange {
 public:
  void SetPageCount(int count);
  int PageCount() const { return count_; }
  // Kept within 1..page count; the other end follows when passed.
  void SetFrom(int page);
  void SetTo(int page);
  int From() const { return from_; }
  int To() const { return to_; }

 private:
  int count_ = 1;
  int from_ = 1;
  int to_ = 1;
};

}  // namespace nv::dialogs
