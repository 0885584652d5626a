#pragma once

#include <QFrame>
#include <QPixmap>

#include <array>

#include "platform/colors.h"
#include "widgets/logic/scroll_panel_model.h"

namespace nv::widgets {

class TECButtonScroll;

enum class PanelBevel { None, Lowered, Raised };

// A panel whose children may be larger than it: small arrows show at its
// edges while there is more to see in their direction, and dragging the
// panel moves the contents. The palette strips hold their rows of buttons
// in it.
class TECScrollPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TECScrollPanel(QWidget* parent = nullptr);

  ScrollPanelModel& Model() { return model_; }
  // Re-places the arrows after the children moved, showed or hid.
  void RefreshButtons();

  void SetHorzScroll(bool on);
  void SetVertScroll(bool on);
  void SetStep(int value) { model_.SetStep(value); }
  int Step() const { return model_.Step(); }
  // The repeat interval of a held arrow, milliseconds.
  void SetTimeOut(int ms);
  int TimeOut() const { return timeOut_; }
  void SetButtonOffset(int value);
  void SetButtonSize(int value);
  void SetRightBottomSpace(int value);
  void SetBlackBorder(bool on);
  void SetBorderColor(nv::platform::Color colour);
  void SetWallPaper(const QPixmap& picture);
  void SetBevels(PanelBevel outer, PanelBevel inner, int bevelWidth, int borderWidth);
  void SetColor(const QColor& colour);

  // One scroll of the contents by (dx, dy), limited as the model says.
  void ScrollBy(int dx, int dy);
  // The arrow of a direction, or null before it was first needed.
  TECButtonScroll* Arrow(ScrollArrowKind kind) const { return arrows_[static_cast<std::size_t>(kind)]; }
  // How often the arrows were re-placed (child moves of a scroll do not count).
  int ArrowUpdates() const { return arrowUpdates_; }

 Q_SIGNALS:
  // After the panel painted itself.
  void Painted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void childEvent(QChildEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsArrow(const QObject* object) const;
  std::vector<QWidget*> Contents() const;
  Rect ClientRect() const;
  Rect Extent() const;

  ScrollPanelModel model_;
  std::array<TECButtonScroll*, 4> arrows_{};
  int timeOut_ = 20;
  bool blackBorder_ = false;
  nv::platform::Color borderColor_ = 0;
  QPixmap wallPaper_;
  PanelBevel bevelOuter_ = PanelBevel::Raised;
  PanelBevel bevelInner_ = PanelBevel::None;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  QColor color_;
  bool updating_ = false;
  bool dragging_ = false;
  QPoint last_;
  int arrowUpdates_ = 0;
};

}  // namespace nv::widgets
