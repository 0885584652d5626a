#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "dialogs/logic/library_layout.h"

class QPainter;

namespace nv::widgets {
class TECCharButton;
}

namespace nv::editor {

// A tool page's strip of library templates: as many buttons as fit before
// the strip's limit, most recently used first, and the narrow "All ..."
// button that opens the whole library. The chord strip's "All" button
// stands first; the symbol and term strips' moves to the next free column.
// `lead` pixels at the left stay free for the page's own buttons.
class LibraryStrip : public QWidget {
  Q_OBJECT
 public:
  // A button's face: its caption and hint, or a painter given whether the
  // mouse is over the unpressed button.
  struct Entry {
    QString Caption;
    QString Hint;
    std::function<void(QPainter&, const QRect&, bool hot)> Paint;
  };

  LibraryStrip(nv::dialogs::LibraryStripKind kind, const QString& allName, const QString& allHint, int lead,
               QWidget* parent = nullptr);

  // Rebuilds the buttons for `entries` up to the limit (x), reusing the
  // buttons there are and freeing the surplus.
  void SetEntries(const std::vector<Entry>& entries, int limit);
  // Symbols and terms: the button of the current template stays down.
  void SetDownIndex(int index);

  const std::vector<nv::widgets::TECCharButton*>& Buttons() const { return buttons_; }
  nv::widgets::TECCharButton* AllButton() const { return all_; }
  // Where the template buttons start.
  int StartX() const;

  std::function<void(int index)> OnClick;
  std::function<void()> OnAll;

 private:
  nv::dialogs::LibraryStripKind kind_;
  int lead_;
  nv::widgets::TECCharButton* all_;
  std::vector<nv::widgets::TECCharButton*> buttons_;
  std::vector<Entry> entries_;
};

}  // namespace nv::editor
