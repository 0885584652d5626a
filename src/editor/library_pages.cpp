#include "editor/library_pages.h"

#include <QPainter>
#include <QVBoxLayout>

#include "dialogs/library_palette.h"
#include "document/command_registry.h"
#include "document/tool_state.h"
#include "editor/chord_builder_bar.h"
#include "editor/library_faces.h"
#include "editor/library_strip.h"
#include "editor/template_lists.h"
#include "editor/library_commands.h"
#include "editor/score_menu.h"
#include "library/library_store.h"
#include "render/library_item_painter.h"
#include "widgets/char_button.h"

namespace nv::editor {

using nv::dialogs::LibraryStripKind;

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr int kSaveSymbolWidth = 40;

}  // namespace

LibraryPages::LibraryPages(Context context, QWidget* dialogParent)
    : context_(std::move(context)), dialogParent_(dialogParent),
      painter_(std::make_unique<nv::render::LibraryItemPainter>()) {
  if (!context_.ScreenWidth) context_.ScreenWidth = [] { return 1024; };
  chords_ = new LibraryStrip(LibraryStripKind::Chords, "CBAllChords", "All chords", 300);
  builder_ = new ChordBuilderBar(context_.Builder, context_.Registry, chords_);
  builder_->move(0, 0);

  symbols_ = new LibraryStrip(LibraryStripKind::Symbols, "CBAllSymbols", "All symbols", kSaveSymbolWidth + 2);
  auto* save = new nv::widgets::TECCharButton(symbols_);
  save->setObjectName("CBSaveSymbol");
  save->setText("Save");
  save->setToolTip("Save symbol");
  save->SetFlat(true);
  save->SetBlackBorder(true);
  save->setGeometry(2, 5, kSaveSymbolWidth, 53);
  commands_.Bind(*save, score_menu::kSaveSymbol);

  terms_ = new LibraryStrip(LibraryStripKind::Terms, "CBAllTerms", "All Expressions", 0);
  for (LibraryStrip* strip : {chords_, symbols_, terms_}) {
    const LibraryStripKind kind = strip == chords_ ? LibraryStripKind::Chords
                                  : strip == symbols_ ? LibraryStripKind::Symbols
                                                      : LibraryStripKind::Terms;
    strip->OnClick = [this, kind](int index) { Click(kind, index); };
    strip->OnAll = [this, kind] { OpenDropDown(kind); };
  }
  toolsChanged_ = context_.Tools.Changed.Subscribe([this] { ShowDownStates(); });
}

LibraryPages::~LibraryPages() {
  // Strips not hosted on a page are this object's own.
  for (LibraryStrip* strip : {chords_, symbols_, terms_})
    if (strip->parent() == nullptr) delete strip;
}

void LibraryPages::HostOn(QWidget* chordsPage, QWidget* expandedPage, QWidget* termsPage) {
  const std::pair<QWidget*, LibraryStrip*> places[] = {{chordsPage, chords_}, {expandedPage, symbols_}, {termsPage, terms_}};
  for (const auto& [page, strip] : places) {
    if (page == nullptr) continue;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(strip, 0, Qt::AlignLeft | Qt::AlignTop);
  }
  RebuildAll();
}

LibraryStrip& LibraryPages::Strip(LibraryStripKind kind) const {
  switch (kind) {
    case LibraryStripKind::Chords: return *chords_;
    case LibraryStripKind::Symbols: return *symbols_;
    case LibraryStripKind::Terms: break;
  }
  return *terms_;
}

void LibraryPages::RebuildAll() {
  for (const auto kind : {LibraryStripKind::Chords, LibraryStripKind::Symbols, LibraryStripKind::Terms}) Rebuild(kind);
}

void LibraryPages::Rebuild(LibraryStripKind kind) {
  nv::library::LibraryStore& store = context_.Store;
  if (kind != LibraryStripKind::Terms) store.LoadAllTemplates();
  const int screen = context_.ScreenWidth();
  std::vector<LibraryStrip::Entry> entries;
  switch (kind) {
    case LibraryStripKind::Chords:
      for (const auto& chord : store.Chords()) entries.push_back({Q(chord->GetName()), Q(chord->Description), {}});
      break;
    case LibraryStripKind::Symbols:
      for (const auto& symbol : store.Symbols()) {
        const nv::library::TECSymbolDescription* shown = symbol.get();
        entries.push_back({{}, Q(symbol->Description), [this, shown](QPainter& painter, const QRect& area, bool hot) {
                             PaintSymbolFace(painter, area, *shown, *painter_, hot);
                           }});
      }
      break;
    case LibraryStripKind::Terms:
      for (const auto& term : store.Terms()) entries.push_back({Q(term.Name), {}, {}});
      break;
  }
  LibraryStrip& strip = Strip(kind);
  QWidget* page = strip.parentWidget();
  int stripLeft = 0;
  if (page != nullptr && page->layout() != nullptr) {
    // The limit is the page's; buttons before the strip take their part of it.
    page->layout()->activate();
    stripLeft = strip.x();
  }
  const int pageWidth = page != nullptr ? page->width() : screen;
  strip.SetEntries(entries, nv::dialogs::StripLimit(kind, screen, pageWidth) - stripLeft);
  ShowDownStates();
}

