#include "app/main_window.h"

#include <QMenuBar>

#include <exception>

#include "document/score_commands.h"
#include "playback/play_clock.h"
#include "platform/sound/system_midi_ports.h"
#include "widgets/command_actions.h"
#include "widgets/document_signals.h"
#include "widgets/message_block.h"
#include "widgets/score_control.h"

namespace nv::app {

namespace {

// How often the play cursor moves along while the score plays.
constexpr int kFollowMs = 50;

// The commands the menus show, menu by menu.
const std::vector<std::pair<const char*, std::vector<std::string>>> kMenus = {
    {"&File", {"file.save"}},
    {"&Edit", {"edit.undo", "edit.redo", "edit.cut", "edit.copy", "edit.paste"}},
    {"&Score", {"score.play", "score.stop"}},
};

std::vector<std::string> MenuCommands() {
  std::vector<std::string> ids;
  for (const auto& [title, commands] : kMenus) ids.insert(ids.end(), commands.begin(), commands.end());
  return ids;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : MainWindow(std::make_unique<nv::platform::SystemMidiPorts>(), nullptr, parent) {}

MainWindow::MainWindow(std::unique_ptr<nv::platform::MidiPortSystem> ports, std::unique_ptr<IPlayClock> clock,
                       QWidget* parent)
    : QMainWindow(parent),
      ports_(std::move(ports)),
      MOScore(*ports_, ui_),
      MIScore(*ports_, ui_),
      document_(std::make_unique<nv::document::ScoreDocument>()) {
  setWindowTitle("Notavistra");
  document_->ConnectPlayback(MOScore, ui_, std::move(clock));
  document_->ListenTo(&MIScore);
  nv::document::AddScoreCommands(registry_, [this] { return document_.get(); });
  registry_.SetReporter(this);
  signals_ = new nv::widgets::DocumentSignals(*document_, this);
  // What the commands' predicates read changes with these.
  for (auto signal : {&nv::widgets::DocumentSignals::Changed, &nv::widgets::DocumentSignals::SelectedChanged,
                      &nv::widgets::DocumentSignals::UndoChanged, &nv::widgets::DocumentSignals::RedoChanged,
                      &nv::widgets::DocumentSignals::ModifiedChanged, &nv::widgets::DocumentSignals::FileChanged,
                      &nv::widgets::DocumentSignals::PlayEnded})
    connect(signals_, signal, this, [this] { registry_.StatesChanged(); });
  actions_ = new nv::widgets::CommandActions(registry_, MenuCommands(), this);
  BuildMenus();
  score_ = new nv::widgets::ScoreControl(*document_, this);
  setCentralWidget(score_);
  score_->setFocus();
  followTimer_.setInterval(kFollowMs);
  connect(&followTimer_, &QTimer::timeout, this, [this] { FollowPlayback(); });
  // A command that started playback starts the follow.
  playStarted_ = registry_.StatesChanged.Subscribe([this] {
    if (document_->Playing() && !followTimer_.isActive()) followTimer_.start();
  });
  resize(1024, 768);
}

MainWindow::~MainWindow() {
  followTimer_.stop();
  // The view and the listeners go before the document they show.
  delete score_;
  delete actions_;
  delete signals_;
  document_.reset();
}

void MainWindow::BuildMenus() {
  for (const auto& [title, commands] : kMenus) {
    QMenu* menu = menuBar()->addMenu(title);
    for (const std::string& id : commands) menu->addAction(&actions_->Action(id));
  }
}

void MainWindow::FollowPlayback() {
  if (!document_->Playing()) {
    followTimer_.stop();
    return;
  }
  document_->FollowPlayback();
}

void MainWindow::Report(const std::string&, const std::string& message) {
  nv::widgets::ShowErrorMessage(message);
}

QString MainWindow::OpenScore(const QString& path) {
  try {
    document_->Load(path.toStdString());
  } catch (const std::exception& error) {
    return QString::fromStdString(error.what());
  }
  return {};
}

}  // namespace nv::app
