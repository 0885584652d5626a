#include "dialogs/timbre_chooser.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "formats/general_midi_names.h"
#include "widgets/page_control.h"

namespace nv::dialogs {

namespace {

constexpr int kNoAssignId = 128;

// The standard's sixteen groups of eight programs each.
constexpr const char* kGroups[] = {
    "Piano", "Chrom Percussion", "Organ",     "Guitar",        "Bass",   "Strings",    "Ensemble",     "Brass", "Reed",
    "Pipe",  "Synth Lead",       "Synth Pad", "Synth Effects", "Ethnic", "Percussive", "Sound Effects"};

}  // namespace

TFDCChooseTimbre::TFDCChooseTimbre(const TimbreChoice& choice, Test test, nv::platform::IniFile* settings,
                                   QWidget* parent)
    : DialogFrame({QStringLiteral("FDCChooseTimbre"), {725, 541}, "ChooseTimbreForm", BoundsMode::Position, {}, 0},
                  settings, parent),
      testSound_(std::move(test)) {
  setWindowTitle(QStringLiteral("MIDI instriments"));
  auto* pages = new nv::widgets::TECPageControl(this);
  pages->setObjectName(QStringLiteral("PCInstruments"));
  // One page: no facing sheet and no binding to take room from the buttons.
  nv::widgets::TECPageSetting single = pages->PageSetting();
  single.doubleSheet = false;
  pages->SetPageSetting(single);
  pages->SetSpiralVisible(false);
  auto* sheet = new nv::widgets::TECTabSheet(pages);
  sheet->SetCaption(QStringLiteral("MIDI Standard"));
  QFont small = sheet->font();
  small.setPointSize(8);
  sheet->setFont(small);
  group_ = new QButtonGroup(this);
  auto* grid = new QGridLayout(sheet);
  grid->setContentsMargins(8, 4, 8, 4);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(0);
  // Four columns of four groups, each a label over its eight programs.
  for (int g = 0; g < 16; ++g) {
    const int column = g / 4;
    const int top = (g % 4) * 9;
    auto* label = new QLabel(QString::fromLatin1(kGroups[g]), sheet);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    grid->addWidget(label, top, column);
    for (int i = 0; i < 8; ++i) {
      const int program = g * 8 + i;
      const QString caption = QStringLiteral("%1. %2").arg(program).arg(
          QString::fromUtf8(GeneralMidiName(program).data(), static_cast<int>(GeneralMidiName(program).size())));
      auto* button = new QRadioButton(caption, sheet);
      button->setObjectName(QStringLiteral("RadioButton%1").arg(program + 1));
      group_->addButton(button, program);
      grid->addWidget(button, top + 1 + i, column);
      programs_.push_back(button);
    }
  }
  for (int column = 0; column < 4; ++column) grid->setColumnStretch(column, 1);
  noAssign_ = new QRadioButton(QStringLiteral("No assign"), sheet);
  noAssign_->setObjectName(QStringLiteral("RadioButton0"));
  group_->addButton(noAssign_, kNoAssignId);
  grid->addWidget(noAssign_, 36, 0);
  connect(group_, &QButtonGroup::idClicked, this, [this](int id) { Checked(id); });

  test_ = new QPushButton(QStringLiteral("Test"), this);
  test_->setObjectName(QStringLiteral("BBTest"));
  connect(test_, &QPushButton::clicked, this, [this] { RunTest(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(test_);
  buttons->addStretch();
  buttons->addWidget(MakeOkButton(this));
  buttons->addWidget(MakeCancelButton(this));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(pages, 1);
  layout->addLayout(buttons);
  if (choice.HideNoAssign) HideNoAssign();
  SetTimbre(choice.Program);
  Translate();
}

void TFDCChooseTimbre::SetTimbre(int program) {
  selection_.Set(program);
  ShowSelection();
}

void TFDCChooseTimbre::HideNoAssign() { noAssign_->hide(); }

void TFDCChooseTimbre::Checked(int id) {
  if (id == kNoAssignId)
    selection_.CheckNoAssign();
  else
    selection_.CheckProgram(id);
  ShowSelection();
}

void TFDCChooseTimbre::ShowSelection() {
  const int checked = selection_.Checked();
  QAbstractButton* button = checked == TimbreSelection::kNoAssign ? noAssign_
                            : checked >= 0                        ? programs_[static_cast<std::size_t>(checked)]
                                                                  : nullptr;
  if (button) {
    button->setChecked(true);
  } else if (QAbstractButton* shown = group_->checkedButton()) {
    // An exclusive group keeps one checked; none is wanted.
    group_->setExclusive(false);
    shown->setChecked(false);
    group_->setExclusive(true);
  }
  test_->setEnabled(selection_.MayTest());
}

void TFDCChooseTimbre::RunTest() {
  if (!selection_.MayTest() || !testSound_) return;
  const int program = selection_.Get();
  testSound_(program, TimbreTestKey(program));
}

std::optional<int> TFDCChooseTimbre::Choose(const TimbreChoice& choice, Test test, nv::platform::IniFile* settings,
                                            QWidget* parent) {
  TFDCChooseTimbre dialog(choice, std::move(test), settings, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.GetTimbre();
}

}  // namespace nv::dialogs
