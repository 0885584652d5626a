#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialogs/choice_palette.h"
#include "dialogs/logic/library_layout.h"

class QLabel;

namespace nv::dialogs {

// One template of a library as its drop-down shows it: the group (chords,
// symbols) or the name (terms) it is sorted by, and its button's caption,
// hint or painted face.
struct LibraryEntry {
  std::string Key;
  QString Caption;
  QString Hint;
  FacePainter Paint;
};

// The drop-down of a whole library ("FAccords", "FSymbols", "FTerms"):
// the grouped buttons of LayOutDropDown, bold maroon group headings or first
// letters, and the "+" and "-" buttons. A click reports the entry's index
// in the list given and closes. While the "+" or "-" handler runs (a file
// dialog or a list dialog), losing the focus does not close the palette.
class LibraryPalette : public ChoicePalette {
  Q_OBJECT
 public:
  // The designed client height the palette keeps when its content is short.
  static constexpr int kFormHeight = 120;

  LibraryPalette(LibraryStripKind kind, const std::vector<LibraryEntry>& entries, QWidget* parent = nullptr);

  // Each returns whether the library changed; the palette then closes, as
  // its buttons no longer match the library.
  void SetOnAdd(std::function<bool()> handler) { onAdd_ = std::move(handler); }
  void SetOnList(std::function<bool()> handler) { onList_ = std::move(handler); }

  const DropDownLayout& Layout() const { return layout_; }
  const std::vector<QLabel*>& Headings() const { return headings_; }

 private:
  void RunGuarded(const std::function<bool()>& handler);

  DropDownLayout layout_;
  std::vector<QLabel*> headings_;
  std::function<bool()> onAdd_;
  std::function<bool()> onList_;
};

}  // namespace nv::dialogs
