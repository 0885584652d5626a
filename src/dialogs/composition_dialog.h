#pragma once

#include <array>

#include "dialogs/dialog_frame.h"
#include "dialogs/drum_dialogs.h"
#include "dialogs/form_fields.h"
#include "dialogs/logic/length_units.h"
#include "document/score_properties.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace nv::document {
class ScoreDocument;
}
namespace nv::widgets {
class TECPageControl;
}

namespace nv::dialogs {

// The whole score's settings on five sheets: general (row interval, time
// signature, tempo, scale, joining, upbeat, alignment, bar numbers, note
// spacing), page (unit, paper, orientation, margins, with a sample), print
// options, the score's drum map, and the signature texts. The page is
// edited on a copy; OK refuses a page with no room to print on, naming the
// field, and hands everything back.
class TFDCCompositionProperties : public DialogFrame {
  Q_OBJECT
 public:
  // `pixelsPerInch` converts pixel lengths (the screen's when 0).
  TFDCCompositionProperties(const DrumMapServices& services, double pixelsPerInch = 0);
  ~TFDCCompositionProperties() override;

  void LoadFromProps(const nv::document::CompositionProps& props);
  nv::document::CompositionProps Props() const;

  FormFields& General() { return *general_; }
  FormFields& PageFields() { return *page_; }
  FormFields& Print() { return *print_; }
  DrumMapGrid* DrumGrid() const { return drums_; }
  nv::widgets::TECPageControl* Pages() const { return pages_; }
  // The length edit and its up-down of a page value: "Width", "Length",
  // "Left", "Top", "Right", "Bottom", "Interval".
  QLineEdit* LengthEdit(const QString& which) const;
  QSpinBox* LengthUpDown(const QString& which) const;
  QRect SamplePaper() const;
  QRect SampleMargin() const;

 protected:
  bool validate() override;

 private:
  struct Length;
  Length* Find(const QString& which) const;
  void ShowLengths();
  void LengthTyped(Length& length);
  void LengthStepped(Length& length, int position);
  void PageChanged();
  void PaperChosen();
  void SymbolRule();
  double& PageValue(int index);

  double pixelsPerInch_;
  LengthUnit unit_ = LengthUnit::Millimetres;
  nv::document::CompositionProps props_;
  bool updating_ = false;
  nv::widgets::TECPageControl* pages_;
  FormFields* general_;
  FormFields* page_;
  FormFields* print_;
  DrumMapGrid* drums_;
  QLineEdit* author_;
  QLineEdit* copyright_;
  QPlainTextEdit* description_;
  QWidget* sample_;
  std::array<std::unique_ptr<Length>, 7> lengths_;
  friend class PageSampleView;
};

// Reads the document's score into the dialog, shows it modally and, on OK
// only, writes everything back. True on OK.
bool EditCompositionProperties(nv::document::ScoreDocument& document, const DrumMapServices& services);

}  // namespace nv::dialogs
