#pragma once

#include "dialogs/dialog_frame.h"
#include "document/insert_dialogs.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QWidget;

namespace nv::widgets {
class TECCharButton;
}

namespace nv::dialogs {

// "Text properties": a block of text with its font name, size, style and
// colour, whether it aligns to the notes, and with the music font a panel
// of notation characters to type into it.
class TFDCTextInput : public DialogFrame {
  Q_OBJECT
 public:
  explicit TFDCTextInput(nv::platform::IniFile* settings, QWidget* parent = nullptr);

  // The text and its font, shown as the dialog opens; "Align to notes"
  // keeps the choice last made.
  void SetValues(const nv::document::TextInputValues& values);
  nv::document::TextInputValues GetValues() const;

  bool GetAlignToNotes() const;
  void SetAlignToNotes(bool align);
  // Page texts do not align to notes.
  void HideAlignToNotes();
  // Font only: the memo is read-only and shows a sample line.
  void SetSampleMode(bool sample);

  QPlainTextEdit& Memo() const { return *memo_; }

 protected:
  bool validate() override;

 private:
  void ApplyMusic(bool music);
  void ApplyColor(std::int32_t color);
  void ApplyFont();
  void InsertCharacter(char character);

  nv::platform::IniFile* settings_;
  QPlainTextEdit* memo_;
  QLineEdit* name_;
  QListWidget* names_;
  QSpinBox* size_;
  QListWidget* sizes_;
  QCheckBox* bold_;
  QCheckBox* italic_;
  QCheckBox* strike_;
  QCheckBox* underline_;
  nv::widgets::TECCharButton* color_;
  QCheckBox* music_;
  QCheckBox* alignment_;
  QCheckBox* allPages_;
  QWidget* options_;
  QWidget* notes_;
  std::int32_t textColor_ = 0;
  bool sampleMode_ = false;
};

// Runs the dialog over `values`, with only the font to choose when
// `fontOnly`; on OK what it shows comes back into `values`. True on OK.
bool AskTextInput(nv::document::TextInputValues& values, bool fontOnly, nv::platform::IniFile* settings,
                  QWidget* parent);

}  // namespace nv::dialogs
