#include "dialogs/term_dialogs.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/term_settings_page.h"
#include "library/library_store.h"
#include "widgets/language.h"
#include "widgets/message_block.h"
#include "widgets/string_grid.h"

namespace nv::dialogs {

using nv::library::TECTermDescription;

namespace {

constexpr int kNameColumn = 0;
constexpr int kKindColumn = 1;

// The grid's row of a term row: row 0 holds the column captions.
int GridRow(std::size_t row) { return static_cast<int>(row) + 1; }

QString KindText(int kind) {
  const auto index = static_cast<std::size_t>(kind);
  return QString::fromUtf8(nv::library::kTermKindNames[index < nv::library::kTermKindNames.size() ? index : 0]);
}

}  // namespace

TFTermList::TFTermList(const std::vector<TECTermDescription>& terms, nv::platform::IniFile* settings,
                       QWidget* parent)
    : DialogFrame({QStringLiteral("FTermList"), {380, 300}, "TermList", BoundsMode::PositionSize, {}, 0},
                  settings, parent),
      rows_(nv::library::TermRowsOf(terms)) {
  setWindowTitle(QStringLiteral("Expression list"));
  grid_ = new nv::widgets::TECStringGrid(this);
  grid_->setObjectName(QStringLiteral("SGTerms"));
  std::vector<std::string> kinds;
  for (const std::string_view kind : nv::library::kTermKindNames) kinds.emplace_back(kind);
  grid_->SetColumns({{"Text", 160, nv::widgets::etString, nv::widgets::esEdit, {}, true},
                     {"Kind", 100, nv::widgets::etString, nv::widgets::esDropDownList, kinds, true}});
  if (rows_.empty()) nv::library::AddTermRow(rows_);
  FillGrid();
  add_ = new QPushButton(QStringLiteral("Add"), this);
  add_->setObjectName(QStringLiteral("BAdd"));
  remove_ = new QPushButton(QStringLiteral("Remove"), this);
  remove_->setObjectName(QStringLiteral("BRemove"));
  connect(add_, &QPushButton::clicked, this, [this] {
    ReadGrid();
    nv::library::AddTermRow(rows_);
    FillGrid();
    grid_->SetCurrentCell(kNameColumn, GridRow(rows_.size() - 1));
    grid_->setFocus();
  });
  connect(remove_, &QPushButton::clicked, this, [this] {
    ReadGrid();
    const int row = grid_->CurrentRow() - GridRow(0);
    if (row < 0) return;
    nv::library::RemoveTermRow(rows_, static_cast<std::size_t>(row));
    FillGrid();
    grid_->SetCurrentCell(kNameColumn, GridRow(std::min(static_cast<std::size_t>(row), rows_.size() - 1)));
  });
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(remove_);
  buttons->addStretch(1);
  buttons->addWidget(MakeOkButton(this));
  buttons->addWidget(MakeCancelButton(this));
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addLayout(buttons);
  Translate();
}

void TFTermList::FillGrid() {
  grid_->SetRowCount(GridRow(rows_.size()));
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    grid_->SetCell(kNameColumn, GridRow(i), QString::fromStdString(rows_[i].Name));
    grid_->SetCell(kKindColumn, GridRow(i), KindText(rows_[i].Kind));
  }
}

void TFTermList::ReadGrid() {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    rows_[i].Name = grid_->Cell(kNameColumn, GridRow(i)).toStdString();
    rows_[i].Kind = nv::library::TermKindOfText(grid_->Cell(kKindColumn, GridRow(i)).toStdString());
  }
}

bool TFTermList::validate() {
  ReadGrid();
  try {
    terms_ = nv::library::TermsOfRows(rows_);
  } catch (const nv::library::ETermError& error) {
    nv::widgets::CurrentMessagePrompt().ShowMessageBlock(windowTitle().toStdString(), error.what(),
                                                         nv::platform::message_kind::kWarning,
                                                         nv::platform::message_button::kOk);
    return false;
  }
  return true;
}

TFTermSettings::TFTermSettings(int kind, const std::vector<TECTermDescription>& terms,
                               nv::platform::IniFile* settings, QWidget* parent)
    : DialogFrame({QStringLiteral("FTermSettings"), {340, 260}, {}, BoundsMode::None, {}, 0},
                  settings, parent) {
  page_ = new TermSettingsPage(kind, terms, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(page_);
  Translate();
  // Texts 1 and 2: the captions of the two kinds.
  const bool tempo = kind == nv::library::term_kind::Tempo;
  const QString caption = Language()->GetString(tempo ? 2 : 1);
  setWindowTitle(caption.isEmpty() ? (tempo ? QStringLiteral("Tempo") : QStringLiteral("Dynamics")) : caption);
  page_->SetChangeHint(Language()->GetString(0));
}

bool ExecuteTermList(nv::library::LibraryStore& store, nv::platform::IniFile* settings, QWidget* parent) {
  TFTermList dialog(store.Terms(), settings, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  store.SetTerms(dialog.Terms());
  store.SaveTermLibrary();
  return true;
}

void ExecuteTermSettings(nv::library::LibraryStore& store, int kind, nv::platform::IniFile* settings,
                         QWidget* parent) {
  TFTermSettings dialog(kind, store.Terms(), settings, parent);
  dialog.Page().onTermChange = [&store](std::size_t index, const TECTermDescription& term) {
    store.SetTermValues(index, term.First, term.Second);
  };
  dialog.exec();
}

}  // namespace nv::dialogs
