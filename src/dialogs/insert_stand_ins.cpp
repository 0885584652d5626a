#include "dialogs/insert_stand_ins.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <QSpinBox>

#include <initializer_list>
#include <vector>

#include "dialogs/property_dialogs.h"

namespace nv::dialogs {
namespace {

struct Field {
  const char* Label;
  int Min;
  int Max;
  int* Value;
};

void AddOkCancel(QDialog& dialog, QFormLayout& form) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form.addRow(buttons);
}

// A form of one spin box per field; the fields take the boxes' values when
// `always` or on OK. True on OK.
bool AskNumbers(QWidget* parent, const char* formName, std::initializer_list<Field> fields, bool always = false) {
  QDialog dialog(parent);
  dialog.setObjectName(formName);
  auto* form = new QFormLayout(&dialog);
  std::vector<QSpinBox*> boxes;
  for (const Field& field : fields) {
    auto* box = new QSpinBox;
    box->setObjectName(field.Label);
    box->setRange(field.Min, field.Max);
    box->setValue(*field.Value);
    form->addRow(field.Label, box);
    boxes.push_back(box);
  }
  AddOkCancel(dialog, *form);
  const bool ok = dialog.exec() == QDialog::Accepted;
  if (ok || always) {
    std::size_t i = 0;
    for (const Field& field : fields) *field.Value = boxes[i++]->value();
  }
  return ok;
}

}  // namespace

bool InsertStandIns::PauseCount(int& count) {
  return AskNumbers(parent_, "TFDCPauseCount", {{"Bars", 1, 999, &count}}, true);
}

bool InsertStandIns::TempoInput(nv::document::TempoValues& values) {
  return AskNumbers(parent_, "TFDCTempoInput", {{"Beat", 1, 256, &values.BeatNote}, {"Tempo", 1, 999, &values.Tempo}});
}

bool InsertStandIns::GraceNotes(nv::document::GraceNotesValues& values) {
  return AskNumbers(parent_, "TFDCVorschlagInput",
                    {{"Options", 0, 255, &values.Options},
                     {"Count", 0, nv::document::GraceNotesValues::kSlots, &values.Count},
                     {"Duration", 0, 255, &values.Duration}});
}

bool InsertStandIns::BarNumber(int& position) {
  return AskNumbers(parent_, "TFBarNumber", {{"Number", 1, 9999, &position}});
}

bool InsertStandIns::PartNumber(nv::document::PartNumberValues& values) {
  return AskNumbers(parent_, "TFDCPartNumber", {{"Count", 1, 99, &values.Count}, {"Number", 1, 99, &values.Number}});
}

bool InsertStandIns::RehearsalMarkCount(int& number, int) {
  return AskNumbers(parent_, "TFRehearsalMarkCount", {{"Number", 0, 999, &number}});
}

bool InsertStandIns::BarreProperties(nv::document::BarreValues& values) {
  return AskNumbers(parent_, "TFBarreProperties", {{"Style", 0, 255, &values.Style}, {"Fret", 1, 24, &values.Fret}});
}

bool InsertStandIns::TextInput(nv::document::TextInputValues& values) {
  QDialog dialog(parent_);
  dialog.setObjectName("TFDCTextInput");
  auto* form = new QFormLayout(&dialog);
  auto* memo = new QPlainTextEdit;
  memo->setObjectName("Memo");
  QFont font(QString::fromStdString(values.FontName));
  font.setPointSize(values.FontSize);
  font.setBold(values.FontStyle & 1);
  font.setItalic(values.FontStyle & 2);
  font.setUnderline(values.FontStyle & 4);
  font.setStrikeOut(values.FontStyle & 8);
  memo->setFont(font);
  QStringList lines;
  for (const std::string& line : values.Lines) lines << QString::fromStdString(line);
  memo->setPlainText(lines.join('\n'));
  auto* align = new QCheckBox("Align to notes");
  align->setObjectName("AlignToNotes");
  align->setChecked(values.AlignToNotes);
  form->addRow(memo);
  form->addRow(align);
  align->setVisible(values.AlignToNotesShown);
  AddOkCancel(dialog, *form);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.Lines.clear();
  for (const QString& line : memo->toPlainText().split('\n')) values.Lines.push_back(line.toStdString());
  values.AlignToNotes = align->isChecked();
  return true;
}

bool InsertStandIns::ImageInput(nv::document::ImageValues& values) {
  // The picture stays as it is: the stand-in chooses no file.
  return AskNumbers(parent_, "TFDCImageInput",
                    {{"Width", 0, 10000, &values.Width}, {"Height", 0, 10000, &values.Height}});
}

bool InsertStandIns::ChordEditor(nv::document::ChordValues& values) {
  // One line a piece; a piece keeps its format, a new line gets none.
  QDialog dialog(parent_);
  dialog.setObjectName("TFAccordEditor");
  auto* form = new QFormLayout(&dialog);
  auto* memo = new QPlainTextEdit;
  memo->setObjectName("Memo");
  QStringList lines;
  for (const auto& piece : values.Pieces) lines << QString::fromStdString(piece.Text);
  memo->setPlainText(lines.join('\n'));
  form->addRow(memo);
  AddOkCancel(dialog, *form);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList edited = memo->toPlainText().split('\n');
  values.Pieces.resize(static_cast<std::size_t>(edited.size()));
  for (int i = 0; i < edited.size(); ++i) values.Pieces[static_cast<std::size_t>(i)].Text = edited[i].toStdString();
  return true;
}

bool InsertStandIns::NoteProperties(nv::document::NotePropertiesValues& values) {
  // The note properties dialog of its own: -1 is the row's program.
  PropertyDialogServices services;
  services.Parent = parent_;
  TFNoteProperties dialog(services);
  dialog.SetInstrument(values.Instrument);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.Instrument = dialog.Program();
  return true;
}

}  // namespace nv::dialogs
