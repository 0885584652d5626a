#include "platform/qt/qt_clipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

namespace nv::platform {
namespace {

QString MimeType(const std::string& format) { return QString::fromStdString(format); }

}  // namespace

bool QtClipboard::HasFormat(const std::string& format) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && data->hasFormat(MimeType(format));
}

std::optional<std::vector<std::uint8_t>> QtClipboard::Data(const std::string& format) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasFormat(MimeType(format))) return std::nullopt;
  const QByteArray bytes = data->data(MimeType(format));
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool QtClipboard::SetData(const std::string& format, const std::vector<std::uint8_t>& data) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  auto mime = new QMimeData;
  mime->setData(MimeType(format),
                QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())));
  // The clipboard takes the data over.
  clipboard->setMimeData(mime);
  return HasFormat(format);
}

void installQtClipboard() {
  static QtClipboard clipboard;
  installClipboard(&clipboard);
}

}  // namespace nv::platform
