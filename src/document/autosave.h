#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/form_texts.h"
#include "platform/message_prompt.h"

namespace nv::document {

// Milliseconds since the machine started, in 64 bits so that it never wraps;
// the main timer reads it so that tests can hold and move the time.
class UptimeClock {
 public:
  virtual ~UptimeClock() = default;
  virtual std::int64_t NowMs() const = 0;

  // The machine's steady clock.
  static const UptimeClock& System();
};

// One open document as the autosave pass sees it.
struct AutosaveCandidate {
  // Stays with the document while it is open.
  std::uint64_t Key = 0;
  bool Modified = false;
  // False for an untitled document: it has no name to be saved under.
  bool HasFile = false;
  // An imported document whose score file would replace a file it was not
  // read from, while the user has not yet said whether it may.
  bool AwaitsOverwriteAnswer = false;
  // The clock at its last load or save.
  std::int64_t LastSavedMs = 0;
  // Moves with every change of the score.
  std::uint64_t Revision = 0;
};

class AutosaveHost {
 public:
  virtual ~AutosaveHost() = default;
  // The open documents in tab order.
  virtual std::vector<AutosaveCandidate> Candidates() const = 0;
  // The document window's Save: false when it failed (it has shown why).
  virtual bool Save(std::uint64_t key) = 0;
};

// The autosave part of the main timer: at most every 30 s, each modified
// document with a file of its own whose last load or save lies more than
// the interval back is saved. A pass never starts inside another (the
// error box of a failed save runs the timer on). A document whose save
// failed is left alone until it changes or is saved by hand.
class Autosave {
 public:
  Autosave(AutosaveHost& host, const UptimeClock& clock, platform::MessagePrompt& prompt,
           const platform::FormTexts& texts);

  // One tick of the main timer with the [Editor] AutoSave and
  // IntervalAutosave settings (the interval as AutosaveIntervalMs reads it).
  void Tick(bool enabled, int intervalSetting);

 private:
  struct Failure {
    std::uint64_t revision;
    std::int64_t lastSaved;
  };
  bool Due(const AutosaveCandidate& document, std::int64_t now, std::int64_t interval) const;
  void SaveOne(const AutosaveCandidate& document);

  AutosaveHost& host_;
  const UptimeClock& clock_;
  platform::MessagePrompt& prompt_;
  const platform::FormTexts& texts_;
  std::int64_t lastCheck_ = 0;
  bool running_ = false;
  std::map<std::uint64_t, Failure> failed_;
};

}  // namespace nv::document
