#pragma once

#include <QWidget>
#include <functional>

#include "widgets/logic/popup_menu_model.h"

namespace nv::widgets {

// The multi-step drop-down list under the undo and redo buttons: moving the
// pointer down the lines selects every step from the first to the one under
// it, and a click takes them all at once. A frameless tool window that never
// takes the activation or the focus from the main window; it closes on a
// release, on a press outside its lines, on a press anywhere else in the
// program and when the program loses the activation, and then frees itself
// (made with new, never kept beyond onClick).
class TECPopupMenu : public QWidget {
  Q_OBJECT
 public:
  explicit TECPopupMenu(QWidget* owner);
  ~TECPopupMenu() override;

  void SetItems(const QStringList& items);
  const PopupMenuModel& Model() const { return model_; }

  // A line was clicked; its index counts from 0.
  std::function<void(int index)> onClick;
  // When set, a footer line shows the text it gives for the selected count.
  std::function<QString(int selectedCount)> onGetMessage;

  // Shows the list at a screen position, unless it has nothing to show.
  void Popup(const QPoint& topLeft);
  // Shows the list under `button`, its left edges aligned.
  void PopupUnder(const QWidget& button);
  // Hides the list and frees it once control is back in the event loop.
  void CloseUp();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateLineHeight();

  PopupMenuModel model_;
  bool closing_ = false;
};

}  // namespace nv::widgets
