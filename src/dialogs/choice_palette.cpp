#include "dialogs/choice_palette.h"

#include <QPainter>

#include "dialogs/music_face.h"
#include "widgets/char_button.h"

namespace nv::dialogs {

ChoicePalette::ChoicePalette(const QString& formName, const QString& caption, QSize clientSize,
                             const std::vector<Choice>& choices, const ChoiceGrid& grid, QWidget* parent)
    : PaletteFrame(formName, caption, clientSize, parent) {
  int next = 0;
  for (const Choice& choice : choices) {
    const QPoint cell = choice.cell.value_or(QPoint(next % grid.columns, next / grid.columns));
    next = cell.y() * grid.columns + cell.x() + 1;
    // Joined to the group before it joins the form: every button comes up,
    // so telling each sibling of each new member (a thousand in a library's
    // drop-down) would change nothing and cost the square of their number.
    auto* button = new nv::widgets::TECCharButton;
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->setParent(Client());
    button->setObjectName(choice.name);
    button->setToolTip(choice.hint);
    button->setGeometry(QRect(grid.origin + QPoint(cell.x() * grid.button.width(), cell.y() * grid.button.height()),
                              grid.button));
    if (choice.glyph != 0) {
      button->setFont(MusicFont(choice.glyphSize));
      button->SetChar(choice.glyph);
      button->SetPos(choice.glyphAt.x(), choice.glyphAt.y());
    } else if (choice.paint) {
      button->SetCustomDraw(true);
      button->SetOnDrawCharButton(choice.paint);
    } else {
      button->setText(choice.caption);
    }
    const int value = choice.value;
    connect(button, &QAbstractButton::clicked, this, [this, value] { Choose(value); });
    values_.push_back(value);
    buttons_.push_back(button);
  }
}

void ChoicePalette::SetCurrent(int value) {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (values_[i] == value) {
      buttons_[i]->SetDown(true);
      return;
    }
  for (auto* button : buttons_) button->SetDown(false);
}

std::optional<int> ChoicePalette::Current() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i]->Down()) return values_[i];
  return std::nullopt;
}

nv::widgets::TECCharButton* ChoicePalette::ButtonOf(int value) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (values_[i] == value) return buttons_[i];
  return nullptr;
}

void ChoicePalette::Choose(int value) {
  if (onSelect_) onSelect_(*this, value);
  close();
}

}  // namespace nv::dialogs
