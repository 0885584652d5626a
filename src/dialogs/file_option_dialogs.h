#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "dialogs/form_dialog.h"
#include "dialogs/logic/page_ranges.h"

namespace nv::dialogs {

// A music-font note button of a duration group: its value and glyph.
GlyphGroup NoteButtons(const std::vector<std::pair<int, std::uint8_t>>& notes,
                       const std::vector<const char*>& names, const std::vector<const char*>& hints);

// The tempo mark: a beat note and 1..512 beats a minute.
class TFDCTempoInput : public FormDialog {
  Q_OBJECT
 public:
  explicit TFDCTempoInput(nv::platform::IniFile* settings, QWidget* parent = nullptr);
  // 8, 16, 32, 64 or 128 presses its button; other values change nothing.
  void SetBeatNote(int value);
  int GetBeatNote() const;
  void SetTempo(int tempo);
  // The typed tempo; 0 when the field holds no number.
  int GetTempo() const;
};

// How a Standard MIDI file is imported: tracks on one sheet or separate
// ones, and the shortest note kept.
class TFImportMIDI : public FormDialog {
  Q_OBJECT
 public:
  explicit TFImportMIDI(nv::platform::IniFile* settings, QWidget* parent = nullptr);
  bool GetTracksOnSeparateSheets() const;
  void SetTracksOnSeparateSheets(bool separate);
  // 2, 4, 8, 16 or 32 presses its button; other values change nothing.
  void SetQuantizeDuration(int duration);
  int GetQuantizeDuration() const;
};

// How pages are exported as pictures.
class TFExportSetting : public FormDialog {
  Q_OBJECT
 public:
  static constexpr int kQualityBit = 2;
  static constexpr int kPixelFormatBit = 1;

  explicit TFExportSetting(nv::platform::IniFile* settings, QWidget* parent = nullptr);
  // Bit 1 shows the quality, bit 0 the pixel format.
  void SetFormatOptions(int bits);
  // Both page fields reach `count`.
  void SetPageCount(int count);
  void SetPageChecksVisible(bool visible);

  int GetPixelFormat() const;  // 0 8 bit, 1 24 bit
  int GetQuality() const;
  int GetScale() const;
  bool GetDoublePage() const;
  bool GetEveryPageInFile() const;
  int GetPageRange() const;  // 0 all, 1 from..to
  int GetFromPage() const;
  int GetToPage() const;
  void SetFromPage(int page);
  void SetToPage(int page);

 private:
  void PagesChanged();
  ExportPageRange range_;
};

}  // namespace nv::dialogs
