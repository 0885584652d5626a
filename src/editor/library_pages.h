#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

#include "dialogs/logic/library_layout.h"
#include "document/notice.h"
#include "widgets/command_buttons.h"

class QWidget;

namespace nv::document {
class CommandRegistry;
class ToolState;
}  // namespace nv::document

namespace nv::library {
class LibraryStore;
struct ChordBuilder;
}  // namespace nv::library

namespace nv::platform {
class IniFile;
}

namespace nv::render {
class LibraryItemPainter;
}

namespace nv::dialogs {
class LibraryPalette;
}

namespace nv::editor {

class ChordBuilderBar;
class LibraryStrip;

// The chord, symbol and term libraries on the tool pages: the chord builder
// and the three strips, their drop-downs, and the chord and symbol list
// dialogs. Every insertion is a command of the registry.
class LibraryPages : public QObject {
  Q_OBJECT
 public:
  struct Context {
    nv::library::LibraryStore& Store;
    nv::library::ChordBuilder& Builder;
    nv::document::CommandRegistry& Registry;
    nv::document::ToolState& Tools;
    // The dialogs' bounds; none: nothing kept.
    nv::platform::IniFile* Settings = nullptr;
    // The screen's width the chord and symbol strips end before.
    std::function<int()> ScreenWidth;
  };

  LibraryPages(Context context, QWidget* dialogParent);
  ~LibraryPages() override;

  // Puts the builder and the chord strip on the chords page, the symbol
  // strip on the expanded page and the term strip on the expressions page.
  void HostOn(QWidget* chordsPage, QWidget* expandedPage, QWidget* termsPage);

  // After a change of a library (and at start): its strip again.
  void Rebuild(nv::dialogs::LibraryStripKind kind);
  void RebuildAll();

  // The drop-down of a whole library under its strip's "All" button.
  nv::dialogs::LibraryPalette* OpenDropDown(nv::dialogs::LibraryStripKind kind);
  // A drop-down's choice: the template moves to the front of its strip and
  // acts as a click on it there.
  void Choose(nv::dialogs::LibraryStripKind kind, int index);

  // The list dialogs, modal; true when the library changed.
  bool ShowChordList();
  bool ShowSymbolList();

  ChordBuilderBar& Builder() const { return *builder_; }
  LibraryStrip& Strip(nv::dialogs::LibraryStripKind kind) const;
  nv::render::LibraryItemPainter& ItemPainter() const { return *painter_; }

  // The term list; true when it closed with OK.
  std::function<bool()> OnTermList;

 private:
  void Click(nv::dialogs::LibraryStripKind kind, int index);
  void ShowDownStates();

  Context context_;
  QWidget* dialogParent_;
  std::unique_ptr<nv::render::LibraryItemPainter> painter_;
  ChordBuilderBar* builder_ = nullptr;
  LibraryStrip* chords_ = nullptr;
  LibraryStrip* symbols_ = nullptr;
  LibraryStrip* terms_ = nullptr;
  QPointer<nv::dialogs::LibraryPalette> dropDown_;
  // "Save symbol".
  nv::widgets::CommandButtons commands_{context_.Registry};
  nv::document::Subscription toolsChanged_;
};

}  // namespace nv::editor
