#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "dialogs/palette_frame.h"

class QListWidget;
class QListWidgetItem;

namespace nv::dialogs {

class FormFields;

// The font-name palette: the system's font families, sorted, without the
// vertical ("@") faces. A click on a name reports it and closes.
class FontNamePalette : public PaletteFrame {
  Q_OBJECT
 public:
  using SelectHandler = std::function<void(FontNamePalette& palette, const QString& name)>;

  // The families to list; by default the system's.
  explicit FontNamePalette(const QStringList& families = SystemFamilies(), QWidget* parent = nullptr);
  static QStringList SystemFamilies();

  // Selects the first name equal without regard to case; an unknown name
  // leaves the selection as it was.
  void SetFontName(const QString& name);
  QString FontName() const;
  void SetOnSelect(SelectHandler handler) { onSelect_ = std::move(handler); }

  QListWidget* List() const { return list_; }

 private:
  void Choose(QListWidgetItem* item);

  QListWidget* list_;
  SelectHandler onSelect_;
};

// The font-style palette: "Bold", "Italic", "Underline" and "StrikeOut";
// each click reports the mask of all four and the palette stays open.
class FontStylePalette : public PaletteFrame {
  Q_OBJECT
 public:
  using SelectHandler = std::function<void(FontStylePalette& palette, int mask)>;

  explicit FontStylePalette(QWidget* parent = nullptr);

  void SetStyles(int mask);
  int Styles() const;
  void SetOnSelect(SelectHandler handler) { onSelect_ = std::move(handler); }

  FormFields& Fields() const { return *fields_; }

 private:
  FormFields* fields_;
  SelectHandler onSelect_;
};

}  // namespace nv::dialogs
