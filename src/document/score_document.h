#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "document/document_notices.h"
#include "document/file_kind.h"
#include "document/metronome.h"
#include "playback/play_forwarder.h"
#include "model/music_score.h"

class IPlayClock;
class TMidiInput;
class TMidiOutput;
namespace nv::platform {
class UiThread;
}

namespace nv::document {

class DocumentPlayback;
class Recorder;

// Keeps the numbered backups of a score file: told before a save replaces
// the file that stands at `path`.
class BackupKeeper {
 public:
  virtual ~BackupKeeper() = default;
  // Before an existing file is written over, and after the write: `written`
  // is false when it failed and the old file still stands.
  virtual void BeforeReplace(const std::string& path) = 0;
  virtual void AfterReplace(const std::string& path, bool written) = 0;
};

// One open score: the score itself, the file it came from and goes to, the
// modified flag, its notices and its playback. Every window reaches a score
// through its document; the document connects the score's events once and
// fans each out (Notices()).
//
// The modified flag follows a save point in the undo history: an edit sets
// it, undoing or redoing back to the state last saved or loaded clears it.
class ScoreDocument {
 public:
  // A new, empty score, named by no file, that records undo steps.
  ScoreDocument();
  ~ScoreDocument();
  ScoreDocument(const ScoreDocument&) = delete;
  ScoreDocument& operator=(const ScoreDocument&) = delete;

  TECMusicScore& Score() { return *score_; }
  const TECMusicScore& Score() const { return *score_; }
  DocumentNotices& Notices() { return notices_; }

  // --- the file ---------------------------------------------------------------
  // Empty while the score is named by no file.
  const std::string& Path() const { return path_; }
  FileKind Kind() const { return KindOfFileName(path_); }
  // Set at loading when the file may not be written; Save then refuses.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  bool Modified() const;

  // Reads a score or MIDI file into the score. The listeners hear nothing
  // while it loads and one Changed after it. A file that does not load
  // raises its error and leaves the score, the name and the flags as they
  // were.
  void Load(const std::string& path);
  // Writes the score to its file; raises when it has none, when it is
  // read-only or not a score file, or when the write fails (the file is then
  // as it was and the flag stays set).
  void Save();
  // Writes the score to `path` as a score file, which then names it.
  void SaveAs(const std::string& path);
  void SetBackupKeeper(BackupKeeper* keeper) { backups_ = keeper; }

  // --- playback ---------------------------------------------------------------
  // Plays through `output` (the program's one MIDI output), paced by
  // `clock` (the steady clock when none is given); the end of playback is
  // handed to the GUI thread through `ui`, where PlayEnded is heard.
  // `played` hears each message played, on the play thread.
  void ConnectPlayback(TMidiOutput& output, nv::platform::UiThread& ui, std::unique_ptr<IPlayClock> clock = nullptr,
                       PlayForwarder::Played played = {});
  // Hears the program's one MIDI input: each message becomes a MidiIn
  // notice. Disconnected by the document's end or ListenTo(nullptr).
  void ListenTo(TMidiInput* input);
  void Play() { score_->Play(); }
  void Stop() { score_->Stop(); }
  bool Playing() const { return score_->Playing; }
  // Moves the cursor to where playback is (GUI thread, while it plays).
  void FollowPlayback() { score_->FollowPlayback(); }

  // --- recording ----------------------------------------------------------------
  // Makes the recorder of takes into the score: the metronome paced by
  // `clock`, its clicks through `send`, the cursor moved on the GUI thread.
  void ConnectRecording(std::unique_ptr<IPlayClock> clock, Metronome::Send send, nv::platform::UiThread& ui);
  // None before ConnectRecording.
  Recorder* GetRecorder() { return recorder_.get(); }
  bool Recording() const;
  // Ends a take, so that it stands as its one undo step (before Undo and Redo).
  void StopRecording();

 private:
  void Connect();
  // Delivers unless a load holds the notices back.
  template <typename... Args>
  auto Deliver(Notice<Args...>& notice);
  void HistoryMoved();
  void MarkSaved();
  void Write(const std::string& path);

  std::unique_ptr<TECMusicScore> score_;
  DocumentNotices notices_;
  std::string path_;
  bool readOnly_ = false;
  // The undo history's state when the score was last saved or loaded.
  std::uint64_t savePoint_ = 0;
  bool wasModified_ = false;
  int suspended_ = 0;
  BackupKeeper* backups_ = nullptr;
  std::unique_ptr<DocumentPlayback> playback_;
  std::unique_ptr<Recorder> recorder_;
  TMidiInput* input_ = nullptr;
};

}  // namespace nv::document
