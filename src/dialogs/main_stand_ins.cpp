#include "dialogs/main_stand_ins.h"

#include <QStringList>

#include "dialogs/composition_dialog.h"
#include "dialogs/drum_dialogs.h"
#include "dialogs/file_option_dialogs.h"
#include "dialogs/form_dialog.h"
#include "dialogs/new_staff_dialog.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/text_input_dialog.h"

namespace nv::dialogs {

std::optional<nv::document::NewStaffSetup> MainStandIns::NewComposition() {
  PropertyDialogServices services;
  services.Settings = settings_;
  services.Parent = parent_;
  return AskNewStaff(services, true);
}

std::optional<int> MainStandIns::BarCount() {
  PropertyDialogServices services;
  services.Settings = settings_;
  services.Parent = parent_;
  return AskMeasuresCount(services);
}

// The program's own import dialog.
std::optional<nv::document::MidiImportChoices> MainStandIns::MidiImport(const std::string&) {
  TFImportMIDI dialog(settings_, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return nv::document::MidiImportChoices{dialog.GetTracksOnSeparateSheets(), dialog.GetQuantizeDuration()};
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

bool MainStandIns::CompositionProperties(nv::document::ScoreDocument& document) {
  DrumMapServices services;
  services.Settings = settings_;
  services.Parent = parent_;
  services.Library = library_ ? library_() : nullptr;
  return EditCompositionProperties(document, services);
}

std::optional<nv::document::ProgramOptions> MainStandIns::Settings(const nv::document::ProgramOptions& offer) {
  TFSettingsModule dialog(offer, settings_, parent_);
  if (dialog.exec() != 1) return std::nullopt;
  return dialog.Options();
}

std::optional<nv::document::PrinterChoice> MainStandIns::PrinterSetup(const nv::document::PrinterChoice& offer) {
  FormDialog dialog({"PrinterSetupDialog", {300, 120}, "PrinterSetupForm", BoundsMode::Position, {}, 0}, settings_,
                    parent_);
  dialog.setWindowTitle(QStringLiteral("Print settings"));
  // The first item is the system's default printer.
  QStringList items{QStringLiteral("Default printer")};
  int current = 0;
  for (const std::string& printer : offer.Printers) {
    if (printer == offer.Printer) current = static_cast<int>(items.size());
    items << QString::fromStdString(printer);
  }
  dialog.Fields().AddCombo(QStringLiteral("Printer"), QStringLiteral("Printer"), items, current);
  if (dialog.exec() != 1) return std::nullopt;
  const int chosen = dialog.Values().Int("Printer");
  nv::document::PrinterChoice choice = offer;
  choice.Printer = chosen > 0 && chosen <= static_cast<int>(offer.Printers.size())
                       ? offer.Printers[static_cast<std::size_t>(chosen - 1)]
                       : std::string();
  return choice;
}

void MainStandIns::DrumMap(std::function<void(int pitch)> testSound) {
  DrumMapServices services;
  services.Settings = settings_;
  services.Parent = parent_;
  services.Library = library_ ? library_() : nullptr;
  services.TestSound = std::move(testSound);
  TFDrumMap dialog(services);
  dialog.exec();
}

bool MainStandIns::TermFont(nv::document::TextInputValues& values) {
  return AskTextInput(values, true, settings_, parent_);
}

}  // namespace nv::dialogs
