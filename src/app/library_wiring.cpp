#include "app/library_wiring.h"

#include <QGuiApplication>
#include <QScreen>

#include "document/score_document.h"
#include "editor/chord_builder_bar.h"
#include "editor/chord_builder_settings.h"
#include "editor/library_commands.h"
#include "editor/library_pages.h"
#include "editor/library_template_saving.h"
#include "widgets/page_control.h"

namespace nv::app {

LibraryWiring::LibraryWiring(Context context) : context_(std::move(context)) {
  nv::editor::LoadChordBuilder(builder_, context_.Settings);
  nv::editor::AddLibraryCommands(context_.Registry,
                                 {context_.Store, builder_, context_.Tools, context_.ActiveDocument});
  pages_ = std::make_unique<nv::editor::LibraryPages>(
      nv::editor::LibraryPages::Context{context_.Store, builder_, context_.Registry, context_.Tools, context_.Ini,
                                        [] {
                                          const QScreen* screen = QGuiApplication::primaryScreen();
                                          return screen != nullptr ? screen->geometry().width() : 1024;
                                        }},
      context_.Window);
  pages_->OnTermList = context_.TermList;
  nv::widgets::TECPageControl& pages = context_.Pages;
  const auto page = [&](const char* name) { return pages.findChild<QWidget*>(name); };
  pages_->HostOn(page("TSAccords"), page("TSExpanded"), page("TSTerms"));
  saving_ = std::make_unique<nv::editor::LibraryTemplateSaving>(context_.Store, context_.Ini, context_.Window);
  DocumentChanged();
}

LibraryWiring::~LibraryWiring() = default;

nv::editor::TemplateSaving& LibraryWiring::Saving() { return *saving_; }

void LibraryWiring::StoreSettings() const { nv::editor::StoreChordBuilder(builder_, context_.Settings); }

void LibraryWiring::PaletteChanged(nv::library::LibraryKind kind) {
  const char* page = nullptr;
  switch (kind) {
    case nv::library::LibraryKind::Chords:
      pages_->Rebuild(nv::dialogs::LibraryStripKind::Chords);
      page = "TSAccords";
      break;
    case nv::library::LibraryKind::Symbols:
      pages_->Rebuild(nv::dialogs::LibraryStripKind::Symbols);
      page = "TSExpanded";
      break;
    case nv::library::LibraryKind::Terms: pages_->Rebuild(nv::dialogs::LibraryStripKind::Terms); break;
    case nv::library::LibraryKind::Drums: break;
  }
  nv::widgets::TECPageControl& pages = context_.Pages;
  if (page != nullptr)
    if (nv::widgets::TECTabSheet* sheet = pages.SheetOf(pages.findChild<QWidget*>(page))) pages.SetActivePage(sheet);
}

void LibraryWiring::DocumentChanged() {
  position_ = {};
  nv::document::ScoreDocument* document = context_.ActiveDocument ? context_.ActiveDocument() : nullptr;
  if (document == nullptr) return;
  position_ = document->Notices().PositionChanged.Subscribe([this] { ShowCodeAtCursor(); });
  ShowCodeAtCursor();
}

void LibraryWiring::ShowCodeAtCursor() {
  nv::document::ScoreDocument* document = context_.ActiveDocument ? context_.ActiveDocument() : nullptr;
  if (document == nullptr || builder_.NotesMode) return;
  const std::vector<std::uint8_t>* code = document->Score().ChordSymbolAtCursor();
  if (code == nullptr) return;
  builder_.ShowCode(*code);
  pages_->Builder().ShowState();
}

}  // namespace nv::app
