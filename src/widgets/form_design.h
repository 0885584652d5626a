#pragma once

#include <functional>
#include <vector>

class QWidget;

namespace nv::widgets {

class TECFormDesigner;

// The window skins every form takes from its creation.
enum FormDesignKind {
  kDialogDesign = 0,      // dialogs: caption 20 px, borders 3 px
  kMainWindowDesign = 1,  // the main window: caption 24 px, borders 4 px
  kToolDesign = 2,        // message box and palettes: caption 16 px, borders 2 px
};

// Puts the skin of `kind` on a top-level form (its designer made when it
// has none) and switches it on; returns the designer. An unknown kind takes
// the dialog skin.
TECFormDesigner* ApplyFormDesign(QWidget* form, int kind);

// Loads the skin of `kind` into a designer without switching it on.
void LoadFormDesign(TECFormDesigner& designer, int kind);

// A caption button of a window's own: its picture in the skin's art
// ("button_forward", "button_back") and what a click does.
struct CaptionButton {
  const char* picture;
  std::function<void()> onClick;
};
// Keeps only the close button of the skin of `kind` and puts `buttons` left
// of it, the first next to it.
void SetCaptionButtons(TECFormDesigner& designer, int kind, const std::vector<CaptionButton>& buttons);

}  // namespace nv::widgets
