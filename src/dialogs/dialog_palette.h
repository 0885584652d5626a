#pragma once

#include <functional>
#include <string>

#include "dialogs/palette_frame.h"

class QEventLoop;
class QPushButton;

namespace nv::platform {
class IniFile;
}

namespace nv::dialogs {

class FormFields;

// A palette of fields that also runs as a modal dialog. As a drop-down it
// reports every change the user makes, closes on focus loss and frees
// itself. In dialog mode it shows "&Ok" and "Ca&ncel", is taller, and
// Exec() runs it modally with the dialog skin at the place it was last
// left; it then stays until its opener frees it, and writes its bounds.
class DialogPalette : public PaletteFrame {
  Q_OBJECT
 public:
  using SelectHandler = std::function<void(DialogPalette& palette)>;

  // `dialogHeight` and `dropDownHeight` are the window's heights in the two modes.
  DialogPalette(const QString& formName, const QString& caption, QSize clientSize, std::string section,
                nv::platform::IniFile* settings, int dialogHeight, int dropDownHeight, QWidget* parent = nullptr);
  ~DialogPalette() override;

  FormFields& Fields() const { return *fields_; }
  void SetOnSelect(SelectHandler handler) { onSelect_ = std::move(handler); }

  void SetDialogMode(bool on);
  bool DialogMode() const { return dialogMode_; }
  // Runs the palette modally in dialog mode: 1 after OK, else 0.
  int Exec();

  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FitHeight();
  void Finish(int result);

  FormFields* fields_;
  QPushButton* ok_;
  QPushButton* cancel_;
  std::string section_;
  nv::platform::IniFile* settings_;
  int dialogHeight_;
  int dropDownHeight_;
  bool dialogMode_ = false;
  int result_ = 0;
  QEventLoop* loop_ = nullptr;
  SelectHandler onSelect_;
};

}  // namespace nv::dialogs
