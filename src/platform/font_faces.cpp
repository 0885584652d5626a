#include "platform/font_faces.h"

#include "platform/asset_paths.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <utility>

namespace nv::platform {

namespace {

bool sameFace(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kSubstitutes = {{
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Time New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans"},
}};

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

bool isMusicFace(std::string_view face) { return sameFace(face, kMusicFace); }

std::string substituteFace(std::string_view face) {
  for (const auto& [name, substitute] : kSubstitutes) {
    if (sameFace(face, name)) return std::string(substitute);
  }
  return std::string(face);
}

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
