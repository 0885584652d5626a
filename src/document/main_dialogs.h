#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/insert_dialogs.h"
#include "document/new_staff_setup.h"
#include "document/print_job.h"
#include "document/program_options.h"

namespace nv::document {

class ScoreDocument;

// What the MIDI import dialog hands back, before a Standard MIDI file opens.
struct MidiImportChoices {
  // One staff per track instead of one staff with a row per track.
  bool TracksOnSeparateSheets = false;
  // The smallest note value kept, in 1/128 of a whole note: 32, 16, 8, 4 or 2.
  int QuantizeDuration = 8;
  bool operator==(const MidiImportChoices&) const = default;
};

// The printer set-up: the printers there are, and the one print jobs go to
// ("" for the system's default printer).
struct PrinterChoice {
  std::vector<std::string> Printers;
  std::string Printer;
  bool operator==(const PrinterChoice&) const = default;
};

// The bar-count dialog's range.
inline constexpr int kMinBarCount = 1;
inline constexpr int kMaxBarCount = 1000;

// The modal dialogs the main window's commands ask their values from. Each
// returns none when the user cancels; the program shows its own dialogs, a
// test answers itself.
class MainDialogs {
 public:
  virtual ~MainDialogs() = default;
  // New composition: its first staff, meter, tempo and title texts.
  virtual std::optional<NewStaffSetup> NewComposition() = 0;
  // Add bar and Delete bar: how many, kMinBarCount..kMaxBarCount.
  virtual std::optional<int> BarCount() = 0;
  // Opening a Standard MIDI file named `path`.
  virtual std::optional<MidiImportChoices> MidiImport(const std::string& path) = 0;
  // Print: the page range, copies and collation chosen from `offer`.
  virtual std::optional<PrintChoices> Print(const PrintChoices& offer) = 0;
  // Properties: the whole score's settings, written into the document's
  // score on OK only. True on OK.
  virtual bool CompositionProperties(ScoreDocument& document) = 0;
  // Settings: the program's options, offered as they stand.
  virtual std::optional<ProgramOptions> Settings(const ProgramOptions& offer) = 0;
  // The printer set-up: the printer chosen from `offer`.
  virtual std::optional<PrinterChoice> PrinterSetup(const PrinterChoice& offer) = 0;
  // The program's drum map, which saves itself; `testSound` sounds a pitch
  // on the drum channel.
  virtual void DrumMap(std::function<void(int pitch)> testSound) = 0;
  // The expressions' font: only the font of `values` is shown and changed.
  // True on OK.
  virtual bool TermFont(TextInputValues& values) = 0;
};

}  // namespace nv::document
