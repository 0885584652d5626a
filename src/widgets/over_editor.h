#pragma once

#include <QPixmap>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "widgets/logic/value_text.h"
#include "widgets/popup_window.h"

namespace nv::widgets {

class Beeper;
class TECPopupCalculator;
class TECPopupCalendar;
class TECPopupTime;

// Attaches a typed pop-up and its button glyph to an edit control: the
// characters the type accepts, the pop-up created on first need, and the
// pop-up's value as the field's text.
class TECOverEditor {
 public:
  TECOverEditor(QWidget& edit, std::string acceptedChars, QString glyphName,
                const FormatSettings& settings);
  virtual ~TECOverEditor();
  TECOverEditor(const TECOverEditor&) = delete;
  TECOverEditor& operator=(const TECOverEditor&) = delete;

  virtual QPixmap GetGlyph();
  // The pop-up changed its value while open (the field's text follows).
  virtual void SetOnChange(std::function<void()> onChange);
  // The pop-up finished: true to accept its value, false to cancel.
  virtual void SetOnAccept(std::function<void(bool accept)> onAccept);
  // The pop-up's value as text, "" without a pop-up.
  virtual QString GetText() = 0;
  virtual void SetText(const QString& text) = 0;
  virtual std::optional<PopupValue> GetValue();
  virtual void SetValue(const PropertyValue& value);
  virtual bool IsValidChar(char c) const;
  virtual bool IsValidKey(char c) const { return IsValidChar(c); }
  virtual bool IsPopupWindow(const QWidget* control, const QWidget* window) const;
  virtual TEcPopupWindow* CreatePopup() = 0;

  TEcPopupWindow* Popup() const { return popup_.data(); }

 protected:
  QWidget& edit_;
  const FormatSettings& settings_;
  QPointer<TEcPopupWindow> popup_;  // a child of the edit's window
  std::function<void()> onChange_;
  std::function<void(bool)> onAccept_;

 private:
  std::string accepted_;
  QString glyphName_;
  QPixmap glyph_;
};

class TECOverCalculator final : public TECOverEditor {
 public:
  TECOverCalculator(QWidget& edit, Beeper& beeper, const FormatSettings& settings);
  QString GetText() override;
  void SetText(const QString& text) override;
  bool IsValidKey(char c) const override;
  TEcPopupWindow* CreatePopup() override;
  TECPopupCalculator* Calculator() const;

 private:
  Beeper& beeper_;
};

class TECOverCalendar final : public TECOverEditor {
 public:
  TECOverCalendar(QWidget& edit, const FormatSettings& settings,
                  std::function<Date()> today = nullptr);
  QString GetText() override;
  // A text that is no date leaves the calendar as it is.
  void SetText(const QString& text) override;
  TEcPopupWindow* CreatePopup() override;
  TECPopupCalendar* Calendar() const;

 private:
  std::function<Date()> today_;
};

class TECOverTime final : public TECOverEditor {
 public:
  TECOverTime(QWidget& edit, const FormatSettings& settings);
  QString GetText() override;
  void SetText(const QString& text) override;
  TEcPopupWindow* CreatePopup() override;
  TECPopupTime* Time() const;
};

}  // namespace nv::widgets
