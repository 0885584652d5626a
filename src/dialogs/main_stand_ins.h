#pragma once

#include <functional>

#include "document/main_dialogs.h"

class QWidget;

namespace nv::platform {
class IniFile;
}
namespace nv::library {
class LibraryStore;
}

namespace nv::dialogs {

// The main window's dialogs: the new-composition, bar-count and MIDI import
// dialogs, and a plain form with the fields of the print dialog, a modal
// FormDialog over `parent`, until the program's own takes its place.
class MainStandIns : public nv::document::MainDialogs {
 public:
  // `settings` (may be null) keeps the forms' bounds.
  // `library` (may give none) holds the drum styles the composition dialog's drum map shows.
  MainStandIns(QWidget* parent, nv::platform::IniFile* settings,
               std::function<nv::library::LibraryStore*()> library = {})
      : parent_(parent), settings_(settings), library_(std::move(library)) {}

  std::optional<nv::document::NewStaffSetup> NewComposition() override;
  std::optional<int> BarCount() override;
  std::optional<nv::document::MidiImportChoices> MidiImport(const std::string& path) override;
  std::optional<nv::document::PrintChoices> Print(const nv::document::PrintChoices& offer) override;
  bool CompositionProperties(nv::document::ScoreDocument& document) override;
  std::optional<nv::document::ProgramOptions> Settings(const nv::document::ProgramOptions& offer) override;
  // A plain form choosing one of the printers.
  std::optional<nv::document::PrinterChoice> PrinterSetup(const nv::document::PrinterChoice& offer) override;
  void DrumMap(std::function<void(int pitch)> testSound) override;
  // The text dialog showing a sample line in the font.
  bool TermFont(nv::document::TextInputValues& values) override;

 private:
  QWidget* parent_;
  nv::platform::IniFile* settings_;
  std::function<nv::library::LibraryStore*()> library_;
};

}  // namespace nv::dialogs
