#include "editor/template_lists.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/library_faces.h"
#include "editor/template_editors.h"
#include "library/library_store.h"
#include "library/template_save.h"
#include "platform/format_text.h"
#include "platform/message_prompt.h"
#include "widgets/char_button.h"
#include "widgets/language.h"
#include "widgets/message_block.h"

namespace nv::editor {

namespace {

namespace button = nv::platform::message_button;
namespace result = nv::platform::message_result;

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TemplateListDialog::TemplateListDialog(nv::dialogs::DialogSpec spec, nv::library::LibraryStore& store,
                                       nv::platform::IniFile* settings, QWidget* parent)
    : DialogFrame(std::move(spec), settings, parent), store_(store) {}

void TemplateListDialog::Build(const QStringList& headers) {
  auto* layout = new QHBoxLayout(this);
  list_ = new QTreeWidget(this);
  list_->setObjectName("LVList");
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setHeaderLabels(headers);
  list_->header()->setStretchLastSection(true);
  layout->addWidget(list_, 1);
  auto* side = new QVBoxLayout;
  layout->addLayout(side);
  const auto add = [&](const char* name, const char* caption, void (TemplateListDialog::*action)()) {
    auto* push = new QPushButton(caption, this);
    push->setObjectName(name);
    connect(push, &QPushButton::clicked, this, action);
    side->addWidget(push);
  };
  add("BBAdd", "Add", &TemplateListDialog::Add);
  add("BBEdit", "Edit", &TemplateListDialog::Edit);
  add("BBRemove", "Remove", &TemplateListDialog::Remove);
  side->addStretch();
  auto* close = new QPushButton("Close", this);
  close->setObjectName("BBClose");
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  side->addWidget(close);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { Edit(); });
  Translate();
  Refill();
}

QString TemplateListDialog::Text(int n) const { return Language()->GetString(n); }

std::vector<std::size_t> TemplateListDialog::SelectedRows() const {
  std::vector<std::size_t> rows;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->isSelected()) rows.push_back(static_cast<std::size_t>(i));
  return rows;
}

void TemplateListDialog::Refill() {
  QTreeWidgetItem* current = list_->currentItem();
  const int previous = current != nullptr && current->isSelected() ? list_->indexOfTopLevelItem(current) : -1;
  // Templates load as the list fills: a damaged one is named once and left out.
  store_.LoadAllTemplates();
  list_->clear();
  for (std::size_t i = 0; i < Count(); ++i) new QTreeWidgetItem(list_, Row(i));
  const int row = nv::library::RowAfterRefill(previous, static_cast<int>(Count()));
  if (row >= 0) {
    list_->setCurrentItem(list_->topLevelItem(row));
    list_->topLevelItem(row)->setSelected(true);
  }
  SelectionChanged();
}

void TemplateListDialog::Add() {
  if (!Import()) return;
  changed_ = true;
  Refill();
}

void TemplateListDialog::Edit() {
  const std::vector<std::size_t> rows = SelectedRows();
  if (rows.empty()) return;
  if (!EditAt(rows.front())) return;
  changed_ = true;
  list_->topLevelItem(static_cast<int>(rows.front()))->setText(0, Row(rows.front()).value(0));
  list_->topLevelItem(static_cast<int>(rows.front()))->setText(1, Row(rows.front()).value(1));
}

void TemplateListDialog::Remove() {
  const std::vector<std::size_t> rows = SelectedRows();
  if (rows.empty()) return;
  nv::platform::MessagePrompt& prompt = nv::widgets::CurrentMessagePrompt();
  const auto ask = [&](const QString& text) {
    return prompt.ShowMessageBlock(windowTitle().toStdString(), text.toStdString(),
                                   nv::platform::message_kind::kQuestion, button::kYes | button::kNo) ==
           result::kYes;
  };
  bool deleteFiles = false;
  if (rows.size() == 1) {
    const QString caption = list_->topLevelItem(static_cast<int>(rows.front()))->text(0);
    if (!ask(Q(nv::platform::FormatText(Text(1).toStdString(), caption.toStdString())))) return;
    deleteFiles = ask(Q(nv::platform::FormatText(Text(3).toStdString(), caption.toStdString())));
  } else {
    if (!ask(Text(2))) return;
    deleteFiles = ask(Text(4));
  }
  RemoveAt(rows, deleteFiles);
  changed_ = true;
  Refill();
}

// --- chords -------------------------------------------------------------------

TFChordList::TFChordList(nv::library::LibraryStore& store, nv::platform::IniFile* settings, QWidget* parent)
    : TemplateListDialog({"FChordList", {460, 320}, "ChordList", nv::dialogs::BoundsMode::Position, {}, 0}, store,
                         settings, parent),
      settings_(settings) {
  setWindowTitle("Chords list");
  Build({"Name", "Description"});
}

std::size_t TFChordList::Count() const { return store_.Chords().size(); }
QStringList TFChordList::Row(std::size_t index) const {
  const auto& chord = *store_.Chords()[index];
  return {Q(chord.GetName()), Q(chord.Description)};
}
bool TFChordList::Import() { return store_.AddChordTemplates(); }
bool TFChordList::EditAt(std::size_t index) {
  TFAccordProperties editor(store_, *store_.Chords()[index], settings_, this);
  editor.SetFileNameVisible(false);
  return editor.exec() == QDialog::Accepted;
}
bool TFChordList::RemoveAt(const std::vector<std::size_t>& indices, bool deleteFiles) {
  return store_.RemoveChords(indices, deleteFiles);
}

// --- symbols ------------------------------------------------------------------

TFSymbolList::TFSymbolList(nv::library::LibraryStore& store, nv::render::LibraryItemPainter& painter,
                           nv::platform::IniFile* settings, QWidget* parent)
    : TemplateListDialog({"FSymbolList", {500, 320}, "SymbolList", nv::dialogs::BoundsMode::Position, {}, 0}, store,
                         settings, parent),
      painter_(painter),
      settings_(settings) {
  setWindowTitle("Symbols list");
  preview_ = new nv::widgets::TECCharButton(this);
  preview_->setObjectName("CBPreview");
  preview_->setFixedSize(64, 64);
  preview_->SetCustomDraw(true);
  preview_->SetOnDrawCharButton([this](QPainter& p, const QRect& area) {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty() || rows.front() >= store_.Symbols().size()) return;
    PaintSymbolFace(p, area, *store_.Symbols()[rows.front()], painter_, false);
  });
  Build({"Group", "Description"});
  static_cast<QHBoxLayout*>(layout())->insertWidget(1, preview_, 0, Qt::AlignTop);
}

std::size_t TFSymbolList::Count() const { return store_.Symbols().size(); }
QStringList TFSymbolList::Row(std::size_t index) const {
  const auto& symbol = *store_.Symbols()[index];
  return {Q(symbol.Group), Q(symbol.Description)};
}
bool TFSymbolList::Import() { return store_.AddSymbolTemplates(); }
bool TFSymbolList::EditAt(std::size_t index) {
  TFSymbolProperties editor(store_, *store_.Symbols()[index], settings_, this);
  editor.SetFileNameVisible(false);
  return editor.exec() == QDialog::Accepted;
}
bool TFSymbolList::RemoveAt(const std::vector<std::size_t>& indices, bool deleteFiles) {
  return store_.RemoveSymbols(indices, deleteFiles);
}
void TFSymbolList::SelectionChanged() {
  if (preview_ != nullptr) preview_->update();
}

}  // namespace nv::editor
