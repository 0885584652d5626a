#include "dialogs/logic/arrangement_enabling.h"

namespace nv::dialogs {

RowAlignmentEnabled RowAlignmentEnabling(bool active, int kind) {
  return {active, active, active && kind == 0, active && kind == 2};
}

JoinButton JoinButtonOf(int count) {
  switch (count) {
    case 0: return JoinButton::None;
    case 1: return JoinButton::FullBar;
    case -1: return JoinButton::ByTimeSignature;
    default: return JoinButton::Custom;
  }
}

int JoinCountOf(JoinButton button, int customCount) {
  switch (button) {
    case JoinButton::None: return 0;
    case JoinButton::FullBar: return 1;
    case JoinButton::ByTimeSignature: return -1;
    case JoinButton::Custom: break;
  }
  return customCount;
}

JoinEnabled JoinEnabling(bool active, JoinButton down) { return {active, active && down == JoinButton::Custom}; }

}  // namespace nv::dialogs
