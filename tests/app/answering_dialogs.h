#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/open_file_dialog.h"
#include "document/document_file.h"
#include "document/main_dialogs.h"
#include "document/score_document.h"
#include "editor/export_options.h"
#include "platform/message_prompt.h"

// Records each question as "caption: text" and gives the scripted answers in
// turn, Ok once they run out.
class ScriptedPrompt : public nv::platform::MessagePrompt {
 public:
  int ShowMessageBlock(std::string_view caption, std::string_view text, int, int) override {
    shown.push_back(std::string(caption) + ": " + std::string(text));
    if (answers.empty()) return nv::platform::message_result::kOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<std::string> shown;
  std::deque<int> answers;
};

// The save dialog answering with `path` as a score file; "" cancels.
class AnsweringSaveDialog : public nv::document::SaveDialog {
 public:
  std::optional<nv::document::SaveChoice> Ask(std::string_view, std::string_view) override {
    if (path.empty()) return std::nullopt;
    return nv::document::SaveChoice{path};
  }
  std::string path;
};

// The export options dialog taking what it offers: every page.
class AnsweringExportDialog : public nv::editor::ExportOptionsDialog {
 public:
  std::optional<nv::editor::ExportOptions> Ask(const nv::editor::ExportOptionsRequest&) override {
    return nv::editor::ExportOptions{};
  }
};

// The open dialog answering with `paths`; none cancels.
class AnsweringOpenDialog : public nv::app::OpenFileDialog {
 public:
  std::vector<std::string> Ask() override { return paths; }
  std::vector<std::string> paths;
};

// The main window's dialogs answering with what is set here, counting how
// often each was asked; an empty answer cancels.
class AnsweringMainDialogs : public nv::document::MainDialogs {
 public:
  std::optional<nv::document::NewStaffSetup> NewComposition() override {
    ++asked.newComposition;
    return newComposition;
  }
  std::optional<int> BarCount() override {
    ++asked.barCount;
    return barCount;
  }
  std::optional<nv::document::MidiImportChoices> MidiImport(const std::string& path) override {
    ++asked.midiImport;
    midiPath = path;
    return midiImport;
  }
  // Without a print answer, what the dialog offers.
  std::optional<nv::document::PrintChoices> Print(const nv::document::PrintChoices& offer) override {
    printOffers.push_back(offer);
    return printAnswer ? *printAnswer : std::optional(offer);
  }
  // Sets the tempo when told to, as the dialog's OK writes the score.
  bool CompositionProperties(nv::document::ScoreDocument& document) override {
    ++asked.compositionProperties;
    if (compositionTempo) document.Score().SetTempo(*compositionTempo);
    return compositionTempo.has_value();
  }

  // Without a settings answer, OK on what the dialog offers.
  std::optional<nv::document::ProgramOptions> Settings(const nv::document::ProgramOptions& offer) override {
    settingsOffers.push_back(offer);
    return settingsAnswer ? *settingsAnswer : std::optional(offer);
  }

  // Without a printer answer, what the dialog offers.
  std::optional<nv::document::PrinterChoice> PrinterSetup(const nv::document::PrinterChoice& offer) override {
    printerOffers.push_back(offer);
    return printerAnswer ? *printerAnswer : std::optional(offer);
  }
  // Sounds the pitch set here, as the dialog's "Test" does.
  void DrumMap(std::function<void(int pitch)> testSound) override {
    ++asked.drumMap;
    if (drumMapTestPitch) testSound(*drumMapTestPitch);
  }

  // Offers are kept; an answer replaces the font, none cancels.
  bool TermFont(nv::document::TextInputValues& values) override {
    termFontOffers.push_back(values);
    if (!termFontAnswer) return false;
    values = *termFontAnswer;
    return true;
  }

  std::optional<nv::document::NewStaffSetup> newComposition = nv::document::NewStaffSetup{};
  std::optional<int> barCount = 1;
  std::optional<nv::document::MidiImportChoices> midiImport = nv::document::MidiImportChoices{};
  // Set: the print dialog answers this (none cancels).
  std::optional<std::optional<nv::document::PrintChoices>> printAnswer;
  // Set: OK with this tempo; none cancels.
  std::optional<int> compositionTempo;
  struct {
    int newComposition = 0;
    int barCount = 0;
    int midiImport = 0;
    int compositionProperties = 0;
    int drumMap = 0;
  } asked;
  std::string midiPath;
  std::vector<nv::document::PrintChoices> printOffers;
  // Set: the settings dialog answers this (none cancels).
  std::optional<std::optional<nv::document::ProgramOptions>> settingsAnswer;
  std::vector<nv::document::ProgramOptions> settingsOffers;
  // Set: the printer set-up answers this (none cancels).
  std::optional<std::optional<nv::document::PrinterChoice>> printerAnswer;
  std::vector<nv::document::PrinterChoice> printerOffers;
  std::optional<int> drumMapTestPitch;
  std::optional<nv::document::TextInputValues> termFontAnswer;
  std::vector<nv::document::TextInputValues> termFontOffers;
};
