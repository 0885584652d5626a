#include "app/startup_services.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

#include "document/file_type_registration.h"
#include "document/settings_file.h"
#include "library/library_folder.h"
#include "platform/asset_paths.h"
#include "platform/qt/qt_font_faces.h"
#include "widgets/message_block.h"

namespace nv::app {

namespace {

// The root window's _XKB_RULES_NAMES: rules, model, layouts, variants and
// options, each ended by a NUL byte.
std::string XkbLayouts(xcb_connection_t* connection) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
  if (!screen) return {};
  constexpr char kName[] = "_XKB_RULES_NAMES";
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName), nullptr), &std::free);
  if (!atom || atom->atom == XCB_ATOM_NONE) return {};
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> property(
      xcb_get_property_reply(
          connection,
          xcb_get_property(connection, 0, screen->root, atom->atom, XCB_ATOM_STRING, 0, 1024), nullptr),
      &std::free);
  if (!property || property->format != 8) return {};
  const char* bytes = static_cast<const char*>(xcb_get_property_value(property.get()));
  const std::string value(bytes, static_cast<std::size_t>(xcb_get_property_value_length(property.get())));
  std::size_t start = 0;
  for (int field = 0; field < 2; ++field) {
    start = value.find('\0', start);
    if (start == std::string::npos) return {};
    ++start;
  }
  return value.substr(start, value.find('\0', start) - start);
}

}  // namespace

void LoadMusicFont() {
  if (platform::ensureMusicFontLoaded()) return;
  widgets::ShowErrorMessage("The music font \"" + platform::assetPath("fonts/MusicSymbols.ttf").string() +
                            "\" is missing or cannot be used: notes and music symbols do not show.");
}

void RegisterScoreFileType() {
  std::ifstream in(platform::assetPath("icons/notavistra.svg"), std::ios::binary);
  const std::string icon{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string problems = document::RegisterFileType(
      document::UserDataHome(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
      QCoreApplication::applicationFilePath().toStdString(), icon);
  if (!problems.empty()) std::fprintf(stderr, "notavistra: the score file type is not registered: %s", problems.c_str());
}

std::string ProgramSettingsPath() {
  return document::ChooseSettingsPath(QCoreApplication::applicationDirPath().toStdString(),
                                      std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string ProgramLibraryFolder() {
  return library::ChooseLibraryFolder(QCoreApplication::applicationDirPath().toStdString(), std::getenv("XDG_DATA_HOME"),
                                      std::getenv("HOME"));
}

std::string HelpRoot() { return platform::assetPath("Help").string(); }

std::string SystemKeyboardLayouts::LayoutNames() const {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 && x11->connection() ? XkbLayouts(x11->connection()) : std::string();
}

std::string SystemKeyboardLayouts::Locale() const {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = std::getenv(name); value && *value) return value;
  }
  return {};
}

}  // namespace nv::app
