#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/logic/dialog_bounds.h"

class QPushButton;

namespace nv::platform {
class IniFile;
}
namespace nv::widgets {
class TECFormLanguage;
}

namespace nv::dialogs {

// What a dialog is: its form name (the language file's record), its
// designed size, its section of the settings file, what it restores of its
// bounds, its help topic (none when empty) and its skin (0 dialogs, 2 palettes).
struct DialogSpec {
  QString formName;
  QSize size;
  std::string section;
  BoundsMode bounds = BoundsMode::Position;
  QString helpTopic;
  int skinKind = 0;
};

// A further value a dialog keeps in its section: read once the dialog's
// controls exist, written with the bounds. The frame's destructor runs after
// the derived dialog's, so the functions capture the controls they use (they
// still exist then), never the derived dialog itself.
struct SettingsKey {
  std::string key;
  std::string defaultValue;
  std::function<void(const std::string& value)> load;
  std::function<std::string()> store;
};

// The frame every modal dialog shares: its skin, its bounds restored when it
// is made and written with its further keys when it is destroyed (after OK
// and after Cancel alike), Escape to cancel, F1 and the help button for its
// topic, and the program's message box for input it refuses. Without a
// settings object nothing is read or written.
class DialogFrame : public QDialog {
  Q_OBJECT
 public:
  DialogFrame(DialogSpec spec, nv::platform::IniFile* settings, QWidget* parent = nullptr);
  ~DialogFrame() override;

  const DialogSpec& Spec() const { return spec_; }

  // Reads the further keys now (the dialog's controls exist) and keeps them
  // to write when the dialog is destroyed.
  void SetSettingsKeys(std::vector<SettingsKey> keys);

  // Shows the dialog's texts 0 (caption) and 1 (message, "%s" replaced by
  // the label) in the message box and keeps the dialog open.
  void rejectInput(const QString& label);

  // OK: the dialog's own check, then modal result 1.
  void accept() override;

  // "&Ok" and "Ca&ncel" with their drawn glyphs, wired to accept and reject.
  QPushButton* MakeOkButton(QWidget* parent);
  QPushButton* MakeCancelButton(QWidget* parent);
  // The help button, which opens the topic.
  QPushButton* MakeHelpButton(QWidget* parent);

  // Applies the language file's record to the dialog's children; a dialog
  // calls it once it has made them.
  void Translate();
  nv::widgets::TECFormLanguage* Language() const { return language_; }

 protected:
  // False refuses OK (after telling the user, usually through rejectInput).
  virtual bool validate() { return true; }
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void RestoreBounds();
  void StoreSettings();

  DialogSpec spec_;
  nv::platform::IniFile* settings_;
  nv::widgets::TECFormLanguage* language_;
  std::vector<SettingsKey> keys_;
};

}  // namespace nv::dialogs