void LibraryPages::ShowDownStates() {
  const nv::library::LibraryStore& store = context_.Store;
  const nv::document::ToolState& tools = context_.Tools;
  int symbol = -1;
  if (!tools.LibrarySymbol().empty()) {
    for (std::size_t i = 0; i < store.Symbols().size(); ++i) {
      const auto& elements = store.Symbols()[i]->Elements();
      if (!elements.empty() && elements.front().get() == tools.LibrarySymbol().front()) symbol = static_cast<int>(i);
    }
  }
  symbols_->SetDownIndex(symbol);
  int term = -1;
  if (!tools.IsDown("CBPointTerm")) {
    for (std::size_t i = 0; i < store.Terms().size(); ++i)
      if (store.Terms()[i].Name == tools.CurrentTerm()) term = static_cast<int>(i);
  }
  terms_->SetDownIndex(term);
}

void LibraryPages::Click(LibraryStripKind kind, int index) {
  using namespace nv::editor::library_command;
  const char* command = kind == LibraryStripKind::Chords    ? InsertChordTemplate
                        : kind == LibraryStripKind::Symbols ? ChooseSymbol
                                                            : ChooseTerm;
  context_.Registry.Run(command, {std::to_string(index)});
  ShowDownStates();
}

void LibraryPages::Choose(LibraryStripKind kind, int index) {
  nv::library::LibraryStore& store = context_.Store;
  const auto at = static_cast<std::size_t>(index);
  switch (kind) {
    case LibraryStripKind::Chords: store.MoveChordToFront(at); break;
    case LibraryStripKind::Symbols: store.MoveSymbolToFront(at); break;
    case LibraryStripKind::Terms: store.MoveTermToFront(at); break;
  }
  Rebuild(kind);
  // The template itself acts, whether or not its strip button fits.
  Click(kind, 0);
}

nv::dialogs::LibraryPalette* LibraryPages::OpenDropDown(LibraryStripKind kind) {
  nv::library::LibraryStore& store = context_.Store;
  if (kind != LibraryStripKind::Terms) store.LoadAllTemplates();
  std::vector<nv::dialogs::LibraryEntry> entries;
  switch (kind) {
    case LibraryStripKind::Chords:
      for (const auto& chord : store.Chords())
        entries.push_back({chord->Group, Q(chord->GetName()), Q(chord->Description), {}});
      break;
    case LibraryStripKind::Symbols:
      for (const auto& symbol : store.Symbols()) {
        const nv::library::TECSymbolDescription* shown = symbol.get();
        entries.push_back({symbol->Group, {}, Q(symbol->Description), [this, shown](QPainter& painter, const QRect& area) {
                             PaintSymbolFace(painter, area, *shown, *painter_, false);
                           }});
      }
      break;
    case LibraryStripKind::Terms:
      for (const auto& term : store.Terms()) entries.push_back({term.Name, Q(term.Name), {}, {}});
      break;
  }
  auto* palette = new nv::dialogs::LibraryPalette(kind, entries, dialogParent_);
  palette->SetOnSelect([this, kind](nv::dialogs::ChoicePalette&, int index) { Choose(kind, index); });
  const auto reopen = [this, kind](bool changed) {
    if (!changed) return false;
    Rebuild(kind);
    // The palette closes with its old buttons; a fresh one shows the change.
    QMetaObject::invokeMethod(this, [this, kind] { OpenDropDown(kind); }, Qt::QueuedConnection);
    return true;
  };
  switch (kind) {
    case LibraryStripKind::Chords:
      palette->SetOnAdd([this, reopen] { return reopen(context_.Store.AddChordTemplates()); });
      palette->SetOnList([this, reopen] { return reopen(ShowChordList()); });
      break;
    case LibraryStripKind::Symbols:
      palette->SetOnAdd([this, reopen] { return reopen(context_.Store.AddSymbolTemplates()); });
      palette->SetOnList([this, reopen] { return reopen(ShowSymbolList()); });
      break;
    case LibraryStripKind::Terms:
      palette->SetOnAdd([this, reopen] { return reopen(OnTermList && OnTermList()); });
      palette->SetOnList([this, reopen] { return reopen(OnTermList && OnTermList()); });
      break;
  }
  palette->PlaceUnder(Strip(kind).AllButton());
  dropDown_ = palette;
  palette->Open();
  return palette;
}

bool LibraryPages::ShowChordList() {
  TFChordList list(context_.Store, context_.Settings, dialogParent_);
  list.exec();
  const bool changed = list.Changed();
  if (changed) Rebuild(LibraryStripKind::Chords);
  return changed;
}

bool LibraryPages::ShowSymbolList() {
  TFSymbolList list(context_.Store, *painter_, context_.Settings, dialogParent_);
  list.exec();
  const bool changed = list.Changed();
  if (changed) {
    // A removed symbol may be the tool's: the tool lets it go.
    context_.Tools.ReleaseExpandedButtons();
    Rebuild(LibraryStripKind::Symbols);
  }
  return changed;
}

}  // namespace nv::editor
