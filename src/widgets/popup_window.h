#pragma once

#include <QFrame>

#include <functional>

#include "widgets/logic/property_tree.h"
#include "widgets/logic/string_grid_rules.h"

class QKeyEvent;

namespace nv::widgets {

// The base of the fields' drop-downs: a frameless tool window that never
// takes activation or the keyboard focus (it is no Qt::Popup, which would
// grab the keyboard). The field that owns it keeps the focus and forwards
// its keys; a left button released over it closes it, accepting when the
// pointer is inside.
class TEcPopupWindow : public QFrame {
  Q_OBJECT
 public:
  explicit TEcPopupWindow(QWidget* owner);

  QWidget* OwnerControl() const { return owner_; }

  // The value shown; none when there is nothing to take (an error).
  virtual std::optional<PopupValue> GetValue() = 0;
  // Loads a value: a number, or a text read in the pop-up's type; anything
  // else, or what does not read, loads the pop-up's fallback.
  virtual void SetValue(const PropertyValue& value) = 0;
  virtual void CloseUp(bool accept);
  virtual QString GetValueText() const { return {}; }
  // A key pressed in the owner field while the pop-up is open.
  virtual void ForwardKey(QKeyEvent& event);

  std::function<void(bool accept)> onCloseUp;

  // Shows the pop-up at a screen position without activating it.
  void ShowAt(const QPoint& topLeft);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Children never take the focus either.
  void ChildAdded(QWidget& child);

 private:
  QWidget* owner_;
};

}  // namespace nv::widgets
