#pragma once

#include "document/help_pages.h"

namespace nv::widgets {

// Opens help pages in the desktop's web browser.
class DesktopHelpOpener : public document::HelpPageOpener {
 public:
  // A browser that cannot be started leaves one line on stderr.
  void OpenPage(const std::filesystem::path& page) override;
};

}  // namespace nv::widgets
