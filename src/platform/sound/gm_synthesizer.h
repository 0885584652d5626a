#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

namespace nv::platform {

// The General MIDI synthesizer (FluidSynth with Debian's GM sound font):
// loads the sound font once, plays MIDI bytes, and either renders samples
// on request or plays through an audio driver.
class GmSynthesizer {
 public:
  static constexpr int kSampleRate = 44100;

  GmSynthesizer();
  ~GmSynthesizer();
  GmSynthesizer(const GmSynthesizer&) = delete;
  GmSynthesizer& operator=(const GmSynthesizer&) = delete;

  // The sound font to load: fluid-soundfont-gm's when installed, else
  // timgm6mb-soundfont's, else whatever default-GM.sf2 points at; empty
  // when there is none.
  static std::filesystem::path FindSoundfont();

  // Loads the sound font the first time; later calls return at once.
  int Load();
  // One complete short message or system-exclusive block.
  void Play(const std::uint8_t* bytes, std::size_t length);
  // Writes `frames` interleaved stereo frames.
  void Render(std::int16_t* samples, std::size_t frames);
  // Sounds through the first audio output that opens: PipeWire, PulseAudio,
  // then ALSA. Never JACK.
  int StartAudio();
  void StopAudio();
  // 0.0 .. 1.0 of the full gain.
  void SetVolume(double left, double right);

 private:
  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  _fluid_audio_driver_t* audio_ = nullptr;
  bool loaded_ = false;
};

}  // namespace nv::platform
