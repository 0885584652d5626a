#include "dialogs/logic/timbre_selection.h"

namespace nv::dialogs {

void TimbreSelection::Set(int program) {
  if (program < 0)
    checked_ = kNoAssign;
  else
    checked_ = program <= 127 ? program : kNone;
}

int TimbreTestKey(int program) { return program >= 33 && program <= 40 ? 40 : 64; }

}  // namespace nv::dialogs
