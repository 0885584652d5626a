#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "platform/sound/gm_synthesizer.h"
#include "platform/sound/midi_ports.h"

namespace nv::platform {

// The synthesizer as an output port that renders into a WAV file in
// virtual time: each send first renders up to the clock's present, so a
// message sounds at the time it was sent by that clock, however fast the
// sends come. Close renders on to the present plus a fixed tail, for the
// last notes to die away, and writes the file.
class SynthWavRender final : public MidiOutPort {
 public:
  static constexpr std::int64_t kTailNs = 1'000'000'000;

  // `clock` gives nanoseconds; the file starts at its value now.
  static int Open(const std::filesystem::path& file, std::function<std::int64_t()> clock,
                  std::unique_ptr<SynthWavRender>& port);
  int Close() override;

 protected:
  int Send(const std::uint8_t* bytes, std::size_t length) override;

 private:
  SynthWavRender(const std::filesystem::path& file, std::function<std::int64_t()> clock);
  void RenderTo(std::int64_t time);

  std::filesystem::path file_;
  std::function<std::int64_t()> clock_;
  std::int64_t start_ = 0;
  GmSynthesizer synth_;
  std::vector<std::int16_t> samples_;
  bool closed_ = false;
};

}  // namespace nv::platform
