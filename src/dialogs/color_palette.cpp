#include "dialogs/color_palette.h"

#include <QColorDialog>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include <array>

#include "dialogs/music_face.h"
#include "widgets/char_button.h"

namespace nv::dialogs {
namespace {

struct BasicColor {
  const char* name;
  QRgb rgb;
};

// The basic colours, row by row.
constexpr std::array<BasicColor, 16> kColors = {{
    {"CBBlack", 0x000000}, {"CBMaroon", 0x800000}, {"CBGreen", 0x008000}, {"CBOlive", 0x808000},
    {"CBSilver", 0xC0C0C0}, {"CBRed", 0xFF0000}, {"CBLime", 0x00FF00}, {"CBYellow", 0xFFFF00},
    {"CBNavy", 0x000080}, {"CBPurple", 0x800080}, {"CBTeal", 0x008080}, {"CBGray", 0x808080},
    {"CBBlue", 0x0000FF}, {"CBFuchsia", 0xFF00FF}, {"CBAqua", 0x00FFFF}, {"CBWhite", 0xFFFFFF},
}};

std::vector<Choice> ColorChoices() {
  std::vector<Choice> choices;
  for (int i = 0; i < static_cast<int>(kColors.size()); ++i) {
    Choice choice;
    choice.value = i;
    choice.name = QString::fromLatin1(kColors[i].name);
    const QColor colour = QColor::fromRgb(kColors[i].rgb);
    choice.paint = [colour](QPainter& painter, const QRect& area) {
      painter.setPen(QColor(0x80, 0x80, 0x80));
      painter.setBrush(colour);
      painter.drawRect(area.adjusted(0, 0, -1, -1));
      painter.setBrush(Qt::NoBrush);
    };
    choices.push_back(std::move(choice));
  }
  return choices;
}

}  // namespace

ColorChooser SystemColorChooser() {
  return [](const QColor& initial) -> std::optional<QColor> {
    const QColor chosen = QColorDialog::getColor(initial);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
  };
}

ColorPalette::ColorPalette(ColorChooser chooser, QWidget* parent)
    : ChoicePalette(QStringLiteral("FColors"), QStringLiteral("Colors"), {108, 117}, ColorChoices(),
                    {4, {21, 20}, {12, 6}}, parent),
      chooser_(std::move(chooser)) {
  ButtonOf(0)->SetDown(true);
  SetOnSelect([this](ChoicePalette&, int index) {
    if (onColor_) onColor_(*this, QColor::fromRgb(kColors[index].rgb));
  });
  other_ = new QPushButton(QStringLiteral("Other colors"), Client());
  other_->setObjectName(QStringLiteral("BOtherColors"));
  other_->setFont(FormFont(QStringLiteral("Arial"), 8));
  other_->setGeometry(12, 92, 85, 17);
  connect(other_, &QPushButton::clicked, this, &ColorPalette::ChooseOther);
}

void ColorPalette::SetColor(const QColor& color) {
  if (color.rgb() == current_.rgb()) return;
  current_ = color;
  for (std::size_t i = 0; i < kColors.size(); ++i)
    if (kColors[i].rgb == (color.rgb() & 0xFFFFFF)) {
      SetCurrent(static_cast<int>(i));
      return;
    }
  SetCurrent(-1);
}

void ColorPalette::ChooseOther() {
  // The chooser's dialog takes the focus: the palette stays until it returns.
  SetKeepOpen(true);
  hide();
  const QPointer<ColorPalette> alive(this);
  const std::optional<QColor> chosen = chooser_ ? chooser_(current_) : std::nullopt;
  if (!alive) return;
  SetKeepOpen(false);
  if (chosen && onColor_) onColor_(*this, *chosen);
  close();
}

}  // namespace nv::dialogs
