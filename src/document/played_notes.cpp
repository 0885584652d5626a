#include "document/played_notes.h"

#include "platform/ui_thread.h"

namespace nv::document {

PlayedNotes::PlayedNotes(nv::platform::UiThread& ui, std::function<void(const PlayedNote&)> show)
    : show_(std::move(show)), wake_(ui.MakeWakeSignal([this] { Drain(); })) {}

PlayedNotes::~PlayedNotes() = default;

void PlayedNotes::Push(const PlayedNote& note) {
  {
    std::lock_guard<std::mutex> lock(lock_);
    queued_.push_back(note);
  }
  wake_->Wake();
}

void PlayedNotes::Drain() {
  {
    std::lock_guard<std::mutex> lock(lock_);
    draining_.swap(queued_);
  }
  for (const PlayedNote& note : draining_) show_(note);
  draining_.clear();
}

}  // namespace nv::document
