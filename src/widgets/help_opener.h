#pragma once

#include <QUrl>

#include <functional>

#include "document/help_pages.h"

namespace nv::widgets {

// Opens help pages in the desktop's web browser.
class DesktopHelpOpener : public document::HelpPageOpener {
 public:
  // A browser that cannot be started leaves one line on stderr.
  void OpenPage(const std::filesystem::path& page) override;
};

// Hands an address outside the program (a web page, a mail to write) to the
// desktop; tests put a recorder in its place.
using UrlOpener = std::function<void(const QUrl&)>;
// The desktop's opener; one that cannot open the address leaves one line on
// stderr.
UrlOpener DesktopUrlOpener();

}  // namespace nv::widgets
