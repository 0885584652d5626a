#include "widgets/help_opener.h"

#include <QDesktopServices>
#include <QString>

#include <cstdio>

namespace nv::widgets {

void DesktopHelpOpener::OpenPage(const std::filesystem::path& page) {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string()))))
    std::fprintf(stderr, "notavistra: cannot open the help page %s\n", page.c_str());
}

UrlOpener DesktopUrlOpener() {
  return [](const QUrl& url) {
    if (!QDesktopServices::openUrl(url))
      std::fprintf(stderr, "notavistra: cannot open %s\n", qPrintable(url.toDisplayString()));
  };
}

}  // namespace nv::widgets
