#pragma once

#include <QLineEdit>
#include <QStringList>

#include <functional>
#include <memory>
#include <variant>

#include "widgets/logic/field_rules.h"
#include "widgets/logic/repeat_timer.h"
#include "widgets/logic/string_grid_rules.h"
#include "widgets/logic/tick_clock.h"

class QTimer;

namespace nv::widgets {

class Beeper;
class PopupListBox;
class TECOverEditor;
class TEcPopupWindow;

// A field's typed value.
using EditorValue = std::variant<int, double, std::string, Date, TimeOfDay>;

// A single-line field that holds a typed value, refuses the characters its
// type cannot take (with a beep) and carries a button at its right end: a
// drop-down list, an ellipsis, or a calculator, calendar or time pop-up.
// The drop-downs never take the focus: the field keeps it and forwards its
// keys to the open one. The grids' in-place editors derive from it.
class TECEditor : public QLineEdit {
  Q_OBJECT
 public:
  explicit TECEditor(QWidget* parent = nullptr,
                     const FormatSettings& settings = FormatSettings::Program(),
                     Beeper* beeper = nullptr, const TickClock& clock = TickClock::Steady());
  ~TECEditor() override;

  TEditType EditType() const { return type_; }
  void SetEditType(TEditType type);
  // esEdit, esDropDown, esDropDownList or esEllipsis.
  TEditStyle EditStyle() const { return style_; }
  void SetEditStyle(TEditStyle style);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int width);
  const QStringList& DropDownList() const { return list_; }
  void SetDropDownList(const QStringList& items) { list_ = items; }
  // Today for the date type and its calendar.
  void SetToday(std::function<Date()> today);

  // The text read in the field's type; a text that does not read raises
  // ConversionError and stays as it is.
  EditorValue GetValue() const;
  // Writes the value and records it as the last accepted text.
  void SetValue(const EditorValue& value);

  void DropDown();
  void CloseUp(bool accept);
  bool ListVisible() const { return listVisible_; }
  TEcPopupWindow* ActiveDropDown() const { return active_; }
  TECOverEditor* OverEditor() const { return over_.get(); }
  PopupListBox* ListBox() const { return listBox_; }
  bool ShowsButton() const;
  QRect ButtonRect() const;

  // Runs the up/down steps that fell due while an arrow is held (a timer
  // calls it every 10 ms).
  void PollRepeat();
  void SetRepeatTiming(int armMs, int intervalMs) { repeat_.SetTiming(armMs, intervalMs); }

  // The value changed by the user (a typed change on leaving, an accepted
  // drop-down); the ellipsis was clicked.
  std::function<void()> onChangeData;
  std::function<void()> onEditButtonClick;

 protected:
  // What the button is: by the style here, by the cell in the grids.
  virtual ButtonKind Kind() const;
  // The pop-up the type drops down when the button is no other kind.
  virtual PopupKind WantedPopup() const;
  virtual bool AcceptsTyped(char c) const;
  // Whether the text may change (not read-only, not a chosen-only cell).
  virtual bool MayModify() const { return !isReadOnly(); }
  // The accepted drop-down's text (the list's item or the pop-up's value).
  virtual void Accepted(const QString& candidate);
  // Loads the pop-up when it opens.
  virtual void LoadPopup();
  // The pop-up changed while open.
  virtual void PopupChanged();
  virtual void StepUpDown(int /*delta*/) {}
  virtual void EllipsisClicked();
  // After every closing of an open drop-down, accepted or not.
  virtual void DropDownClosed() {}
  // Whether the editor paints the text itself (a chosen-only list).
  virtual bool PaintsOwnText() const { return style_ == esDropDownList; }

  void UpdateDropDown();
  void PaintButton(QPainter& painter);
  const FormatSettings& Settings() const { return settings_; }
  Beeper& Beep() const { return *beeper_; }
  const TickClock& Clock() const { return clock_; }
  const QString& LastAccepted() const { return lastAccepted_; }
  void SetLastAccepted(const QString& text) { lastAccepted_ = text; }

  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool HandleDropDownKey(QKeyEvent& event);
  void UpdateMargins();
  bool OnButton(const QPoint& point) const;

  const FormatSettings& settings_;
  Beeper* beeper_;
  const TickClock& clock_;
  TEditType type_ = etInteger;
  TEditStyle style_ = esEdit;
  int buttonWidth_;
  QStringList list_;
  PopupListBox* listBox_ = nullptr;
  std::unique_ptr<TECOverEditor> over_;
  PopupKind overKind_ = PopupKind::None;
  TEcPopupWindow* active_ = nullptr;
  std::function<Date()> today_;
  bool listVisible_ = false;
  bool tracking_ = false;
  bool pressed_ = false;
  bool upperHalf_ = false;
  bool updating_ = false;
  bool focused_ = false;
  QString lastAccepted_;
  RepeatTimer repeat_;
  QTimer* repeatTicks_ = nullptr;
};

}  // namespace nv::widgets
