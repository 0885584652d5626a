#include "dialogs/rehearsal_mark_palette.h"

#include <QHBoxLayout>

#include "dialogs/form_fields.h"
#include "dialogs/window_bounds.h"

namespace nv::dialogs {
namespace {

const QString kNumeration = QStringLiteral("RGNumeration");
const QString kKind = QStringLiteral("RGKind");
const QString kBorder = QStringLiteral("RGBorder");
constexpr char kSection[] = "RehearsalMarkForm";

}  // namespace

RehearsalMarkPalette::RehearsalMarkPalette(nv::platform::IniFile* settings, QWidget* parent)
    : PaletteFrame(QStringLiteral("FRehearsalMark"), QStringLiteral("Rehearsal marks settings"), {228, 138}, parent),
      fields_(new FormFields(Client())),
      settings_(settings) {
  auto* layout = new QHBoxLayout(Client());
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(fields_->Area());
  fields_->SetColumns(2);
  fields_->AddRadio(kNumeration, QStringLiteral(" Numeration "), {QStringLiteral("Auto"), QStringLiteral("Custom")}, 0);
  fields_->AddRadio(kKind, QStringLiteral(" Kind"), {QStringLiteral("Letters"), QStringLiteral("Digits")}, 0);
  fields_->SetColumns(1);
  fields_->AddRadio(kBorder, QStringLiteral(" Border "),
                    {QStringLiteral("None"), QStringLiteral("Rectangle"), QStringLiteral("Circle")}, 0, 2);
  fields_->SetOnChange([this] {
    if (onSelect_) onSelect_(*this);
  });
  RestoreWindowBounds(*this, settings_, kSection, BoundsMode::Position);
}

RehearsalMarkPalette::~RehearsalMarkPalette() { StoreWindowBounds(*this, settings_, kSection); }

void RehearsalMarkPalette::SetNumeration(int index) { fields_->SetValue(kNumeration, index); }
void RehearsalMarkPalette::SetKind(int index) { fields_->SetValue(kKind, index); }
void RehearsalMarkPalette::SetBorder(int index) { fields_->SetValue(kBorder, index); }
int RehearsalMarkPalette::GetNumeration() const { return std::get<int>(fields_->Value(kNumeration)); }
int RehearsalMarkPalette::GetKind() const { return std::get<int>(fields_->Value(kKind)); }
int RehearsalMarkPalette::GetBorder() const { return std::get<int>(fields_->Value(kBorder)); }

}  // namespace nv::dialogs
