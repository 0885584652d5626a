#include "document/played_notes.h"

#include "platform/ui_thread.h"

namespace nv::document {

std::optional<PlayedNote> PlayedNote::Of(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
  if (status == 0xFF && data1 == 0x2F) return PlayedNote{kEndOfTrack, 0};
  const int kind = status & 0xF0;
  if (kind == 0x90 && data2 > 0) return PlayedNote{kOn, data1};
  if (kind == 0x80 || kind == 0x90) return PlayedNote{kOff, data1};
  return std::nullopt;
}

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
