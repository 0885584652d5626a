#include "editor/template_editors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/chord_editor.h"
#include "library/accord_description.h"
#include "library/library_store.h"
#include "library/symbol_description.h"
#include "platform/format_text.h"
#include "platform/message_prompt.h"
#include "widgets/language.h"
#include "widgets/message_block.h"

namespace nv::editor {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

template <typename List>
std::vector<std::string> GroupsOf(const List& list) {
  std::vector<std::string> groups;
  for (const auto& entry : list) groups.push_back(entry->Group);
  return nv::library::LibraryGroups(groups);
}

}  // namespace

TemplateEditorDialog::TemplateEditorDialog(nv::dialogs::DialogSpec spec, nv::library::LibraryStore& store,
                                           const QString& filter, nv::platform::IniFile* settings, QWidget* parent)
    : DialogFrame(std::move(spec), settings, parent), store_(store), filter_(filter) {}

void TemplateEditorDialog::BuildFields(QWidget* top, const std::vector<std::string>& groups) {
  auto* layout = new QVBoxLayout(this);
  if (top != nullptr) layout->addWidget(top);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  description_ = new QLineEdit(this);
  description_->setObjectName("EDescription");
  form->addRow("Description", description_);
  group_ = new QComboBox(this);
  group_->setObjectName("CBGroup");
  group_->setEditable(true);
  for (const std::string& group : groups) group_->addItem(Q(group));
  form->addRow("Group", group_);
  auto* fileRow = new QHBoxLayout;
  fileName_ = new QLineEdit(this);
  fileName_->setObjectName("EFileName");
  fileRow->addWidget(fileName_, 1);
  browse_ = new QPushButton("...", this);
  browse_->setObjectName("BBBrowse");
  browse_->setFixedWidth(28);
  browse_->hide();
  fileRow->addWidget(browse_);
  fileNameLabel_ = new QLabel("File name", this);
  fileNameLabel_->setObjectName("LFileName");
  form->addRow(fileNameLabel_, fileRow);
  connect(browse_, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getSaveFileName(this, windowTitle(), fileName_->text(), filter_);
    if (!path.isEmpty()) SetBrowsePath(S(path));
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  QPushButton* save = MakeOkButton(this);
  save->setText("&Save");
  buttons->addWidget(save);
  buttons->addWidget(MakeCancelButton(this));
  layout->addLayout(buttons);
}

void TemplateEditorDialog::SetFileNameVisible(bool visible) {
  mode_.FileNameVisible = visible;
  fileNameLabel_->setVisible(visible);
  fileName_->setVisible(visible);
  browse_->setVisible(visible && browse_->isVisibleTo(this));
}

void TemplateEditorDialog::SetBrowseVisible(bool visible) { browse_->setVisible(visible); }

void TemplateEditorDialog::SetBrowsePath(const std::string& path) {
  mode_.Browse = true;
  mode_.BrowsePath = path;
  fileName_->setText(Q(path));
}

bool TemplateEditorDialog::validate() {
  result_ = SaveTemplate();
  return result_ != nv::library::TemplateSaveResult::StayOpen;
}

void TemplateEditorDialog::ReportMissingFields(const std::vector<std::string>& labels) {
  std::string joined;
  for (const std::string& label : labels) joined += (joined.empty() ? "" : ", ") + label;
  const Texts texts = MessageTexts();
  nv::widgets::CurrentMessagePrompt().ShowMessageBlock(
      S(Language()->GetString(texts.caption)), nv::platform::FormatText(S(Language()->GetString(texts.missing)), joined),
      nv::platform::message_kind::kWarning, nv::platform::message_button::kOk);
}

bool TemplateEditorDialog::AskOverwrite(const std::string& path) {
  const Texts texts = MessageTexts();
  return nv::widgets::CurrentMessagePrompt().ShowMessageBlock(
             S(windowTitle()), nv::platform::FormatText(S(Language()->GetString(texts.overwrite)), path),
             nv::platform::message_kind::kQuestion,
             nv::platform::message_button::kYes | nv::platform::message_button::kNo) ==
         nv::platform::message_result::kYes;
}

void TemplateEditorDialog::ReportError(const std::string& message) { nv::widgets::ShowErrorMessage(message); }

// --- chord --------------------------------------------------------------------

TFAccordProperties::TFAccordProperties(nv::library::LibraryStore& store, nv::library::TECAccordDescription& chord,
                                       nv::platform::IniFile* settings, QWidget* parent)
    : TemplateEditorDialog({"FAccordProperties", {360, 250}, "AccordProperties", nv::dialogs::BoundsMode::Position,
                            {}, 0},
                           store, "Chord files (*.acc);;All files (*)", settings, parent),
      chord_(chord) {
  setWindowTitle("Chord");
  auto* top = new QWidget(this);
  auto* row = new QHBoxLayout(top);
  row->setContentsMargins(0, 0, 0, 0);
  name_ = new TECChordEditor(top);
  name_->setObjectName("CEName");
  name_->setMinimumSize(180, 60);
  row->addWidget(name_, 1);
  ChordPieceModel& model = name_->Model();
  const auto step = [&](const char* object, const char* caption, void (ChordPieceModel::*action)()) {
    auto* push = new QPushButton(caption, top);
    push->setObjectName(object);
    push->setFixedSize(24, 22);
    connect(push, &QPushButton::clicked, this, [this, action] {
      (name_->Model().*action)();
      name_->update();
    });
    row->addWidget(push);
  };
  step("BBAddPiece", "+", &ChordPieceModel::AddPiece);
  step("BBUp", "\u2191", &ChordPieceModel::MovePieceUp);
  step("BBDown", "\u2193", &ChordPieceModel::MovePieceDown);
  step("BBLeft", "\u2190", &ChordPieceModel::MovePieceLeft);
  step("BBRight", "\u2192", &ChordPieceModel::MovePieceRight);
  BuildFields(top, GroupsOf(store.Chords()));
  fixedOctave_ = new QCheckBox("Fixed octave", this);
  fixedOctave_->setObjectName("CBFixedOctave");
  static_cast<QVBoxLayout*>(layout())->insertWidget(2, fixedOctave_);

  // The fixed root "X", then a copy of each piece (one empty piece for none).
  model.FixCount = 1;
  model.Pieces.clear();
  ChordPiece root;
  root.text = "X";
  model.Pieces.push_back(root);
  for (const TECChordPiece& piece : chord.Pieces) model.Pieces.push_back(PieceFromRecord(piece));
  if (chord.Pieces.empty()) {
    ChordPiece empty;
    empty.anchor = 0;
    model.Pieces.push_back(empty);
  }
  model.SetSelectedPiece(0);
  model.LayoutPieces();
  description_->setText(Q(chord.Description));
  group_->setCurrentText(Q(chord.Group));
  fileName_->setText(Q(chord.Name));
  fixedOctave_->setChecked(chord.FixedOctave != 0);
  Translate();
}

nv::library::TemplateSaveResult TFAccordProperties::SaveTemplate() {
  nv::library::ChordEditorValues values;
  const auto& pieces = name_->Model().Pieces;
  for (std::size_t i = 1; i < pieces.size(); ++i) values.Pieces.push_back(PieceToRecord(pieces[i]));
  values.Description = S(description_->text());
  values.Group = S(group_->currentText());
  values.FileName = S(fileName_->text());
  values.FixedOctave = fixedOctave_->isChecked();
  return nv::library::SaveChordTemplate(chord_, values, mode_, store_, *this);
}

// --- symbol -------------------------------------------------------------------

TFSymbolProperties::TFSymbolProperties(nv::library::LibraryStore& store, nv::library::TECSymbolDescription& symbol,
                                       nv::platform::IniFile* settings, QWidget* parent)
    : TemplateEditorDialog({"FSymbolProperties", {340, 160}, "SymbolProperties", nv::dialogs::BoundsMode::Position,
                            {}, 0},
                           store, "Symbol files (*.smb);;All files (*)", settings, parent),
      symbol_(symbol) {
  setWindowTitle("Symbol");
  BuildFields(nullptr, GroupsOf(store.Symbols()));
  description_->setText(Q(symbol.Description));
  group_->setCurrentText(Q(symbol.Group));
  fileName_->setText(Q(symbol.Name));
  Translate();
}

nv::library::TemplateSaveResult TFSymbolProperties::SaveTemplate() {
  return nv::library::SaveSymbolTemplate(symbol_, {S(description_->text()), S(group_->currentText()), S(fileName_->text())},
                                         mode_, store_, *this);
}

}  // namespace nv::editor
