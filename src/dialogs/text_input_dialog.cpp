#include "dialogs/text_input_dialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/color_palette.h"
#include "dialogs/logic/font_choices.h"
#include "dialogs/logic/text_input_rules.h"
#include "dialogs/music_face.h"
#include "platform/font_faces.h"
#include "platform/ini_file.h"
#include "platform/message_prompt.h"
#include "widgets/char_button.h"
#include "widgets/message_block.h"

namespace nv::dialogs {
namespace {

namespace rules = text_input;

constexpr char kSection[] = "TextInputForm";
constexpr char kAlignmentKey[] = "AlignmentNote";
const QString kMusicFace = QString::fromLatin1(nv::platform::kMusicFace);

QColor ToQColor(std::int32_t color) {
  const auto c = static_cast<nv::platform::Color>(color);
  return QColor(nv::platform::redOf(c), nv::platform::greenOf(c), nv::platform::blueOf(c));
}

std::int32_t FromQColor(const QColor& color) {
  return static_cast<std::int32_t>(nv::platform::rgb(color.red(), color.green(), color.blue()));
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

TFDCTextInput::TFDCTextInput(nv::platform::IniFile* settings, QWidget* parent)
    : DialogFrame({QStringLiteral("FDCTextInput"), {560, 330}, kSection, BoundsMode::Position,
                   QStringLiteral("TextProp"), 0},
                  settings, parent),
      settings_(settings) {
  setWindowTitle(QStringLiteral("Text properties"));
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName(QStringLiteral("MText"));
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setFont(FormFont(QStringLiteral("Arial"), rules::kDefaultSize));

  options_ = new QWidget(this);
  options_->setObjectName(QStringLiteral("POptions"));
  options_->setFixedWidth(250);
  auto* grid = new QGridLayout(options_);
  grid->setContentsMargins(0, 0, 0, 0);
  name_ = new QLineEdit(QStringLiteral("Arial"), options_);
  name_->setObjectName(QStringLiteral("EName"));
  names_ = new QListWidget(options_);
  names_->setObjectName(QStringLiteral("LBName"));
  std::vector<std::string> families;
  for (const QString& family : QFontDatabase::families()) families.push_back(family.toStdString());
  for (const std::string& family : font_choice::FontNameList(families)) names_->addItem(QString::fromStdString(family));
  size_ = new QSpinBox(options_);
  size_->setObjectName(QStringLiteral("UDSize"));
  size_->setRange(rules::kSmallestSize, rules::kLargestSize);
  size_->setValue(rules::kDefaultSize);
  sizes_ = new QListWidget(options_);
  sizes_->setObjectName(QStringLiteral("LBSize"));
  for (int size : rules::SizeItems()) sizes_->addItem(QString::number(size));
  sizes_->setFixedWidth(56);
  grid->addWidget(name_, 0, 0);
  grid->addWidget(size_, 0, 1);
  grid->addWidget(names_, 1, 0);
  grid->addWidget(sizes_, 1, 1);

  auto* style = new QGroupBox(QStringLiteral(" Style "), options_);
  style->setObjectName(QStringLiteral("GBStyle"));
  auto* styleGrid = new QGridLayout(style);
  bold_ = Check(style, "CBBold", "Bold");
  italic_ = Check(style, "CBItalic", "Italic");
  strike_ = Check(style, "CBStrike", "StrikeOut");
  underline_ = Check(style, "CBUnderline", "Underline");
  styleGrid->addWidget(bold_, 0, 0);
  styleGrid->addWidget(italic_, 0, 1);
  styleGrid->addWidget(strike_, 1, 0);
  styleGrid->addWidget(underline_, 1, 1);
  grid->addWidget(style, 2, 0, 1, 2);

  color_ = new nv::widgets::TECCharButton(options_);
  color_->setObjectName(QStringLiteral("CBColor"));
  color_->setFixedSize(40, 24);
  color_->SetCustomDraw(true);
  color_->SetOnDrawCharButton([this](QPainter& painter, const QRect& area) {
    painter.fillRect(area.adjusted(4, 4, -4, -4), ToQColor(textColor_));
    painter.setPen(Qt::gray);
    painter.drawRect(area.adjusted(4, 4, -5, -5));
  });
  music_ = Check(options_, "CBMusicSymbols", "Music");
  alignment_ = Check(options_, "CBAlignmentNote", "Align to notes");
  allPages_ = Check(options_, "CBAllPages", "By all pages");
  allPages_->hide();
  auto* row = new QHBoxLayout;
  row->addWidget(color_);
  row->addWidget(music_);
  row->addStretch(1);
  grid->addLayout(row, 3, 0, 1, 2);
  grid->addWidget(alignment_, 4, 0, 1, 2);
  grid->addWidget(allPages_, 5, 0, 1, 2);

  notes_ = new QWidget(this);
  notes_->setObjectName(QStringLiteral("PNotes"));
  auto* notesGrid = new QGridLayout(notes_);
  notesGrid->setContentsMargins(0, 0, 0, 0);
  notesGrid->setSpacing(1);
  int index = 0;
  for (const rules::MusicCharacter& character : rules::MusicCharacters()) {
    auto* button = new nv::widgets::TECCharButton(notes_);
    button->setObjectName(QStringLiteral("CBChar%1").arg(index));
    button->setToolTip(QString::fromLatin1(character.Hint));
    button->setFixedSize(28, 36);
    button->setFont(MusicFont(16));
    button->SetChar(static_cast<std::uint8_t>(character.Character));
    button->SetPos(8, 2);
    button->setFocusPolicy(Qt::NoFocus);
    notesGrid->addWidget(button, index / 4, index % 4);
    connect(button, &QAbstractButton::clicked, this, [this, c = character.Character] { InsertCharacter(c); });
    ++index;
  }
  notes_->setFixedWidth(4 * 29);

  auto* top = new QHBoxLayout;
  top->addWidget(options_);
  top->addWidget(notes_, 0, Qt::AlignTop);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(MakeHelpButton(this));
  buttons->addStretch(1);
  buttons->addWidget(MakeOkButton(this));
  buttons->addWidget(MakeCancelButton(this));
  auto* column = new QVBoxLayout(this);
  column->addWidget(memo_, 1);
  column->addLayout(top);
  column->addLayout(buttons);

  connect(size_, &QSpinBox::valueChanged, this, [this] {
    ApplyFont();
    const std::optional<int> item = rules::SizeItemOf(size_->text().toStdString());
    if (item) {
      sizes_->setCurrentRow(*item);
    } else {
      sizes_->setCurrentRow(-1);
      sizes_->clearSelection();
    }
  });
  connect(sizes_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { size_->setValue(item->text().toInt()); });
  connect(name_, &QLineEdit::textChanged, this, [this](const QString& name) {
    ApplyFont();
    const auto found = names_->findItems(name, Qt::MatchFixedString);
    if (!found.isEmpty()) names_->setCurrentItem(found.front());
  });
  connect(names_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { name_->setText(item->text()); });
  for (QCheckBox* box : {bold_, italic_, strike_, underline_}) connect(box, &QCheckBox::toggled, this, [this] { ApplyFont(); });
  connect(music_, &QCheckBox::toggled, this, [this](bool music) { ApplyMusic(music); });
  connect(alignment_, &QCheckBox::clicked, this, [this](bool align) {
    if (settings_) settings_->WriteBool(kSection, kAlignmentKey, align);
  });
  connect(color_, &QAbstractButton::clicked, this, [this] {
    auto* palette = new ColorPalette;
    palette->PlaceUnder(color_, PalettePlacement::TextDialogColor);
    palette->SetColor(ToQColor(textColor_));
    palette->SetOnSelectColor([this](ColorPalette&, const QColor& color) { ApplyColor(FromQColor(color)); });
    palette->Open();
  });

  alignment_->setChecked(settings_ ? settings_->ReadBool(kSection, kAlignmentKey, true) : true);
  Translate();
  notes_->hide();
  ApplyColor(0);
}

void TFDCTextInput::SetValues(const nv::document::TextInputValues& values) {
  QStringList lines;
  for (const std::string& line : values.Lines) lines << QString::fromStdString(line);
  memo_->setPlainText(lines.join('\n'));
  size_->setValue(rules::KeptSize(values.FontSize));
  if (!values.FontName.empty()) {
    music_->setChecked(nv::platform::isMusicFace(values.FontName));
    name_->setText(QString::fromStdString(values.FontName));
  }
  bold_->setChecked((values.FontStyle & font_choice::kBold) != 0);
  italic_->setChecked((values.FontStyle & font_choice::kItalic) != 0);
  underline_->setChecked((values.FontStyle & font_choice::kUnderline) != 0);
  strike_->setChecked((values.FontStyle & font_choice::kStrikeOut) != 0);
  ApplyColor(values.FontColor);
  ApplyFont();
}

nv::document::TextInputValues TFDCTextInput::GetValues() const {
  nv::document::TextInputValues values;
  const QString text = memo_->toPlainText();
  if (!text.isEmpty())
    for (const QString& line : text.split('\n')) values.Lines.push_back(line.toStdString());
  values.FontName = name_->text().toStdString();
  values.FontSize = size_->value();
  values.FontStyle = (bold_->isChecked() ? font_choice::kBold : 0) | (italic_->isChecked() ? font_choice::kItalic : 0) |
                     (underline_->isChecked() ? font_choice::kUnderline : 0) |
                     (strike_->isChecked() ? font_choice::kStrikeOut : 0);
  values.FontColor = textColor_;
  values.AlignToNotes = alignment_->isChecked();
  return values;
}

bool TFDCTextInput::GetAlignToNotes() const { return alignment_->isChecked(); }
void TFDCTextInput::SetAlignToNotes(bool align) { alignment_->setChecked(align); }
void TFDCTextInput::HideAlignToNotes() { alignment_->hide(); }

void TFDCTextInput::SetSampleMode(bool sample) {
  if (sample == sampleMode_) return;
  sampleMode_ = sample;
  memo_->setReadOnly(sample);
  music_->setVisible(!sample);
  alignment_->setVisible(!sample);
  if (sample) memo_->appendPlainText(QStringLiteral("Simple"));
}

bool TFDCTextInput::validate() {
  if (!memo_->toPlainText().isEmpty()) return true;
  nv::widgets::CurrentMessagePrompt().ShowMessageBlock("Error", "Input text, Please!",
                                                       nv::platform::message_kind::kWarning,
                                                       nv::platform::message_button::kOk);
  return false;
}

void TFDCTextInput::ApplyMusic(bool music) {
  names_->setEnabled(!music);
  name_->setEnabled(!music);
  if (music) {
    name_->setText(kMusicFace);
  } else if (names_->count() > 0) {
    name_->setText(names_->item(std::max(names_->currentRow(), 0))->text());
  }
  notes_->setVisible(music);
  const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
  resize(options_->width() + (music ? notes_->width() + 24 : 14) + margins, height());
}

void TFDCTextInput::ApplyColor(std::int32_t color) {
  textColor_ = color;
  QPalette palette = memo_->palette();
  palette.setColor(QPalette::Text, ToQColor(color));
  palette.setColor(QPalette::Base, ToQColor(static_cast<std::int32_t>(
                                       rules::MemoBackground(static_cast<nv::platform::Color>(color)))));
  memo_->setPalette(palette);
  color_->update();
}

void TFDCTextInput::ApplyFont() {
  QFont font = FormFont(name_->text(), size_->value(), bold_->isChecked(), italic_->isChecked());
  font.setUnderline(underline_->isChecked());
  font.setStrikeOut(strike_->isChecked());
  memo_->setFont(font);
}

void TFDCTextInput::InsertCharacter(char character) {
  memo_->textCursor().insertText(QString(QChar::fromLatin1(character)));
}

bool AskTextInput(nv::document::TextInputValues& values, bool fontOnly, nv::platform::IniFile* settings,
                  QWidget* parent) {
  TFDCTextInput dialog(settings, parent);
  dialog.SetValues(values);
  if (!values.AlignToNotesShown) dialog.HideAlignToNotes();
  dialog.SetSampleMode(fontOnly);
  if (dialog.exec() != QDialog::Accepted) return false;
  const nv::document::TextInputValues chosen = dialog.GetValues();
  // The sample line is no text of the caller's.
  if (!fontOnly) values.Lines = chosen.Lines;
  values.FontName = chosen.FontName;
  values.FontSize = chosen.FontSize;
  values.FontStyle = chosen.FontStyle;
  values.FontColor = chosen.FontColor;
  values.AlignToNotes = chosen.AlignToNotes;
  return true;
}

}  // namespace nv::dialogs
