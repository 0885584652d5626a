#include "document/open_files.h"

#include <exception>

#include "document/file_kind.h"
#include "platform/format_text.h"
#include "platform/text_case.h"

namespace nv::document {

namespace {

// The hourglass for as long as the new window loads, whatever happens.
class WaitCursor {
 public:
  explicit WaitCursor(OpenHost& host) : host_(host) { host_.SetWaitCursor(true); }
  ~WaitCursor() { host_.SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  OpenHost& host_;
};

int IndexOfOpen(const OpenHost& host, const std::string& path) {
  const std::vector<std::string> names = host.OpenFileNames();
  for (std::size_t i = 0; i < names.size(); ++i)
    if (!names[i].empty() && platform::SameTextIgnoringCase(names[i], path)) return static_cast<int>(i);
  return -1;
}

}  // namespace

OpenResult OpenDocument(const std::string& path, bool askReload, OpenHost& host, platform::MessagePrompt& prompt,
                        const platform::FormTexts& texts) {
  namespace key = platform::form_key;
  if (const int open = IndexOfOpen(host, path); open >= 0) {
    if (!askReload) return OpenResult::Unchanged;
    const int answer = prompt.ShowMessageBlock(
        texts.GetString(key::kMainWindow, 3), platform::FormatText(texts.GetString(key::kMainWindow, 2), path),
        platform::message_kind::kQuestion, platform::message_button::kYes | platform::message_button::kNo);
    if (answer != platform::message_result::kYes) return OpenResult::Unchanged;
    host.Reload(open);
    return OpenResult::Reloaded;
  }
  const bool midi = KindOfFileName(path) == FileKind::Midi;
  if (midi && !host.ChooseMidiImport(path)) return OpenResult::Unchanged;
  host.CreateWindow(midi);
  {
    const WaitCursor wait(host);
    try {
      host.Load(path);
    } catch (const std::exception& error) {
      host.FreeWindow();
      platform::ShowErrorMessage(prompt, texts, path + ": " + error.what());
      return OpenResult::Failed;
    }
    host.Dock();
    host.RemoveFromRecent(path);
  }
  return OpenResult::Opened;
}

void OpenFiles(const std::vector<std::string>& paths, OpenHost& host, platform::MessagePrompt& prompt,
               const platform::FormTexts& texts) {
  host.StopPlayback();
  for (const std::string& path : paths) OpenDocument(path, true, host, prompt, texts);
  host.AfterOpen();
}

}  // namespace nv::document
