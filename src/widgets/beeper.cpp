#include "widgets/beeper.h"

#include <QApplication>

namespace nv::widgets {

namespace {

class SystemBeeper final : public Beeper {
 public:
  void Beep() override { QApplication::beep(); }
};

}  // namespace

Beeper& Beeper::System() {
  static SystemBeeper beeper;
  return beeper;
}

}  // namespace nv::widgets
