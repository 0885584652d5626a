#include "dialogs/property_dialogs.h"

#include <QPainter>

#include "dialogs/music_face.h"
#include "dialogs/timbre_chooser.h"
#include "document/score_document.h"

namespace nv::dialogs {
namespace {

const QString kName = QStringLiteral("EName");
const QString kInstrument = QStringLiteral("EInstrument");
const QString kChannel = QStringLiteral("UDChannel");
const QString kAccolade = QStringLiteral("GBAccolade");
const QString kMute = QStringLiteral("CBMute");
const QString kPartiture = QStringLiteral("CBPartiture");
const QString kVoices = QStringLiteral("UDLineCount");
const QString kView = QStringLiteral("RGView");
const QString kCount = QStringLiteral("UDCount");

// The model's channels.
constexpr int kFirstChannel = 1;
constexpr int kLastChannel = 16;

FormFields::InstrumentChooser Chooser(const PropertyDialogServices& services, bool hideNoAssign) {
  return [services, hideNoAssign](int current) { return services.Choose(current, hideNoAssign); };
}

// The accolade buttons: the brace (style 0) and the bracket (style 1).
void PaintAccolade(QPainter& painter, const QRect& area, int style) {
  painter.setPen(Qt::black);
  painter.setFont(FormFont(QStringLiteral("Times New Roman"), 18));
  painter.drawText(area, Qt::AlignCenter, style == 0 ? QStringLiteral("{") : QStringLiteral("["));
}

}  // namespace

std::optional<int> PropertyDialogServices::Choose(int current, bool hideNoAssign) const {
  if (ChooseTimbre) return ChooseTimbre(current, hideNoAssign);
  TimbreChoice choice{current, hideNoAssign};
  return TFDCChooseTimbre::Choose(choice, TestSound, Settings, Parent);
}

TFDCInstrumentProperties::TFDCInstrumentProperties(const PropertyDialogServices& services)
    : FormDialog({QStringLiteral("FDCInstrumentProperties"), {300, 300}, "InstrumentPropertiesForm",
                  BoundsMode::Position, {}, 0},
                 services.Settings, services.Parent) {
  setWindowTitle(QStringLiteral("Music staff properties"));
  FormFields& f = Fields();
  f.AddText(kName, QStringLiteral("Name"), {});
  f.AddInstrument(kInstrument, QStringLiteral("Instrument"), Chooser(services, true), -1);
  f.AddSpin(kChannel, QStringLiteral("Channel"), kFirstChannel, kLastChannel, kFirstChannel);
  GlyphGroup accolades;
  accolades.buttons = {{0, QStringLiteral("SBAccolade0"), QStringLiteral("Accolade"), {}, 0, {}, PaintAccolade},
                       {1, QStringLiteral("SBAccolade1"), QStringLiteral("Accolade"), {}, 0, {}, PaintAccolade}};
  accolades.buttonSize = {28, 28};
  f.AddGlyphGroup(kAccolade, QStringLiteral("Accolade"), accolades, 0);
  f.AddCheck(kMute, QStringLiteral("Mute"), false);
  f.AddCheck(kPartiture, QStringLiteral("As music score"), false);
  Translate();
}

void TFDCInstrumentProperties::SetInstrument(const nv::document::InstrumentProps& props) {
  SetValues({{kName.toStdString(), props.Name},
             {kInstrument.toStdString(), props.Program},
             {kChannel.toStdString(), props.Channel},
             {kAccolade.toStdString(), props.Accolade == 0 ? 0 : 1},
             {kMute.toStdString(), props.Mute},
             {kPartiture.toStdString(), props.AsMusicScore}});
}

nv::document::InstrumentProps TFDCInstrumentProperties::Instrument() const {
  const FormValues v = Values();
  return {v.Int(kInstrument.toStdString()), v.Text(kName.toStdString()), v.Int(kChannel.toStdString()),
          v.Int(kAccolade.toStdString()) == 0 ? 0 : 1, v.Bool(kMute.toStdString()),
          v.Bool(kPartiture.toStdString())};
}

TFDCRowProperties::TFDCRowProperties(const PropertyDialogServices& services)
    : FormDialog({QStringLiteral("FDCRowProperties"), {300, 300}, "RowPropertiesForm", BoundsMode::Position, {}, 0},
                 services.Settings, services.Parent) {
  setWindowTitle(QStringLiteral("Row properties"));
  FormFields& f = Fields();
  f.AddSpin(kVoices, QStringLiteral("Voice count"), 1, 3, 1);
  f.AddRadio(kView, QStringLiteral(" View "), {QStringLiteral("Normal (5 lines)"), QStringLiteral("Single line")}, 0);
  f.AddInstrument(kInstrument, QStringLiteral("Instrument"), Chooser(services, false), -1);
  f.AddSpin(kChannel, QStringLiteral("Channel"), kFirstChannel, kLastChannel, kFirstChannel);
  f.AddCheck(kMute, QStringLiteral("Mute"), false);
  f.AddText(kName, QStringLiteral("Name"), {});
  Translate();
}

void TFDCRowProperties::SetRow(const nv::document::RowProps& props) {
  SetValues({{kVoices.toStdString(), props.VoiceCount},
             {kView.toStdString(), props.FiveLines ? 0 : 1},
             {kInstrument.toStdString(), props.Program},
             {kChannel.toStdString(), props.Channel},
             {kMute.toStdString(), props.Mute},
             {kName.toStdString(), props.Name}});
}

nv::document::RowProps TFDCRowProperties::Row() const {
  const FormValues v = Values();
  return {v.Int(kVoices.toStdString()),     v.Int(kView.toStdString()) == 0, v.Text(kName.toStdString()),
          v.Int(kInstrument.toStdString()), v.Int(kChannel.toStdString()),   v.Bool(kMute.toStdString())};
}

TFDCMeasuresCount::TFDCMeasuresCount(const PropertyDialogServices& services)
    : FormDialog({QStringLiteral("FDCMeasuresCount"), {200, 100}, "MeasuresCountForm", BoundsMode::Position, {}, 0},
                 services.Settings, services.Parent) {
  setWindowTitle(QStringLiteral("Properties"));
  Fields().AddSpin(kCount, QStringLiteral("Bar count"), 1, 1000, 1);
  Translate();
}

int TFDCMeasuresCount::Count() const { return Values().Int(kCount.toStdString()); }

TFNoteProperties::TFNoteProperties(const PropertyDialogServices& services)
    : FormDialog({QStringLiteral("FNoteProperties"), {238, 71}, "NotePropertiesForm", BoundsMode::Position, {}, 0},
                 services.Settings, services.Parent) {
  setWindowTitle(QStringLiteral("Note properties"));
  Fields().AddInstrument(kInstrument, QStringLiteral("Instrument"), Chooser(services, false), -1);
  Translate();
}

void TFNoteProperties::SetInstrument(int program) { SetValues({{kInstrument.toStdString(), program}}); }

int TFNoteProperties::Program() const { return Values().Int(kInstrument.toStdString()); }

bool EditInstrumentProperties(nv::document::ScoreDocument& document, const PropertyDialogServices& services) {
  const std::optional<nv::document::InstrumentProps> props = nv::document::ReadActiveInstrument(document.Score());
  if (!props) return false;
  TFDCInstrumentProperties dialog(services);
  dialog.SetInstrument(*props);
  if (dialog.exec() != QDialog::Accepted) return false;
  nv::document::ApplyActiveInstrument(document.Score(), dialog.Instrument());
  return true;
}

bool EditRowProperties(nv::document::ScoreDocument& document, const PropertyDialogServices& services) {
  const std::optional<nv::document::RowProps> props = nv::document::ReadActiveRow(document.Score());
  if (!props) return false;
  TFDCRowProperties dialog(services);
  dialog.SetRow(*props);
  if (dialog.exec() != QDialog::Accepted) return false;
  nv::document::ApplyActiveRow(document.Score(), dialog.Row());
  return true;
}

std::optional<int> AskMeasuresCount(const PropertyDialogServices& services) {
  TFDCMeasuresCount dialog(services);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Count();
}

}  // namespace nv::dialogs
