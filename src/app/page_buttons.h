#pragma once

#include <QString>

#include <string_view>

#include "dialogs/logic/face_look.h"

class QWidget;

namespace nv::widgets {
class TECCharButton;
}

namespace nv::app {

// A text of the page tables (UTF-8) as Qt shows it.
QString PageText(std::string_view text);
// A flat button of the tool pages, named `name`, with the pages' dark border.
nv::widgets::TECCharButton* MakePageButton(QWidget* parent, std::string_view name);
// Shows the face factory's picture of `name` on the button, filling it.
void ShowPicture(nv::widgets::TECCharButton& button, std::string_view name);
// How a painted face shows the button as it is now: hot under the mouse,
// pressed while down.
nv::dialogs::FaceLook LookOf(const nv::widgets::TECCharButton& button);

}  // namespace nv::app
