#pragma once

#include <functional>

#include "dialogs/palette_frame.h"

namespace nv::platform {
class IniFile;
}

namespace nv::dialogs {

class FormFields;

// The rehearsal-mark style palette: numeration (0 auto, 1 custom), kind (0
// letters, 1 digits) and border (0 none, 1 rectangle, 2 circle). A click in
// a group reports the palette; the setters report nothing. It opens where
// the user last left it.
class RehearsalMarkPalette : public PaletteFrame {
  Q_OBJECT
 public:
  using SelectHandler = std::function<void(RehearsalMarkPalette& palette)>;

  explicit RehearsalMarkPalette(nv::platform::IniFile* settings, QWidget* parent = nullptr);
  ~RehearsalMarkPalette() override;

  void SetNumeration(int index);
  void SetKind(int index);
  void SetBorder(int index);
  // The border is always one pixel wide: setting it changes nothing.
  void SetBorderWidth(int) {}
  int GetNumeration() const;
  int GetKind() const;
  int GetBorder() const;
  int GetBorderWidth() const { return 1; }

  FormFields& Fields() const { return *fields_; }
  void SetOnSelect(SelectHandler handler) { onSelect_ = std::move(handler); }

 private:
  FormFields* fields_;
  nv::platform::IniFile* settings_;
  SelectHandler onSelect_;
};

}  // namespace nv::dialogs
