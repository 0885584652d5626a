#include "dialogs/font_palettes.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QVBoxLayout>

#include <array>

#include "dialogs/form_fields.h"
#include "dialogs/logic/font_choices.h"

namespace nv::dialogs {
namespace {

namespace fc = font_choice;

// The style check boxes, in the order of the mask's bits.
constexpr std::array<const char*, 4> kStyleNames = {"CBBold", "CBItalic", "CBUnderline", "CBStrikeOut"};
constexpr std::array<const char*, 4> kStyleCaptions = {"Bold", "Italic", "Underline", "StrikeOut"};

std::vector<std::string> ToStd(const QStringList& names) {
  std::vector<std::string> list;
  for (const QString& name : names) list.push_back(name.toStdString());
  return list;
}

}  // namespace

FontNamePalette::FontNamePalette(const QStringList& families, QWidget* parent)
    : PaletteFrame(QStringLiteral("FTextName"), QStringLiteral("Font name"), {140, 426}, parent) {
  list_ = new QListWidget(Client());
  list_->setObjectName(QStringLiteral("LBFonts"));
  list_->setGeometry(0, 0, 140, 426);
  for (const std::string& name : fc::FontNameList(ToStd(families))) list_->addItem(QString::fromStdString(name));
  connect(list_, &QListWidget::itemClicked, this, &FontNamePalette::Choose);
}

QStringList FontNamePalette::SystemFamilies() { return QFontDatabase::families(); }

void FontNamePalette::SetFontName(const QString& name) {
  std::vector<std::string> names;
  for (int i = 0; i < list_->count(); ++i) names.push_back(list_->item(i)->text().toStdString());
  const int index = fc::FindFontName(names, name.toStdString());
  if (index < 0) return;
  list_->setCurrentRow(index);
  list_->scrollToItem(list_->item(index));
}

QString FontNamePalette::FontName() const { return list_->currentItem() ? list_->currentItem()->text() : QString(); }

void FontNamePalette::Choose(QListWidgetItem* item) {
  if (onSelect_) onSelect_(*this, item->text());
  close();
}

FontStylePalette::FontStylePalette(QWidget* parent)
    : PaletteFrame(QStringLiteral("FFontStyles"), QStringLiteral("Font styles"), {111, 79}, parent),
      fields_(new FormFields(Client())) {
  auto* layout = new QVBoxLayout(Client());
  layout->setContentsMargins(6, 2, 6, 2);
  layout->addWidget(fields_->Area());
  for (std::size_t i = 0; i < kStyleNames.size(); ++i)
    fields_->AddCheck(QString::fromLatin1(kStyleNames[i]), QString::fromLatin1(kStyleCaptions[i]), false);
  fields_->SetOnChange([this] {
    if (onSelect_) onSelect_(*this, Styles());
  });
}

void FontStylePalette::SetStyles(int mask) {
  FormValues values;
  for (std::size_t i = 0; i < kStyleNames.size(); ++i) values.Set(kStyleNames[i], (mask & fc::kStyles[i]) != 0);
  fields_->SetValues(values);
}

int FontStylePalette::Styles() const {
  const FormValues values = fields_->Values();
  int mask = 0;
  for (std::size_t i = 0; i < kStyleNames.size(); ++i)
    if (values.Bool(kStyleNames[i])) mask |= fc::kStyles[i];
  return mask;
}

}  // namespace nv::dialogs
