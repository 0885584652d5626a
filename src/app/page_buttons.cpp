#include "app/page_buttons.h"

#include "editor/face_factory.h"
#include "platform/colors.h"
#include "widgets/char_button.h"

namespace nv::app {

QString PageText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

nv::widgets::TECCharButton* MakePageButton(QWidget* parent, std::string_view name) {
  constexpr nv::platform::Color kBorderColor = nv::platform::rgb(66, 64, 64);
  auto* button = new nv::widgets::TECCharButton(parent);
  button->setObjectName(PageText(name));
  button->SetFlat(true);
  button->SetBlackBorder(true);
  button->SetBorderColor(kBorderColor);
  return button;
}

void ShowPicture(nv::widgets::TECCharButton& button, std::string_view name) {
  button.SetGlyph(nv::editor::FaceFactory::Picture(name));
  button.SetNumGlyphs(1);
  button.SetMargin(-1);
}

nv::dialogs::FaceLook LookOf(const nv::widgets::TECCharButton& button) {
  const nv::widgets::ButtonFace state = button.Face();
  return {button.Hot(), state == nv::widgets::ButtonFace::Down || state == nv::widgets::ButtonFace::Exclusive};
}

}  // namespace nv::app
