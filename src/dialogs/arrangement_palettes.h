#pragma once

#include "dialogs/dialog_palette.h"

namespace nv::dialogs {

// The row-alignment palette: "Active", the note interval (0 evenly, 1
// proportional, 2 positional), "Horzontal alignment", "Note density" (for
// evenly) and the measure count (for positional). Its setters report nothing.
class RowAlignmentPalette : public DialogPalette {
  Q_OBJECT
 public:
  explicit RowAlignmentPalette(nv::platform::IniFile* settings, QWidget* parent = nullptr);

  void SetActive(bool active);
  void SetAlignKind(int kind);
  void SetNoteDensity(bool density);
  void SetMeasureCount(int count);
  void SetHorzAlign(bool align);
  bool GetActive() const;
  int GetAlignKind() const;
  bool GetNoteDensity() const;
  int GetMeasureCount() const;
  bool GetHorzAlign() const;
};

// The joining palette: "Active" and the joining count (0 none, 1 full bar,
// -1 by time signature, from 2 a custom division). Its setters report nothing.
class JoinNotesPalette : public DialogPalette {
  Q_OBJECT
 public:
  explicit JoinNotesPalette(nv::platform::IniFile* settings, QWidget* parent = nullptr);

  void SetActive(bool active);
  // -1, 0 and 1 press their buttons; any other count presses the custom
  // one and shows the count (at least 2).
  void SetUnionCount(int count);
  bool GetActive() const;
  int GetUnionCount() const;

 private:
  QWidget* custom_;
};

}  // namespace nv::dialogs
