// Writes pictures of the score-object dialogs, the grace-note and text
// dialogs, the export options and the preview of a score file into the
// folder named on the command line, at their size and at twice it, for
// looking at by eye: score_object_shots FOLDER SCORE.sfd
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "dialogs/file_option_dialogs.h"
#include "dialogs/grace_notes_dialog.h"
#include "dialogs/image_input_dialog.h"
#include "dialogs/preview_dialog.h"
#include "dialogs/score_object_dialogs.h"
#include "dialogs/text_input_dialog.h"
#include "document/score_document.h"
#include "support/save_shot.h"


int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  using namespace nv::dialogs;
  {
    TFDCVorschlagInput grace(nullptr);
    nv::document::GraceNotesValues values;
    values.Main = {5, 5, 32, 0};
    grace.SetNote(values);
    grace.SetCount(3);
    grace.SetDuration(16);
    grace.SetOptions(grace_option::kAfter | grace_option::kShort | grace_option::kSlur);
    Save(grace, folder, "grace_notes");
    grace.SetOptions(grace_option::kSlur);
    grace.SetCount(6);
    grace.SetDuration(4);
    Save(grace, folder, "grace_notes_before");
    // One flagged grace note with a flat after an eighth: clear of its flag.
    values.Main = {5, 5, 16, 0};
    values.Slots = {{5, 5, 'g'}};
    values.Count = 1;
    grace.SetNote(values);
    grace.SetDuration(16);
    grace.SetOptions(grace_option::kAfter | grace_option::kShort | grace_option::kSlur);
    Save(grace, folder, "grace_note_after_eighth");
  }
  {
    TFDCTextInput text(nullptr);
    nv::document::TextInputValues values;
    values.Lines = {"Allegro $:;"};
    values.FontName = "Vorod Iduriza";
    values.FontSize = 18;
    text.SetValues(values);
    Save(text, folder, "text_music");
  }
  {
    TFBarreProperties barre(nullptr);
    barre.SetBarreStyle(149);
    barre.SetFret(5);
    barre.SetLineStyle(1);
    Save(barre, folder, "barre");
  }
  {
    TFExportSetting exportSetting(nullptr);
    exportSetting.SetFormatOptions(TFExportSetting::kQualityBit | TFExportSetting::kPixelFormatBit);
    exportSetting.SetPageCount(5);
    Save(exportSetting, folder, "export_options");
  }
  {
    TFDCTempoInput tempo(nullptr);
    Save(tempo, folder, "tempo");
    TFImportMIDI import(nullptr);
    Save(import, folder, "import_midi");
    TFRehearsalMarkCount mark(RehearsalMarkKind::Letters, nullptr);
    mark.SetValue(2);
    Save(mark, folder, "rehearsal_mark_count");
    TFDCPartNumber part(nullptr);
    Save(part, folder, "part_number");
    TFDCImageInput image(nullptr);
    Save(image, folder, "image");
    // A picture loaded: 120 x 80 with a frame and a diagonal, centred at 160 x 100.
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::darkBlue, 3));
    painter.drawRect(picture.rect().adjusted(1, 1, -2, -2));
    painter.drawLine(0, 0, 119, 79);
    painter.end();
    const QString file = folder.filePath(QStringLiteral("picture.bmp"));
    picture.save(file, "BMP");
    image.LoadFile(file.toStdString());
    nv::document::ImageValues values = image.GetValues();
    values.Width = 160;
    values.Height = 100;
    values.Centre = true;
    image.SetValues(values);
    Save(image, folder, "image_loaded");
    QFile::remove(file);
  }
  {
    nv::document::ScoreDocument score;
    score.Load(argv[2]);
    TFDCPreview preview(score, nullptr, true, {});
    preview.resize(800, 600);
    Save(preview, folder, "preview");
  }
  return 0;
}
