#include "platform/qt/qt_font_faces.h"

#include "platform/asset_paths.h"

#include <QFontDatabase>
#include <QStringList>

#include <filesystem>

namespace nv::platform {

namespace {

// The family registered from the music font file; empty when it is missing.
const QString& musicFamily() {
  static const QString family = [] {
    std::error_code ec;
    const auto path = assetPath("fonts/MusicSymbols.ttf");
    if (!std::filesystem::is_regular_file(path, ec)) return QString();
    const int id = QFontDatabase::addApplicationFont(QString::fromStdString(path.string()));
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
  }();
  return family;
}

}  // namespace

bool ensureMusicFontLoaded() { return !musicFamily().isEmpty(); }

QString fontFamilyFor(std::string_view face) {
  if (isMusicFace(face) && ensureMusicFontLoaded()) return musicFamily();
  return QString::fromStdString(substituteFace(face));
}

QString textForFace(std::string_view face, std::string_view text) {
  if (!isMusicFace(face)) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QString glyphs;
  glyphs.reserve(static_cast<qsizetype>(text.size()));
  for (const char c : text) glyphs.append(QChar(0xF000 + static_cast<unsigned char>(c)));
  return glyphs;
}

}  // namespace nv::platform
