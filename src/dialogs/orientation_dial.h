#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

namespace nv::dialogs {

// A dial on which the user points an angle: marks every 15 degrees, the
// current one red, and the text drawn from the centre along the angle
// (counter-clockwise from the right).
class TOrientation : public QWidget {
  Q_OBJECT
 public:
  explicit TOrientation(QWidget* parent = nullptr);

  int Angle() const { return angle_; }
  // Any angle, brought into 0..359.
  void SetAngle(int degrees);
  QString Text() const { return text_; }
  void SetText(const QString& text);
  // Fired when the user sets the angle with the mouse.
  void SetOnChange(std::function<void(TOrientation&)> handler) { onChange_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void RebuildFace();
  void PointAt(QPoint point);
  QPoint Centre() const { return {width() / 2, height() / 2}; }

  int angle_ = 0;
  QString text_ = QStringLiteral("Insciption");
  QImage face_;
  std::function<void(TOrientation&)> onChange_;
};

}  // namespace nv::dialogs
