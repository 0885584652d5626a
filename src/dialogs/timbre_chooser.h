#pragma once

#include <functional>
#include <vector>

#include "dialogs/dialog_frame.h"
#include "dialogs/logic/timbre_selection.h"

class QButtonGroup;
class QRadioButton;

namespace nv::dialogs {

// Chooses one of the 128 General MIDI programs, or none ("No assign"), on
// one page of radio buttons in the standard's sixteen groups. Test tries
// the checked program through `test` (program, key), which the opener
// binds to its note preview.
class TFDCChooseTimbre : public DialogFrame {
  Q_OBJECT
 public:
  using Test = std::function<void(int program, int key)>;

  TFDCChooseTimbre(const TimbreChoice& choice, Test test, nv::platform::IniFile* settings, QWidget* parent = nullptr);

  void SetTimbre(int program);
  int GetTimbre() const { return selection_.Get(); }
  void HideNoAssign();

  QRadioButton* ProgramButton(int program) const { return programs_[static_cast<std::size_t>(program)]; }
  QRadioButton* NoAssignButton() const { return noAssign_; }
  QPushButton* TestButton() const { return test_; }

  // Shows the dialog modally: the chosen program, or none when cancelled.
  static std::optional<int> Choose(const TimbreChoice& choice, Test test, nv::platform::IniFile* settings,
                                   QWidget* parent = nullptr);

 private:
  void Checked(int id);
  void ShowSelection();
  void RunTest();

  TimbreSelection selection_;
  Test testSound_;
  std::vector<QRadioButton*> programs_;
  QRadioButton* noAssign_ = nullptr;
  QButtonGroup* group_ = nullptr;
  QPushButton* test_ = nullptr;
};

}  // namespace nv::dialogs
