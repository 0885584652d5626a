#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <memory>

#include "document/command_registry.h"
#include "document/score_document.h"
#include "playback/midi_input.h"
#include "playback/midi_output.h"
#include "platform/sound/midi_ports.h"
#include "platform/qt/qt_ui_thread.h"

class IPlayClock;

namespace nv::widgets {
class CommandActions;
class DocumentSignals;
class ScoreControl;
}  // namespace nv::widgets

namespace nv::app {

// The program's main window. It owns the document and the program's one
// MIDI output and input (MOScore, MIScore; output device 0 is the built-in
// synthesizer), the command registry with its menus, and for now shows the
// one document in a score control.
class MainWindow : public QMainWindow, private nv::document::ErrorReporter {
  Q_OBJECT
 public:
  // The machine's MIDI ports and the steady clock.
  explicit MainWindow(QWidget* parent = nullptr);
  // Plays through `ports`, paced by `clock` (the steady clock when none).
  MainWindow(std::unique_ptr<nv::platform::MidiPortSystem> ports, std::unique_ptr<IPlayClock> clock,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  nv::widgets::ScoreControl& Score() const { return *score_; }
  nv::document::ScoreDocument& Document() const { return *document_; }
  nv::document::CommandRegistry& Commands() { return registry_; }
  nv::widgets::CommandActions& Actions() const { return *actions_; }
  TMidiOutput& MidiOutput() { return MOScore; }
  // Loads a score file into the document. Returns the load error's
  // message, empty when the file loaded; a file that does not load leaves
  // the score as it was.
  QString OpenScore(const QString& path);

 private:
  // Shows a command's failure in a message box.
  void Report(const std::string& commandId, const std::string& message) override;
  void BuildMenus();
  // The play cursor follows playback while it runs.
  void FollowPlayback();

  std::unique_ptr<nv::platform::MidiPortSystem> ports_;
  nv::platform::QtUiThread ui_;
  TMidiOutput MOScore;
  TMidiInput MIScore;
  std::unique_ptr<nv::document::ScoreDocument> document_;
  nv::document::CommandRegistry registry_;
  nv::widgets::DocumentSignals* signals_;
  nv::widgets::CommandActions* actions_;
  nv::widgets::ScoreControl* score_;
  QTimer followTimer_;
  nv::document::Subscription playStarted_;
};

}  // namespace nv::app
