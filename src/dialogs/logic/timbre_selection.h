#pragma once

namespace nv::dialogs {

// What the timbre chooser takes and gives: a General MIDI program 0..127,
// or -1 for none ("No assign"), which a staff never offers.
struct TimbreChoice {
  int Program = 0;
  bool HideNoAssign = false;
};

// Which of the chooser's buttons is checked: a program's, "No assign"'s, or none.
class TimbreSelection {
 public:
  static constexpr int kNoAssign = -1;
  static constexpr int kNone = -2;

  // Below 0 checks "No assign"; 0..127 that program; beyond, none.
  void Set(int program);
  void CheckProgram(int program) { Set(program); }
  void CheckNoAssign() { checked_ = kNoAssign; }
  // -1 for "No assign", the checked program, 0 when none is checked.
  int Get() const { return checked_ == kNone ? 0 : checked_; }
  // The checked button: a program, kNoAssign or kNone.
  int Checked() const { return checked_; }
  // Test sends the program byte, so only a program may be tried.
  bool MayTest() const { return checked_ >= 0; }

 private:
  int checked_ = kNone;
};

// The key Test sounds: 40 for the basses (programs 33 to 40), 64 for all others.
int TimbreTestKey(int program);

}  // namespace nv::dialogs
