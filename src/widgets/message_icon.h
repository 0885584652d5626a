#pragma once

#include <QWidget>

namespace nv::widgets {

// The message box's question and warning pictures, drawn in code and centred
// in the widget.
class MessageIcon : public QWidget {
  Q_OBJECT
 public:
  enum class Picture { Question, Warning };
  MessageIcon(Picture picture, QWidget* parent);
  Picture picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture picture_;
};

}  // namespace nv::widgets
