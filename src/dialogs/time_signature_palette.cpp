#include "dialogs/time_signature_palette.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "dialogs/logic/time_signature_rule.h"
#include "dialogs/music_face.h"
#include "render/music_font_codes.h"
#include "widgets/char_button.h"

namespace nv::dialogs {
namespace {

QComboBox* NumberList(const std::vector<int>& numbers, const QString& name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  for (int n : numbers) list->addItem(QString::number(n), n);
  return list;
}

nv::widgets::TECCharButton* SymbolButtonOf(std::uint8_t glyph, const QString& name, QWidget* parent) {
  auto* button = new nv::widgets::TECCharButton(parent);
  button->setObjectName(name);
  button->setFont(MusicFont(16));
  button->SetChar(glyph);
  button->SetPos(15, 6);
  button->SetGroupIndex(1);
  button->SetAllowAllUp(true);
  return button;
}

void Select(QComboBox* list, int number) {
  const int index = list->findData(number);
  if (index >= 0) list->setCurrentIndex(index);
}

}  // namespace

TimeSignaturePalette::TimeSignaturePalette(QWidget* parent)
    : PaletteFrame(QStringLiteral("FChooseSize"), QStringLiteral("Choose Time Signature"), {204, 58}, parent) {
  numerator_ = NumberList(time_signature::Numerators(true), QStringLiteral("CBNumerator"), Client());
  numerator_->setGeometry(6, 6, 60, 22);
  denominator_ = NumberList(time_signature::Denominators(), QStringLiteral("CBDenominator"), Client());
  denominator_->setGeometry(6, 31, 60, 22);
  common_ = SymbolButtonOf(nv::render::glyph::CommonTime, QStringLiteral("SBCommonTime"), Client());
  common_->setGeometry(80, 8, 44, 44);
  cut_ = SymbolButtonOf(nv::render::glyph::CutTime, QStringLiteral("SBCutTime"), Client());
  cut_->setGeometry(136, 8, 44, 44);
  SetTimeSignature(time_signature::Code(4, 4));
  connect(numerator_, &QComboBox::currentIndexChanged, this, &TimeSignaturePalette::Changed);
  connect(denominator_, &QComboBox::currentIndexChanged, this, &TimeSignaturePalette::Changed);
  connect(common_, &QAbstractButton::clicked, this, &TimeSignaturePalette::Changed);
  connect(cut_, &QAbstractButton::clicked, this, &TimeSignaturePalette::Changed);
}

void TimeSignaturePalette::SetTimeSignature(int code) {
  const time_signature::Preset preset = time_signature::PresetFor(code);
  const QSignalBlocker numerator(numerator_);
  const QSignalBlocker denominator(denominator_);
  Select(numerator_, preset.numerator);
  Select(denominator_, preset.denominator);
  Enable(preset.symbols.first, preset.symbols.second);
}

void TimeSignaturePalette::SetSymbol(int symbol) {
  const QSignalBlocker first(common_);
  const QSignalBlocker second(cut_);
  common_->SetDown(symbol == 1);
  cut_->SetDown(symbol == 2);
}

int TimeSignaturePalette::TimeSignature() const {
  return time_signature::Code(numerator_->currentData().toInt(), denominator_->currentData().toInt());
}

int TimeSignaturePalette::Symbol() const {
  return time_signature::SymbolFor(numerator_->currentData().toInt(), denominator_->currentData().toInt(),
                                   common_->Down(), cut_->Down());
}

void TimeSignaturePalette::Enable(bool first, bool second) {
  common_->setEnabled(first);
  cut_->setEnabled(second);
}

void TimeSignaturePalette::Changed() {
  const time_signature::SymbolsEnabled enabled =
      time_signature::EnabledFor(numerator_->currentData().toInt(), denominator_->currentData().toInt());
  Enable(enabled.first, enabled.second);
  if (onSelect_) onSelect_(*this, TimeSignature(), Symbol());
}

}  // namespace nv::dialogs
