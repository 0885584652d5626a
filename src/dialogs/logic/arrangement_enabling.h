#pragma once

namespace nv::dialogs {

// The row-alignment palette's controls that are enabled. Kinds: 0 evenly,
// 1 proportional, 2 positional.
struct RowAlignmentEnabled {
  bool group = false;  // the kind buttons and labels
  bool horizontal = false;
  bool noteDensity = false;
  bool measureCount = false;
  friend bool operator==(const RowAlignmentEnabled&, const RowAlignmentEnabled&) = default;
};
RowAlignmentEnabled RowAlignmentEnabling(bool active, int kind);

// The joining palette's buttons: None, Full bar, By Time Signature, Custom.
enum class JoinButton { None = 0, FullBar = 1, ByTimeSignature = 2, Custom = 3 };
// The button of a joining count: 0 none, 1 full bar, -1 by time signature,
// any other count the custom division.
JoinButton JoinButtonOf(int count);
// The count a button gives; the custom one gives the edit's count.
int JoinCountOf(JoinButton button, int customCount);

struct JoinEnabled {
  bool group = false;
  bool count = false;
  friend bool operator==(const JoinEnabled&, const JoinEnabled&) = default;
};
JoinEnabled JoinEnabling(bool active, JoinButton down);

}  // namespace nv::dialogs
