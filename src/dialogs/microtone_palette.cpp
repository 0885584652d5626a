#include "dialogs/microtone_palette.h"

#include <QTabWidget>

#include "dialogs/logic/microtone_map.h"
#include "dialogs/music_face.h"
#include "widgets/char_button.h"

namespace nv::dialogs {

MicrotonePalette::MicrotonePalette(QWidget* parent)
    : PaletteFrame(QStringLiteral("FMicroTone"), QStringLiteral("Microtones"), {136, 91}, parent) {
  pages_ = new QTabWidget(Client());
  pages_->setObjectName(QStringLiteral("PCMicroTone"));
  pages_->setGeometry(2, 2, 132, 87);
  for (int page = 0; page < 2; ++page) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("TS%1").arg(page + 1));
    pages_->addTab(sheet, QString::number(page + 1));
    const std::vector<microtone::Choice>& choices = microtone::Page(page);
    const int width = page == 0 ? 30 : 20;
    std::vector<nv::widgets::TECCharButton*> buttons;
    for (std::size_t i = 0; i < choices.size(); ++i) {
      auto* button = new nv::widgets::TECCharButton(sheet);
      button->setObjectName(QStringLiteral("SBMicro%1").arg(choices[i].code));
      button->setToolTip(QString::fromLatin1(choices[i].hint));
      button->setGeometry(3 + static_cast<int>(i) * width, 6, width, 44);
      button->setFont(MusicFont(16));
      button->SetChar(choices[i].glyph);
      button->SetPos(width / 2 - 4, 7);
      button->SetGroupIndex(1);
      button->SetAllowAllUp(true);
      const int code = choices[i].code;
      connect(button, &QAbstractButton::clicked, this, [this, code] {
        if (onSelect_) onSelect_(*this, code);
        close();
      });
      buttons.push_back(button);
    }
    buttons_.push_back(std::move(buttons));
  }
}

void MicrotonePalette::SetMicrotone(int code) {
  const microtone::Place place = microtone::PlaceOf(code);
  for (std::size_t page = 0; page < buttons_.size(); ++page)
    for (std::size_t i = 0; i < buttons_[page].size(); ++i)
      buttons_[page][i]->SetDown(static_cast<int>(page) == place.page && static_cast<int>(i) == place.button);
  pages_->setCurrentIndex(place.page);
}

int MicrotonePalette::Microtone() const {
  const int page = pages_->currentIndex();
  const std::vector<microtone::Choice>& choices = microtone::Page(page);
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (buttons_[static_cast<std::size_t>(page)][i]->Down()) return choices[i].code;
  return 0;
}

nv::widgets::TECCharButton* MicrotonePalette::ButtonOf(int code) const {
  const microtone::Place place = microtone::PlaceOf(code);
  return place.button < 0 ? nullptr
                          : buttons_[static_cast<std::size_t>(place.page)][static_cast<std::size_t>(place.button)];
}

}  // namespace nv::dialogs
