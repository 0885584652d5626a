#include "widgets/help_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <cstdio>

namespace nv::widgets {

void DesktopHelpOpener::OpenPage(const std::filesystem::path& page) {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string()))))
    std::fprintf(stderr, "notavistra: cannot open the help page %s\n", page.c_str());
}

}  // namespace nv::widgets
