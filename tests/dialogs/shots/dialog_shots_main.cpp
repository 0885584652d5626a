// Writes a picture of each palette, and of a dialog frame, into the folder
// named on the command line, at the designed size and at twice it, for
// looking at by eye.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>


#include "dialogs/arrangement_palettes.h"
#include "dialogs/color_palette.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/drawing_style_palettes.h"
#include "dialogs/font_palettes.h"
#include "dialogs/form_dialog.h"
#include "dialogs/microtone_palette.h"
#include "dialogs/notation_palettes.h"
#include "dialogs/rehearsal_mark_palette.h"
#include "dialogs/transpose_palette.h"
#include "dialogs/text_angle_palette.h"
#include "dialogs/time_signature_palette.h"
#include "dialogs/timbre_chooser.h"

namespace {

void Save(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  const QPixmap picture = window.grab();
  picture.save(folder.filePath(name + ".png"));
  picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
      .save(folder.filePath(name + "_x2.png"));
  window.hide();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  using namespace nv::dialogs;
  {
    KeySignaturePalette keys;
    keys.SetCurrent(3);
    Save(keys, folder, "key_signature");
  }
  {
    ClefPalette clefs;
    clefs.SetCurrent(4);
    Save(clefs, folder, "clef");
  }
  {
    LineEndPalette ends;
    ends.SetCurrent(35);
    Save(ends, folder, "line_end");
  }
  {
    LineWidthPalette widths;
    widths.SetCurrent(3);
    Save(widths, folder, "line_width");
  }
  {
    LineStylePalette styles;
    styles.SetCurrent(1);
    Save(styles, folder, "line_style");
  }
  {
    BrushStylePalette brushes;
    brushes.SetCurrent(6);
    Save(brushes, folder, "brush_style");
  }
  {
    BracketPalette brackets;
    brackets.SetCurrent(1);
    Save(brackets, folder, "bracket");
  }
  {
    ColorPalette colours;
    colours.SetColor(Qt::red);
    Save(colours, folder, "colour");
  }
  {
    TimeSignaturePalette time;
    time.SetTimeSignature(4 * 256 + 4);
    time.SetSymbol(1);
    Save(time, folder, "time_signature");
  }
  {
    TextAnglePalette angle(QStringLiteral("ENU"));
    angle.SetAngle(35);
    Save(angle, folder, "text_angle");
  }
  {
    TransposePalette transpose;
    transpose.SetPitch(5);
    transpose.SetDirection(true);
    Save(transpose, folder, "transpose");
  }
  for (int code : {3, 48}) {
    MicrotonePalette microtones;
    microtones.SetMicrotone(code);
    Save(microtones, folder, QStringLiteral("microtone_%1").arg(code));
  }
  for (bool dialogMode : {false, true}) {
    RowAlignmentPalette rows(nullptr);
    rows.SetAlignKind(1);
    rows.SetDialogMode(dialogMode);
    Save(rows, folder, dialogMode ? "row_alignment_dialog" : "row_alignment");
    JoinNotesPalette join(nullptr);
    join.SetUnionCount(3);
    join.SetDialogMode(dialogMode);
    Save(join, folder, dialogMode ? "join_notes_dialog" : "join_notes");
  }
  {
    JoinNotesPalette inactive(nullptr);
    inactive.SetUnionCount(-1);
    inactive.SetActive(false);
    Save(inactive, folder, "join_notes_inactive");
  }
  {
    RehearsalMarkPalette marks(nullptr);
    marks.SetBorder(1);
    Save(marks, folder, "rehearsal_mark");
  }
  {
    FontNamePalette names;
    names.SetFontName(QStringLiteral("DejaVu Sans"));
    Save(names, folder, "font_name");
  }
  {
    FontStylePalette styles;
    styles.SetStyles(1 | 4);
    Save(styles, folder, "font_style");
  }
  {
    FormDialog form({QStringLiteral("FDCMeasuresCount"), {240, 120}, "MeasuresCountForm", BoundsMode::Position,
                     QStringLiteral("Counts"), 0},
                    nullptr);
    form.setWindowTitle(QStringLiteral("Properties"));
    form.Fields().AddSpin(QStringLiteral("UDCount"), QStringLiteral("Bar count"), 1, 1000, 1);
    form.Fields().AddCheck(QStringLiteral("CBMute"), QStringLiteral("Mute"), false);
    form.Fields().AddRadio(QStringLiteral("RGView"), QStringLiteral(" View "),
                           {QStringLiteral("Normal (5 lines)"), QStringLiteral("Single line")}, 0);
    form.Fields().AddTrackBar(QStringLiteral("TBVolume"), QStringLiteral("Volume"), 0, 127, 100);
    Save(form, folder, "form_dialog");
  }
  {
    DialogFrame dialog({QStringLiteral("FDCMeasuresCount"), {260, 120}, "MeasuresCountForm", BoundsMode::Position,
                        QStringLiteral("Counts"), 0},
                       nullptr);
    dialog.setWindowTitle(QStringLiteral("Measures"));
    auto* label = new QLabel(QStringLiteral("Count of measures"), &dialog);
    // The skin's caption and borders are the dialog's contents margins.
    const QPoint client = dialog.contentsRect().topLeft();
    label->move(client + QPoint(16, 16));
    dialog.MakeOkButton(&dialog)->setGeometry(QRect(client + QPoint(40, 56), QSize(80, 25)));
    dialog.MakeCancelButton(&dialog)->setGeometry(QRect(client + QPoint(140, 56), QSize(80, 25)));
    Save(dialog, folder, "dialog_frame");
  }
  {
    TFDCChooseTimbre timbre({33, false}, {}, nullptr);
    Save(timbre, folder, "timbre_chooser");
  }
  return 0;
}
