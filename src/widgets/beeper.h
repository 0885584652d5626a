#pragma once

namespace nv::widgets {

// Where the fields' refusal beeps go: the system's beep in the program, a
// counter in tests.
class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep() = 0;

  // QApplication::beep.
  static Beeper& System();
};

}  // namespace nv::widgets
