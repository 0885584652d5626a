#include "platform/recording_paged_target.h"

namespace nv::platform {

RecordingPagedTarget::RecordingPagedTarget(const DeviceCaps& caps) : canvas_(caps) {}

bool RecordingPagedTarget::beginDoc(const Sheet& s, std::string& error) {
  if (!failure.empty()) {
    error = failure;
    return false;
  }
  sheet = s;
  log.push_back("BeginDoc");
  return true;
}

void RecordingPagedTarget::newPage() { log.push_back("NewPage"); }

void RecordingPagedTarget::endDoc() { log.push_back("EndDoc"); }

}  // namespace nv::platform
