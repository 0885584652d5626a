#include "dialogs/main_stand_ins.h"

#include <QStringList>

#include "dialogs/form_dialog.h"
#include "dialogs/timbre_chooser.h"
#include "formats/general_midi_names.h"

namespace nv::dialogs {

namespace {

// Lines of a one-line field: "|" starts a new line; none when empty.
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (const QString& line : QString::fromStdString(text).split(QLatin1Char('|'), Qt::SkipEmptyParts))
    lines.push_back(line.toStdString());
  return lines;
}

// The quantisation values of the MIDI import, longest first.
const std::vector<int> kQuantizeValues = {32, 16, 8, 4, 2};

}  // namespace

std::optional<nv::document::NewStaffSetup> MainStandIns::NewComposition() {
  FormDialog dialog({"TFDCNewInstrument", {360, 220}, "NewInstrumentForm", BoundsMode::Position, {}, 0}, settings_,
                    parent_);
  dialog.setWindowTitle(QStringLiteral("Musical staff properties"));
  // The choices of the last time, which the dialog keeps.
  nv::document::NewStaffSetup setup =
      settings_ ? nv::document::ReadNewStaffSetup(*settings_) : nv::document::NewStaffSetup{};
  FormFields& fields = dialog.Fields();
  const QString lineBreak = QStringLiteral("\"|\" starts a new line");
  fields.AddText(QStringLiteral("MTitle"), QStringLiteral("Title"), {})->setToolTip(lineBreak);
  fields.AddText(QStringLiteral("MAuthor"), QStringLiteral("Author"), {})->setToolTip(lineBreak);
  fields.AddInstrument(
      QStringLiteral("EInstrument"), QStringLiteral("Instrument"),
      [this](int current) { return TFDCChooseTimbre::Choose({current, true}, {}, settings_, parent_); },
      setup.Timbre);
  fields.AddSpin(QStringLiteral("UDTempo"), QStringLiteral("Tempo"), 1, 512, setup.Tempo);
  if (dialog.exec() != 1) return std::nullopt;
  const FormValues chosen = dialog.Values();
  setup.Title = LinesOf(chosen.Text("MTitle"));
  setup.Author = LinesOf(chosen.Text("MAuthor"));
  setup.Timbre = std::max(chosen.Int("EInstrument"), 0);
  setup.Name = std::string(GeneralMidiName(setup.Timbre));
  setup.Tempo = chosen.Int("UDTempo");
  if (settings_) nv::document::WriteNewStaffSetup(*settings_, setup);
  return setup;
}

std::optional<int> MainStandIns::BarCount() {
  FormDialog dialog({"TFDCMeasuresCount", {200, 100}, "MeasuresCountForm", BoundsMode::Position, {}, 0}, settings_,
                    parent_);
  dialog.setWindowTitle(QStringLiteral("Properties"));
  dialog.Fields().AddSpin(QStringLiteral("UDCount"), QStringLiteral("Bar count"), nv::document::kMinBarCount,
                          nv::document::kMaxBarCount, 1);
  if (dialog.exec() != 1) return std::nullopt;
  return dialog.Values().Int("UDCount");
}

std::optional<nv::document::MidiImportChoices> MainStandIns::MidiImport(const std::string&) {
  FormDialog dialog({"TFImportMIDI", {300, 180}, "ImportMIDIForm", BoundsMode::Position, {}, 0}, settings_, parent_);
  dialog.setWindowTitle(QStringLiteral("Import MIDI"));
  const nv::document::MidiImportChoices defaults;
  FormFields& fields = dialog.Fields();
  fields.AddRadio(QStringLiteral("RGSheets"), QStringLiteral("Tracks"),
                  {QStringLiteral("Tracks on one sheet"), QStringLiteral("Tracks on separate sheet")},
                  defaults.TracksOnSeparateSheets ? 1 : 0);
  fields.AddCombo(QStringLiteral("CBQuantize"), QStringLiteral("Quantize"), kQuantizeValues,
                  {[](int value) { return QStringLiteral("1/%1").arg(128 / value); },
                   [](const QString& text) -> std::optional<int> {
                     for (int value : kQuantizeValues)
                       if (text == QStringLiteral("1/%1").arg(128 / value)) return value;
                     return std::nullopt;
                   }},
                  defaults.QuantizeDuration);
  if (dialog.exec() != 1) return std::nullopt;
  const FormValues chosen = dialog.Values();
  return nv::document::MidiImportChoices{chosen.Int("RGSheets") == 1, chosen.Int("CBQuantize")};
}

std::optional<nv::document::PrintChoices> MainStandIns::Print(const nv::document::PrintChoices& offer) {
  FormDialog dialog({"PrintDialog", {260, 200}, "PrintForm", BoundsMode::Position, {}, 0}, settings_, parent_);
  dialog.setWindowTitle(QStringLiteral("Print"));
  FormFields& fields = dialog.Fields();
  fields.AddSpin(QStringLiteral("FromPage"), QStringLiteral("From page"), offer.MinPage, offer.MaxPage, offer.FromPage);
  fields.AddSpin(QStringLiteral("ToPage"), QStringLiteral("To page"), offer.MinPage, offer.MaxPage, offer.ToPage);
  fields.AddSpin(QStringLiteral("Copies"), QStringLiteral("Copies"), 1, 999, offer.Copies);
  fields.AddCheck(QStringLiteral("Collate"), QStringLiteral("Collate"), offer.Collate);
  dialog.AddCheck([](const FormValues& values) -> std::optional<QString> {
    if (values.Int("FromPage") > values.Int("ToPage")) return QStringLiteral("To page");
    return std::nullopt;
  });
  if (dialog.exec() != 1) return std::nullopt;
  const FormValues chosen = dialog.Values();
  nv::document::PrintChoices choices = offer;
  choices.FromPage = chosen.Int("FromPage");
  choices.ToPage = chosen.Int("ToPage");
  choices.Copies = chosen.Int("Copies");
  choices.Collate = chosen.Bool("Collate");
  return choices;
}

}  // namespace nv::dialogs
