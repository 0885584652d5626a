#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QObject>
#include <QPen>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <functional>
#include <stdexcept>
#include <vector>

#include "widgets/logic/skin_layout.h"

class QPainter;
class QMouseEvent;
class QWidget;

namespace nv::widgets {

// A skin that cannot be made for its owner.
class DException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The caption bar's look. Pictures are drawn transparent (see TransparentPiece).
struct TECFormCaption {
  int height = 16;
  int textLeft = -1;   // -1: after the icon and the left picture
  int textRight = -1;  // -1: up to the right picture
  QPixmap icon;
  bool iconVisible = false;
  int iconLeft = 4;
  int iconTop = 3;
  QColor color;        // caption fill; none when invalid
  QFont font;          // "Times new roman", bold
  QColor fontColor = Qt::white;
  QPixmap activeLeft, deactiveLeft, activeRight, deactiveRight;
  QPixmap activeCenter, deactiveCenter, activeMinRight, deactiveMinRight;
  TECFormCaption();
};

// The border's look: pictures, or a pen outline with `simple`.
struct TECFormBorder {
  bool simple = false;
  QPen pen{Qt::black};
  QPixmap left, right, bottom, leftBottom, rightBottom, leftTop, rightTop;
  QPixmap deLeft, deRight, deBottom, deLeftBottom, deRightBottom, deLeftTop, deRightTop;
};

// One caption button: its place and style, a strip of up to four images of
// its width (normal, hot, pressed, inactive), and for custom buttons the
// click and the say over being shown.
struct TECFormButton {
  SkinButton place;
  QImage picture;
  bool transparent = false;
  std::function<void()> onClick;
  std::function<void(bool& visible, int& top, int& left)> onShow;
};

// Gives a top-level form a picture-drawn frame: the form becomes frameless,
// its contents margins leave room for the caption and borders, and the
// designer paints caption, borders, icon, caption text, caption buttons and
// a tiled wallpaper from the form's paint event. The caption moves the
// window, the borders resize it (through the window manager, or by itself
// where there is none), and the caption buttons minimise, maximise, restore
// and close it. A form docked into another widget keeps no frame.
class TECFormDesigner : public QObject {
  Q_OBJECT
 public:
  // `owner` must be a form (a top-level widget) without a designer yet.
  explicit TECFormDesigner(QObject* owner);
  ~TECFormDesigner() override;

  // The form's designer, or null.
  static TECFormDesigner* Of(const QWidget* form);

  QWidget* Form() const { return form_; }
  bool Active() const { return active_; }
  void SetActive(bool on);
  // The frame is drawn and handled: active, and the form is a window.
  bool InForce() const;
  bool FullScreen() const { return layout_.fullScreen; }
  void SetFullScreen(bool on);

  const TECFormCaption& CaptionSetting() const { return caption_; }
  void SetCaptionSetting(const TECFormCaption& caption);
  const TECFormBorder& BorderSetting() const { return border_; }
  void SetBorderSetting(const TECFormBorder& border);
  const std::vector<TECFormButton>& Buttons() const { return buttons_; }
  void SetButtons(const std::vector<TECFormButton>& buttons);
  const QPixmap& WallPaper() const { return wallPaper_; }
  void SetWallPaper(const QPixmap& picture);
  int WidthEllipse() const { return widthEllipse_; }
  int HeightEllipse() const { return heightEllipse_; }
  void SetEllipse(int width, int height);
  bool FullMaxSize() const { return fullMaxSize_; }
  void SetFullMaxSize(bool on) { fullMaxSize_ = on; }

  // Called when the window is activated or deactivated.
  std::function<void(bool active)> OnChangeActive;
  // Supplies the window outline instead of the rounded rectangle.
  std::function<QRegion(const QSize&)> OnCreateRgn;

  // Copies another designer's skin (border, caption, buttons, wallpaper,
  // Active and the ellipse), refreshing the frame once.
  void Assign(const TECFormDesigner& other);

  // The frame geometry as it stands (button places, visibility, states).
  const SkinLayout& Layout() const { return layout_; }
  // Runs a caption button's action.
  void RunButton(int index);
  // The caption text as drawn (shortened to its room).
  QString ShownCaption() const;
  // Where the caption text goes, in window coordinates.
  QRect CaptionTextRect() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static QObject* CheckedOwner(QObject* owner);
  void RecomputeFrame();
  void ApplyOutline();
  void SyncLayout();
  void PaintFrame(QPainter& painter);
  void Minimize();
  void Maximize();
  void Restore();
  bool MousePress(QMouseEvent* event);
  bool MouseMove(QMouseEvent* event);
  bool MouseRelease(QMouseEvent* event);
  bool MouseDoubleClick(QMouseEvent* event);
  // A double click on the caption: maximised and normal swap, for a form
  // that can be both minimised and maximised.
  void ToggleMaximized();
  bool FormResizable() const;

  QWidget* form_;
  bool active_ = false;
  bool assigning_ = false;
  bool fullMaxSize_ = false;
  TECFormCaption caption_;
  TECFormBorder border_;
  std::vector<TECFormButton> buttons_;
  QPixmap wallPaper_;
  int widthEllipse_ = 0;
  int heightEllipse_ = 0;
  SkinLayout layout_;

  // Saved while active.
  Qt::WindowFlags savedFlags_;
  QMargins savedMargins_;
  bool canMinimize_ = true;
  bool canMaximize_ = true;

  // A move or resize the designer follows itself (no window manager).
  enum class Drag { None, PendingMove, Move, Resize };
  Drag drag_ = Drag::None;
  Qt::Edges dragEdges_;
  QPoint dragStart_;
  QRect dragGeometry_;
  // The last press on the caption, for telling double clicks.
  QElapsedTimer captionPress_;
  QPoint captionPoint_;
  bool pressToggled_ = false;
  // The normal geometry of a window it maximised itself.
  QRect normalGeometry_;
  bool selfMaximized_ = false;
};

}  // namespace nv::widgets
