#pragma once

#include <QImage>
#include <QWidget>

#include "dialogs/dialog_frame.h"
#include "dialogs/logic/grace_notes_model.h"

class QRadioButton;
class QCheckBox;
class QSpinBox;

namespace nv::widgets {
class TECCharButton;
}

namespace nv::dialogs {

// The grace-note dialog's preview: the main note with its grace notes on a
// small staff, the current one marked by an inverted line. It is drawn
// whole into an image after every change; a press selects the grace note
// under the pointer.
class GracePreviewView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 204;
  static constexpr int kHeight = 90;

  GracePreviewView(GraceNotesModel& model, QWidget* parent);
  void Redraw();
  const QImage& Image() const { return image_; }

 Q_SIGNALS:
  void Selected();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  GraceNotesModel& model_;
  QImage image_;
};

// "Grace note properties": how many grace notes a note has (1..64), their
// duration, pitch and accidental each, before or after the note, long or
// short, with or without a slur.
class TFDCVorschlagInput : public DialogFrame {
  Q_OBJECT
 public:
  explicit TFDCVorschlagInput(nv::platform::IniFile* settings, QWidget* parent = nullptr);

  void SetNote(const nv::document::GraceNotesValues& values);
  nv::document::GraceNotesValues Values() const { return model_.Values(); }
  void SetDuration(int duration);
  int GetDuration() const { return model_.Duration(); }
  void SetOptions(int options);
  int GetOptions() const { return model_.Options(); }
  void SetCount(int count);
  int GetCount() const { return model_.Count(); }

  const GraceNotesModel& Model() const { return model_; }
  GracePreviewView& Preview() const { return *preview_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Shows the model in the controls and redraws the preview.
  void Show();
  void ReadOptions();
  nv::widgets::TECCharButton* NoteButton(int duration) const;

  GraceNotesModel model_;
  GracePreviewView* preview_;
  QSpinBox* count_;
  std::vector<nv::widgets::TECCharButton*> durations_;
  std::vector<nv::widgets::TECCharButton*> accidentals_;
  QRadioButton* before_;
  QRadioButton* after_;
  QRadioButton* long_;
  QRadioButton* short_;
  QCheckBox* slur_;
  bool showing_ = false;
};

}  // namespace nv::dialogs
