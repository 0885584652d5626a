#pragma once

#include <QWidget>

#include "dialogs/logic/palette_placement.h"

namespace nv::widgets {
class TECFormLanguage;
}

namespace nv::dialogs {

// The frame every drop-down palette shares: a tool window with the small
// skin that opens under its button, takes the focus, and closes (and frees
// itself) on Escape, on deactivation and when the focus leaves it, unless
// it is being moved or keeps itself open while a dialog of its own runs.
// A Qt::Popup would grab the input and close when a modal dialog opens.
class PaletteFrame : public QWidget {
  Q_OBJECT
 public:
  PaletteFrame(const QString& formName, const QString& caption, QSize clientSize, QWidget* parent = nullptr);
  ~PaletteFrame() override;

  // Places the palette at the button's bottom-left corner (or for GridCell
  // the cell's bottom-right), within the screen's available area.
  void PlaceUnder(const QWidget* button, PalettePlacement placement = PalettePlacement::MainWindow);
  void PlaceUnderRect(const QRect& cell, const QWidget* owner, PalettePlacement placement);

  // The area the palette's controls sit on, of the designed client size.
  QWidget* Client() const { return client_; }

  // Translates the palette's texts (its controls exist by then), shows and
  // activates it.
  void Open();
  nv::widgets::TECFormLanguage* Language() const { return language_; }

  // While set, neither deactivation nor losing the focus closes the palette.
  void SetKeepOpen(bool keep) { keepOpen_ = keep; }
  bool KeepOpen() const { return keepOpen_; }
  // Whether a move was handled since the palette was shown (its showing counts).
  bool Moved() const { return moved_; }
  // Whether losing the focus closes the palette (off for the palettes that
  // run as modal dialogs).
  void SetClosesOnFocusLoss(bool closes) { closesOnFocusLoss_ = closes; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CloseOnFocusLoss();
  void OnFocusChanged(QWidget* old, QWidget* now);

  QWidget* client_;
  nv::widgets::TECFormLanguage* language_;
  bool moveGuard_ = false;
  bool moved_ = false;
  bool keepOpen_ = false;
  bool closesOnFocusLoss_ = true;
};

}  // namespace nv::dialogs
