#include "platform/sound/gm_synthesizer.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <mutex>
#include <system_error>

#include "platform/sound/midi_ports.h"

namespace nv::platform {

namespace {

constexpr double kGain = 0.4;

// The library would print its complaints (a missing audio server, for
// one); failures reach the caller as result codes instead.
void SilenceLibraryLogs() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
      fluid_set_log_function(level, nullptr, nullptr);
  });
}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

GmSynthesizer::GmSynthesizer() {
  SilenceLibraryLogs();
  settings_ = new_fluid_settings();
  fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
  fluid_settings_setnum(settings_, "synth.gain", kGain);
  // Short audio periods keep the sound within a few milliseconds of a send.
  fluid_settings_setint(settings_, "audio.period-size", 256);
  synth_ = new_fluid_synth(settings_);
}

GmSynthesizer::~GmSynthesizer() {
  StopAudio();
  delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

std::filesystem::path GmSynthesizer::FindSoundfont() {
  const std::filesystem::path folder = "/usr/share/sounds/sf2";
  for (const char* name : {"FluidR3_GM.sf2", "TimGM6mb.sf2", "default-GM.sf2"}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(folder / name, error)) return folder / name;
  }
  return {};
}

int GmSynthesizer::Load() {
  if (loaded_) return midi_error::kNone;
  if (!synth_) return midi_error::kNotEnabled;
  const std::filesystem::path soundfont = FindSoundfont();
  if (soundfont.empty() || fluid_synth_sfload(synth_, soundfont.c_str(), 1) == FLUID_FAILED)
    return midi_error::kNoSoundfont;
  loaded_ = true;
  return midi_error::kNone;
}

void GmSynthesizer::Play(const std::uint8_t* bytes, std::size_t length) {
  const int channel = bytes[0] & 15;
  const int data1 = length > 1 ? bytes[1] : 0;
  const int data2 = length > 2 ? bytes[2] : 0;
  switch (bytes[0] & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth_, channel, data1); break;
    case 0x90:
      if (data2 == 0)
        fluid_synth_noteoff(synth_, channel, data1);
      else
        fluid_synth_noteon(synth_, channel, data1, data2);
      break;
    case 0xA0: fluid_synth_key_pressure(synth_, channel, data1, data2); break;
    case 0xB0: fluid_synth_cc(synth_, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(synth_, channel, data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth_, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7); break;
    default:
      if (bytes[0] == 0xF0 && length >= 2)
        fluid_synth_sysex(synth_, reinterpret_cast<const char*>(bytes + 1), static_cast<int>(length - 2), nullptr,
                          nullptr, nullptr, 0);
      break;
  }
}

void GmSynthesizer::Render(std::int16_t* samples, std::size_t frames) {
  fluid_synth_write_s16(synth_, static_cast<int>(frames), samples, 0, 2, samples, 1, 2);
}

int GmSynthesizer::StartAudio() {
  if (audio_) return midi_error::kNone;
  // A machine without sound makes ALSA print its search; the result code
  // tells the caller.
  snd_lib_error_set_handler(IgnoreAlsaError);
  for (const char* driver : {"pipewire", "pulseaudio", "alsa"}) {
    if (fluid_settings_setstr(settings_, "audio.driver", driver) != FLUID_OK) continue;
    audio_ = new_fluid_audio_driver(settings_, synth_);
    if (audio_) break;
  }
  snd_lib_error_set_handler(nullptr);
  return audio_ ? midi_error::kNone : midi_error::kNoAudioDevice;
}

void GmSynthesizer::StopAudio() {
  if (!audio_) return;
  delete_fluid_audio_driver(audio_);
  audio_ = nullptr;
  fluid_synth_system_reset(synth_);
}

void GmSynthesizer::SetVolume(double left, double right) {
  fluid_synth_set_gain(synth_, static_cast<float>(kGain * (left + right) / 2));
}

}  // namespace nv::platform
