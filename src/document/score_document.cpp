#include "document/score_document.h"

#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "document/document_playback.h"
#include "document/recorder.h"
#include "playback/midi_input.h"
#include "playback/play_clock.h"
#include "model/undo_step.h"

namespace nv::document {

namespace {

// Holds a document's notices back for its lifetime.
class Suspension {
 public:
  explicit Suspension(int& count) : count_(count) { ++count_; }
  ~Suspension() { --count_; }
  Suspension(const Suspension&) = delete;
  Suspension& operator=(const Suspension&) = delete;

 private:
  int& count_;
};

bool Writable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

}  // namespace

ScoreDocument::ScoreDocument() : score_(std::make_unique<TECMusicScore>()) {
  // A score starts with undo locked, for the code that builds it; a
  // document's score is the user's to edit.
  score_->SetLockUndo(false);
  Connect();
}

ScoreDocument::~ScoreDocument() {
  recorder_.reset();
  playback_.reset();
  ListenTo(nullptr);
  // The score's last events reach no listener.
  ++suspended_;
  score_.reset();
}

template <typename... Args>
auto ScoreDocument::Deliver(Notice<Args...>& notice) {
  return [this, &notice](TECModelObject*, Args... args) {
    if (suspended_ == 0) notice(args...);
  };
}

void ScoreDocument::Connect() {
  TECMusicScore& s = *score_;
  s.OnChanged = Deliver(notices_.Changed);
  s.OnSelectedChanged = Deliver(notices_.SelectedChanged);
  s.OnPositionChanged = Deliver(notices_.PositionChanged);
  s.OnStaveChanged = Deliver(notices_.StaveChanged);
  s.OnUndoChanged = [this, undo = Deliver(notices_.UndoChanged)](TECModelObject* sender) {
    HistoryMoved();
    undo(sender);
  };
  s.OnRedoChanged = [this, redo = Deliver(notices_.RedoChanged)](TECModelObject* sender) {
    HistoryMoved();
    redo(sender);
  };
  s.OnActivePageChanged = Deliver(notices_.ActivePageChanged);
  s.OnPageCountChanged = Deliver(notices_.PageCountChanged);
  s.OnNoteClick = Deliver(notices_.NoteClick);
  s.OnSetCursor = Deliver(notices_.SetCursor);
  s.OnScoreClick = Deliver(notices_.ScoreClick);
  s.OnPageClick = Deliver(notices_.PageClick);
  s.OnMouseDown = Deliver(notices_.MouseDown);
  s.OnMouseMove = Deliver(notices_.MouseMove);
  s.OnMouseUp = Deliver(notices_.MouseUp);
  s.OnKeyDown = Deliver(notices_.KeyDown);
  s.OnPlayError = Deliver(notices_.PlayError);
  s.OnOverfullPages = Deliver(notices_.OverfullPages);
}

bool ScoreDocument::Modified() const { return UndoHistoryState(*score_) != savePoint_; }

void ScoreDocument::HistoryMoved() {
  if (suspended_ > 0) return;
  const bool modified = Modified();
  if (modified == wasModified_) return;
  wasModified_ = modified;
  notices_.ModifiedChanged();
}

void ScoreDocument::MarkSaved() {
  savePoint_ = UndoHistoryState(*score_);
  HistoryMoved();
}

void ScoreDocument::Load(const std::string& path) {
  {
    const Suspension quiet(suspended_);
    score_->LoadFromFile(path);
  }
  path_ = path;
  readOnly_ = !Writable(path);
  MarkSaved();
  notices_.FileChanged();
  notices_.Changed();
}

void ScoreDocument::Save() {
  if (path_.empty()) throw std::runtime_error("The score has no file yet: save it under a name");
  if (readOnly_) throw std::runtime_error("\"" + path_ + "\" is read-only: save it under another name");
  if (Kind() != FileKind::Score)
    throw std::runtime_error("\"" + path_ + "\" is not a score file: save it under a name ending in \".sfd\"");
  Write(path_);
}

void ScoreDocument::SaveAs(const std::string& path) {
  if (KindOfFileName(path) != FileKind::Score)
    throw std::runtime_error("\"" + path + "\" is not a score file name: it must end in \".sfd\"");
  Write(path);
  path_ = path;
  readOnly_ = false;
  notices_.FileChanged();
}

void ScoreDocument::Write(const std::string& path) {
  BackupKeeper* const keeper = backups_ != nullptr && std::filesystem::exists(path) ? backups_ : nullptr;
  if (keeper) keeper->BeforeReplace(path);
  try {
    score_->SaveToFile(path);
  } catch (...) {
    if (keeper) keeper->AfterReplace(path, false);
    throw;
  }
  if (keeper) keeper->AfterReplace(path, true);
  MarkSaved();
}

void ScoreDocument::ConnectPlayback(TMidiOutput& output, nv::platform::UiThread& ui,
                                    std::unique_ptr<IPlayClock> clock, PlayForwarder::Played played) {
  playback_.reset();
  playback_ = std::make_unique<DocumentPlayback>(*score_, output, ui, std::move(clock),
                                                 [this] { notices_.PlayEnded(); }, std::move(played));
}

void ScoreDocument::ConnectRecording(std::unique_ptr<IPlayClock> clock, Metronome::Send send,
                                     nv::platform::UiThread& ui) {
  recorder_.reset();
  recorder_ = std::make_unique<Recorder>(*score_, std::move(clock), std::move(send), ui);
}

bool ScoreDocument::Recording() const { return recorder_ != nullptr && recorder_->Recording(); }

void ScoreDocument::StopRecording() {
  if (recorder_ != nullptr) recorder_->StopRecord();
}

void ScoreDocument::ListenTo(TMidiInput* input) {
  if (input_ != nullptr) input_->OnMidiInput = nullptr;
  input_ = input;
  if (input_ == nullptr) return;
  input_->OnMidiInput = [this](TMidiInput* sender) {
    while (auto event = sender->TakeEvent()) notices_.MidiIn(event->MidiMessage, event->Data1, event->Time, event->Data2);
  };
}

}  // namespace nv::document
