#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <functional>

#include "widgets/logic/image_track_model.h"

namespace nv::widgets {

// A track bar drawn from pictures: a first, a repeated centre and a last
// track piece, and a strip of button images (normal, hot, one not shown,
// disabled), each drawn transparent where it has its bottom-left pixel's
// colour. The logic is ImageTrackModel; this control paints through an
// off-screen picture and forwards the mouse.
class TECImageTrack : public QWidget {
  Q_OBJECT
 public:
  explicit TECImageTrack(QWidget* parent = nullptr);

  const QImage& FirstTrackPicture() const { return first_; }
  const QImage& CenterTrackPicture() const { return centre_; }
  const QImage& LastTrackPicture() const { return last_; }
  const QImage& ButtonPicture() const { return button_; }
  void SetFirstTrackPicture(const QImage& picture);
  void SetCenterTrackPicture(const QImage& picture);
  void SetLastTrackPicture(const QImage& picture);
  void SetButtonPicture(const QImage& picture);
  // The four pictures of `pattern`.
  void CopyPictures(const TECImageTrack& pattern);

  TrackOrientation Orientation() const { return model_.orientation; }
  void SetOrientation(TrackOrientation value);
  ImageTrackStyle Style() const { return model_.style; }
  void SetStyle(ImageTrackStyle value) { model_.style = value; }
  int Position() const { return model_.Position(); }
  void SetPosition(int value);
  int Min() const { return model_.Min(); }
  void SetMin(int value);
  int Max() const { return model_.Max(); }
  void SetMax(int value);
  int ButtonWidth() const { return model_.buttonWidth; }
  void SetButtonWidth(int value);
  int ButtonHeight() const { return model_.buttonHeight; }
  void SetButtonHeight(int value);
  bool DrawProgress() const { return model_.drawProgress; }
  void SetDrawProgress(bool value);
  void SetLeftOffset(int value);
  void SetRightOffset(int value);
  void SetTopOffset(int value);
  void SetBottomOffset(int value);

  const ImageTrackModel& Model() const { return model_; }

  // May draw on the off-screen picture before it is shown.
  std::function<void(TECImageTrack& sender, QImage& picture)> OnPaint;

 Q_SIGNALS:
  // After Position changed.
  void OnChange();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // Repaints what a change of position from `before` needs and tells.
  void Changed(const nv::platform::Rect& before);
  void RepaintButtonIfHotChanged(bool wasHot);
  void SetInt(int& field, int value);
  void UpdateStrip();

  ImageTrackModel model_;
  QImage first_, centre_, last_, button_;
  QPixmap firstPiece_, centrePiece_, lastPiece_, buttonPiece_;
};

}  // namespace nv::widgets
