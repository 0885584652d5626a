#include "document/autosave.h"

#include <chrono>
#include <exception>
#include <set>

#include "document/program_settings.h"

namespace nv::document {

namespace {

constexpr std::int64_t kCheckEveryMs = 30'000;

class SteadyUptimeClock final : public UptimeClock {
 public:
  std::int64_t NowMs() const override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
};

}  // namespace

const UptimeClock& UptimeClock::System() {
  static const SteadyUptimeClock clock;
  return clock;
}

Autosave::Autosave(AutosaveHost& host, const UptimeClock& clock, platform::MessagePrompt& prompt,
                   const platform::FormTexts& texts)
    : host_(host), clock_(clock), prompt_(prompt), texts_(texts) {}

bool Autosave::Due(const AutosaveCandidate& document, std::int64_t now, std::int64_t interval) const {
  if (!document.Modified || !document.HasFile || document.AwaitsOverwriteAnswer) return false;
  if (now - document.LastSavedMs <= interval) return false;
  const auto failure = failed_.find(document.Key);
  return failure == failed_.end() || failure->second.revision != document.Revision ||
         failure->second.lastSaved != document.LastSavedMs;
}

void Autosave::SaveOne(const AutosaveCandidate& document) {
  bool saved = false;
  try {
    saved = host_.Save(document.Key);
  } catch (const std::exception& error) {
    platform::ShowErrorMessage(prompt_, texts_, error.what());
  }
  if (saved)
    failed_.erase(document.Key);
  else
    failed_[document.Key] = {document.Revision, document.LastSavedMs};
}

void Autosave::Tick(bool enabled, int intervalSetting) {
  if (!enabled || running_) return;
  const std::int64_t now = clock_.NowMs();
  if (now - lastCheck_ <= kCheckEveryMs) return;
  lastCheck_ = now;
  running_ = true;
  const struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{running_};
  const std::vector<AutosaveCandidate> documents = host_.Candidates();
  // Failures of documents since closed are forgotten.
  std::set<std::uint64_t> open;
  for (const AutosaveCandidate& document : documents) open.insert(document.Key);
  std::erase_if(failed_, [&open](const auto& entry) { return !open.contains(entry.first); });
  const std::int64_t interval = AutosaveIntervalMs(intervalSetting);
  for (const AutosaveCandidate& document : documents)
    if (Due(document, now, interval)) SaveOne(document);
}

}  // namespace nv::document
