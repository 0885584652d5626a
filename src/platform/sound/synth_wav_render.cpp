#include "platform/sound/synth_wav_render.h"

#include "platform/sound/wav_file.h"

namespace nv::platform {

SynthWavRender::SynthWavRender(const std::filesystem::path& file, std::function<std::int64_t()> clock)
    : file_(file), clock_(std::move(clock)), start_(clock_()) {}

int SynthWavRender::Open(const std::filesystem::path& file, std::function<std::int64_t()> clock,
                         std::unique_ptr<SynthWavRender>& port) {
  std::unique_ptr<SynthWavRender> render(new SynthWavRender(file, std::move(clock)));
  const int error = render->synth_.Load();
  if (error == midi_error::kNone) port = std::move(render);
  return error;
}

void SynthWavRender::RenderTo(std::int64_t time) {
  // Frames are counted from the start, so rounding never accumulates.
  const std::int64_t frames = (time - start_) * GmSynthesizer::kSampleRate / 1'000'000'000;
  const std::int64_t have = static_cast<std::int64_t>(samples_.size() / 2);
  if (frames <= have) return;
  samples_.resize(static_cast<std::size_t>(frames) * 2);
  synth_.Render(samples_.data() + have * 2, static_cast<std::size_t>(frames - have));
}

int SynthWavRender::Send(const std::uint8_t* bytes, std::size_t length) {
  if (closed_) return midi_error::kInvalidHandle;
  RenderTo(clock_());
  synth_.Play(bytes, length);
  return midi_error::kNone;
}

int SynthWavRender::Close() {
  if (closed_) return midi_error::kNone;
  closed_ = true;
  RenderTo(clock_() + kTailNs);
  return WriteWavFile(file_, samples_, 2, GmSynthesizer::kSampleRate) ? midi_error::kNone : midi_error::kFileWrite;
}

}  // namespace nv::platform
