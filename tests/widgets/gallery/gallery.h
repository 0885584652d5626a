#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "widgets/logic/page_control_model.h"

namespace nv::widgets {
class TECCharButton;
class TECPageControl;
class TECScrollPanel;
}  // namespace nv::widgets

// Fixture content for the widgets: the gallery program shows it, and the
// widget tests build on it.
namespace gallery {

// A notebook of `pages` captioned pages ("Notes", "Rests", ...), each page
// painted in its own light colour with a label.
nv::widgets::TECPageControl* Notebook(QWidget* parent, nv::widgets::PageOrientation orientation,
                                      bool doubleSheet, int pages);

// Flat black-bordered music-font buttons in a row, one for each look: up,
// hot, pressed, toggled (down in group 1), disabled, with a drop part, a
// raised one and a captioned one. `buttons` receives them in that order.
QWidget* ButtonRow(QWidget* parent, std::vector<nv::widgets::TECCharButton*>* buttons = nullptr);

// A 180 x 30 strip holding a row of twelve 24-pixel buttons, scrolled
// `steps` steps of 4 pixels to the right.
nv::widgets::TECScrollPanel* Strip(QWidget* parent, int steps);

// A top-level 360 x 240 form wearing the skin of `kind`, with a label and
// a button in its client area.
QWidget* SkinnedWindow(int kind, const QString& title);

// Every control in one window: notebooks with their tabs on all four
// sides, a double-sheet notebook with a scrolled tab row, the button row
// and the strip.
QWidget* Controls();

}  // namespace gallery
