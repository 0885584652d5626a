#include "document/note_preview.h"

#include <algorithm>

#include "playback/midi_output.h"

namespace nv::document {

namespace {
constexpr std::uint8_t kVelocity = 64;
std::uint8_t Status(int kind, int channel) { return static_cast<std::uint8_t>(kind | (channel & 0x0F)); }
}  // namespace

NotePreview::NotePreview(TMidiOutput& output, OneShotTimer& timer, std::function<bool()> busy)
    : output_(output), timer_(timer), busy_(std::move(busy)) {}

bool NotePreview::SoundNote(int channel, int program, int key, Mode mode) {
  if (key < 0 || key > 127) return false;
  if (!output_.IsOpen() && !output_.Open()) {
    if (openFailed_) openFailed_();
    return false;
  }
  if ((mode == kFirst || mode == kSingle) && program >= 0 && program <= 127)
    output_.SendShort(Status(0xC0, channel), static_cast<std::uint8_t>(program), 0);
  const auto k = static_cast<std::uint8_t>(key);
  output_.SendShort(Status(0x80, channel), k, kVelocity);
  output_.SendShort(Status(0x90, channel), k, kVelocity);
  if (std::find(sounding_.begin(), sounding_.end(), std::make_pair(channel, key)) == sounding_.end())
    sounding_.emplace_back(channel, key);
  timer_.Start(kReleaseMs, [this] { Release(); });
  return true;
}

void NotePreview::EchoNoteOff(int channel, int key) {
  const auto it = std::find(sounding_.begin(), sounding_.end(), std::make_pair(channel, key));
  if (it == sounding_.end()) return;
  sounding_.erase(it);
  output_.SendShort(Status(0x80, channel), static_cast<std::uint8_t>(key), kVelocity);
}

void NotePreview::EndNotes() {
  for (const auto& [channel, key] : sounding_)
    output_.SendShort(Status(0x80, channel), static_cast<std::uint8_t>(key), kVelocity);
  sounding_.clear();
}

void NotePreview::StopTimer() {
  timer_.Stop();
  EndNotes();
}

void NotePreview::Release() {
  timer_.Stop();
  EndNotes();
  if (!busy_()) output_.Close();
}

}  // namespace nv::document
