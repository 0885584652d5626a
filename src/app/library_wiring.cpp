#include "app/library_wiring.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QScreen>

#include "app/page_buttons.h"
#include "document/command_registry.h"
#include "document/palette_pages.h"
#include "document/score_document.h"
#include "document/term_font.h"
#include "document/tool_buttons.h"
#include "document/tool_state.h"
#include "platform/qt/qt_color.h"
#include "widgets/char_button.h"
#include "editor/chord_builder_bar.h"
#include "editor/chord_builder_settings.h"
#include "editor/library_commands.h"
#include "editor/library_pages.h"
#include "editor/library_template_saving.h"
#include "widgets/page_control.h"

namespace nv::app {

namespace {

constexpr const char* kTermFontCommand = "terms.font";

}  // namespace

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
  if (QWidget* expanded = page("TSExpanded")) AddPointerButtons(*expanded, "CBPointExpanded", "CBResetExpanded");
  if (QWidget* terms = page("TSTerms")) {
    AddPointerButtons(*terms, "CBPointTerm", "CBResetTerm");
    AddTermFontButton(*terms);
  }
  toolsChanged_ = context_.Tools.Changed.Subscribe([this] { ShowDownStates(); });
  ShowDownStates();
  // The strips start right of the buttons now: they end where they should.
  pages_->RebuildAll();
  DocumentChanged();
}

QHBoxLayout& LibraryWiring::StripRow(QWidget& page) {
  auto* column = static_cast<QBoxLayout*>(page.layout());
  if (auto* row = qobject_cast<QHBoxLayout*>(column->itemAt(0)->layout())) return *row;
  auto* row = new QHBoxLayout;
  // Clear of the page's frame, as the strip's buttons are.
  row->setContentsMargins(2, 2, 0, 0);
  row->setSpacing(2);
  if (QLayoutItem* strip = column->takeAt(0)) row->addItem(strip);
  row->addStretch(1);
  column->insertLayout(0, row);
  return *row;
}

void LibraryWiring::AddPointerButtons(QWidget& page, std::string_view pointer, std::string_view reset) {
  using nv::document::kPaletteButtonHeight;
  using nv::document::kPaletteButtonWidth;
  // One above the other, level with the strip's rows, as on the symbols page.
  auto* column = new QWidget(&page);
  column->setFixedSize(kPaletteButtonWidth, nv::document::kPaletteLowerTop + kPaletteButtonHeight);
  const std::pair<std::string_view, int> places[] = {{pointer, nv::document::kPaletteUpperTop},
                                                     {reset, nv::document::kPaletteLowerTop}};
  for (const auto& [name, top] : places) {
    nv::widgets::TECCharButton* button = MakePageButton(column, name);
    button->setGeometry(0, top, kPaletteButtonWidth, kPaletteButtonHeight);
    // Each in a group of its own: the state decides what is down.
    button->SetGroupIndex(top);
    button->SetAllowAllUp(true);
    if (const nv::document::ToolButton* tool = nv::document::FindToolButton(name))
      button->setToolTip(PageText(tool->Hint));
    ShowPicture(*button, name);
    QObject::connect(button, &QAbstractButton::clicked, button, [this, name = std::string(name)] {
      context_.Tools.Click(name);
      // A click that changed nothing is put back.
      ShowDownStates();
    });
    toolButtons_.push_back(button);
  }
  StripRow(page).insertWidget(0, column, 0, Qt::AlignTop);
}

void LibraryWiring::ShowDownStates() {
  for (nv::widgets::TECCharButton* button : toolButtons_)
    button->SetDown(context_.Tools.IsDown(button->objectName().toStdString()));
}

void LibraryWiring::AddTermFontButton(QWidget& page) {
  constexpr int kWidth = 40;
  constexpr int kHeight = 26;
  auto* button = new nv::widgets::TECCharButton(&page);
  button->setObjectName("CBFontTerm");
  button->setText("Font");
  button->setToolTip("Font");
  button->SetFlat(true);
  button->SetBlackBorder(true);
  button->setFixedSize(kWidth, kHeight);
  termFont_ = button;
  // The font is asked through the registry, which shows a failure once.
  nv::document::Command command;
  command.Id = kTermFontCommand;
  command.Caption = "Font";
  command.Run = [this](const nv::document::CommandArgs&) {
    nv::document::TextInputValues values = nv::document::TermFontValues(context_.Settings);
    if (!context_.TermFont || !context_.TermFont(values)) return;
    nv::document::StoreTermFont(values, context_.Settings);
    ShowTermFont();
  };
  context_.Registry.Add(std::move(command));
  QObject::connect(button, &QAbstractButton::clicked, button, [this] { context_.Registry.Run(kTermFontCommand); });
  // Just left of the strip.
  QHBoxLayout& row = StripRow(page);
  row.insertWidget(row.count() - 2, button, 0, Qt::AlignTop);
  ShowTermFont();
}

void LibraryWiring::ShowTermFont() {
  // The caption in the term font's name, style and colour; its size stays
  // the button's.
  const nv::document::ProgramSettings& s = context_.Settings;
  QFont font = termFont_->font();
  font.setFamily(QString::fromStdString(s.FontTermName));
  font.setBold(s.FontTermBold);
  font.setItalic(s.FontTermItalic);
  font.setUnderline(s.FontTermUnderlite);
  font.setStrikeOut(s.FontTermStrikeOut);
  termFont_->setFont(font);
  QPalette palette = termFont_->palette();
  palette.setColor(QPalette::ButtonText, nv::platform::toQColor(static_cast<nv::platform::Color>(s.FontTermColor)));
  termFont_->setPalette(palette);
  termFont_->update();
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
