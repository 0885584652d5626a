#pragma once

#include <QString>

#include <functional>

#include "app/palette_opener.h"

namespace nv::library {
class LibraryStore;
}

namespace nv::platform {
class IniFile;
}

namespace nv::app {

// The drop-down palettes of the dialogs: key signature, clef, time
// signature, microtone, bracket, rehearsal mark and drum style, each
// created for one opening under its button and freed when it closes.
// Without a library the drum-style chooser does not open.
class DialogPaletteOpener : public PaletteOpener {
 public:
  // `settings` keeps the palettes' own values (the rehearsal mark's);
  // `library` holds the drum styles. Either may be null.
  explicit DialogPaletteOpener(nv::platform::IniFile* settings = nullptr, nv::library::LibraryStore* library = nullptr)
      : settings_(settings), library_(library) {}
  void Open(Chooser chooser, QWidget& button, const ChooserValue& current, Chosen chosen) override;

 private:
  nv::platform::IniFile* settings_;
  nv::library::LibraryStore* library_;
};

// The modify page's drop-downs: the custom transpose, the join-notes style
// and the row alignment (in drop-down mode, or as dialogs), each created for
// one opening; the effects and dynamics palettes come from their owner.
class ArrangementPaletteOpener : public ArrangementOpener {
 public:
  using ShowPalette = std::function<void(QWidget& button)>;
  // `settings` keeps the palettes' own places; may be null.
  ArrangementPaletteOpener(nv::platform::IniFile* settings, ShowPalette effects, ShowPalette dynamics)
      : settings_(settings), effects_(std::move(effects)), dynamics_(std::move(dynamics)) {}

  void OpenTranspose(QWidget& button, int pitch, bool up, std::function<void(int pitch)> changed) override;
  void OpenJoinStyle(QWidget& button, const JoinStyleValue& current,
                     std::function<void(const JoinStyleValue&)> changed) override;
  void OpenRowAlignment(QWidget& button, const RowAlignmentValue& current,
                        std::function<void(const RowAlignmentValue&)> changed) override;
  void OpenEffects(QWidget& button) override { effects_(button); }
  void OpenDynamics(QWidget& button) override { dynamics_(button); }
  std::optional<JoinStyleValue> AskJoinStyle(QWidget& owner, const JoinStyleValue& current) override;
  std::optional<RowAlignmentValue> AskRowAlignment(QWidget& owner, const RowAlignmentValue& current) override;

 private:
  nv::platform::IniFile* settings_;
  ShowPalette effects_;
  ShowPalette dynamics_;
};

// The design page's palettes: colour, font name and style, fill and line
// styles, line width, line ends and text angle, each created for one
// opening under its button and freed when it closes.
class LookPaletteOpener : public LookOpener {
 public:
  // `language` gives the interface language's code (the angle dial's caption).
  explicit LookPaletteOpener(std::function<QString()> language) : language_(std::move(language)) {}
  void OpenLook(LookPalette palette, QWidget& button, int current, std::function<void(int value)> chosen) override;
  void OpenFontName(QWidget& button, const std::string& current,
                    std::function<void(const std::string& name)> chosen) override;

 private:
  std::function<QString()> language_;
};

}  // namespace nv::app
