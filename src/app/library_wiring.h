#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "document/insert_dialogs.h"
#include "document/notice.h"
#include "library/chord_builder.h"
#include "library/library_ui.h"

class QHBoxLayout;
class QWidget;

namespace nv::document {
class CommandRegistry;
class ScoreDocument;
struct ProgramSettings;
class ToolState;
}  // namespace nv::document

namespace nv::library {
class LibraryStore;
}

namespace nv::platform {
class IniFile;
}

namespace nv::widgets {
class TECCharButton;
class TECPageControl;
}  // namespace nv::widgets

namespace nv::editor {
class LibraryPages;
class LibraryTemplateSaving;
class TemplateSaving;
}  // namespace nv::editor

namespace nv::app {

// The libraries on the main window's tool pages: the chord builder kept in
// the settings, the library commands, and the strips and builder on the
// "Chords", "Expanded" and "Expressions" pages over the program's store;
// and the library the document windows save chords and symbols into.
class LibraryWiring {
 public:
  struct Context {
    nv::library::LibraryStore& Store;
    nv::document::ProgramSettings& Settings;
    nv::document::CommandRegistry& Registry;
    nv::document::ToolState& Tools;
    nv::widgets::TECPageControl& Pages;
    QWidget* Window = nullptr;
    // The dialogs' bounds; none: nothing kept.
    nv::platform::IniFile* Ini = nullptr;
    // The active document; null with none.
    std::function<nv::document::ScoreDocument*()> ActiveDocument;
    // The term list; true when it closed with OK.
    std::function<bool()> TermList;
    // The expressions' font dialog; true on OK.
    std::function<bool(nv::document::TextInputValues&)> TermFont;
  };

  explicit LibraryWiring(Context context);
  ~LibraryWiring();

  nv::library::ChordBuilder& Builder() { return builder_; }
  nv::editor::LibraryPages& Pages() { return *pages_; }
  nv::editor::TemplateSaving& Saving();

  // A template went to the front of a library: its strip again, on its page, shown.
  void PaletteChanged(nv::library::LibraryKind kind);
  // The active document changed: the builder follows its cursor.
  void DocumentChanged();
  // The builder into the settings, before they are written.
  void StoreSettings() const;

 private:
  void ShowCodeAtCursor();
  // The row of a library page that holds its strip, its buttons left of it.
  static QHBoxLayout& StripRow(QWidget& page);
  // A page's pointer and reset buttons, left of everything in its row.
  void AddPointerButtons(QWidget& page, std::string_view pointer, std::string_view reset);
  void ShowDownStates();
  // The expressions page's "Font" button, left of the term strip.
  void AddTermFontButton(QWidget& page);
  void ShowTermFont();

  Context context_;
  nv::library::ChordBuilder builder_;
  std::unique_ptr<nv::editor::LibraryPages> pages_;
  std::unique_ptr<nv::editor::LibraryTemplateSaving> saving_;
  QWidget* termFont_ = nullptr;
  std::vector<nv::widgets::TECCharButton*> toolButtons_;
  nv::document::Subscription position_;
  nv::document::Subscription toolsChanged_;
};

}  // namespace nv::app
