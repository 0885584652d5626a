#include "document/close_all.h"

namespace nv::document {

namespace {

// Clears the closing flag and refreshes the commands however the walk ends.
class ClosingScope {
 public:
  explicit ClosingScope(CloseAllHost& host) : host_(host) { host_.SetClosing(true); }
  ~ClosingScope() {
    host_.SetClosing(false);
    if (refresh_) host_.UpdateActions();
  }
  ClosingScope(const ClosingScope&) = delete;
  ClosingScope& operator=(const ClosingScope&) = delete;
  void SkipRefresh() { refresh_ = false; }

 private:
  CloseAllHost& host_;
  bool refresh_ = true;
};

bool AnyModified(const CloseAllHost& host) {
  for (int i = 0; i < host.Count(); ++i)
    if (host.Modified(i)) return true;
  return false;
}

void CloseOne(CloseAllHost& host, int index) {
  host.AddToRecent(index);
  host.Close(index);
}

}  // namespace

CloseAllResult CloseAll(CloseAllHost& host, platform::MessagePrompt& prompt, const platform::FormTexts& texts) {
  namespace button = platform::message_button;
  host.StopPlayback();
  ClosingScope closing(host);
  bool save = false;
  if (AnyModified(host)) {
    const int answer = prompt.ShowMessageBlock(
        texts.GetString(platform::form_key::kMainWindow, 5), texts.GetString(platform::form_key::kMainWindow, 4),
        platform::message_kind::kQuestion, button::kYes | button::kNo | button::kCancel);
    if (answer == platform::message_result::kYes) {
      save = true;
    } else if (answer != platform::message_result::kNo) {
      closing.SkipRefresh();
      return CloseAllResult::Cancelled;
    }
  }
  for (int i = host.Count() - 1; i >= 0; --i) {
    if (save && host.Modified(i)) {
      try {
        host.Save(i);
      } catch (...) {
        host.Activate(i);
        throw;
      }
      if (host.Modified(i)) {
        host.Activate(i);
        return CloseAllResult::Stopped;
      }
    }
    CloseOne(host, i);
  }
  return CloseAllResult::Closed;
}

}  // namespace nv::document
