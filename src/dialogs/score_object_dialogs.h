#pragma once

#include <memory>

#include "dialogs/form_dialog.h"
#include "dialogs/logic/barre_style.h"
#include "dialogs/logic/rehearsal_mark_value.h"

namespace nv::dialogs {

// The small dialogs of score objects that need a number or a few options.
// Each is filled and read through its value functions; the opener applies
// the values on result 1.

// The multi-bar rest: "Bar count" 2..20.
class TFDCPauseCount : public FormDialog {
  Q_OBJECT
 public:
  explicit TFDCPauseCount(nv::platform::IniFile* settings, QWidget* parent = nullptr);
  void SetCount(int count);
  int Count() const;
};

// A numbered part of the composition (volta): its number and how many
// measures it spans, each 1..20.
class TFDCPartNumber : public FormDialog {
  Q_OBJECT
 public:
  explicit TFDCPartNumber(nv::platform::IniFile* settings, QWidget* parent = nullptr);
  void SetNumber(int number);
  int Number() const;
  void SetCount(int count);
  int Count() const;
};

// The bar number to start from, from 1.
class TFBarNumber : public FormDialog {
  Q_OBJECT
 public:
  explicit TFBarNumber(nv::platform::IniFile* settings, QWidget* parent = nullptr);
  void SetStart(int start);
  int Start() const;
};

// The rehearsal mark's number as a letter or as digits.
class TFRehearsalMarkCount : public FormDialog {
  Q_OBJECT
 public:
  TFRehearsalMarkCount(RehearsalMarkKind kind, nv::platform::IniFile* settings, QWidget* parent = nullptr);
  void SetValue(int value);
  int GetValue() const { return value_.Value(); }
  QString Text() const;

 private:
  void Typed(const QString& text);
  RehearsalMarkValue value_;
};

// The guitar barre: fret, type, amount and brackets (the style byte) and a
// line style the dialog holds but does not store. The fret and the style
// byte are kept in the settings, after OK and Cancel alike.
class TFBarreProperties : public FormDialog {
  Q_OBJECT
 public:
  explicit TFBarreProperties(nv::platform::IniFile* settings, QWidget* parent = nullptr);
  void SetBarreStyle(int style);
  int GetBarreStyle() const;
  void SetFret(int fret);
  int GetFret() const;
  void SetLineStyle(int style);
  int GetLineStyle() const;
};

}  // namespace nv::dialogs
