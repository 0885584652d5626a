#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/button_table.h"
#include "document/command_registry.h"
#include "editing/look_steps.h"

namespace nv::document {

class ScoreDocument;
struct ProgramSettings;

// The look values of new and selected page objects that the design page
// keeps in the settings.
enum class DesignLook {
  TextColor,
  BrushColor,
  LineColor,
  FontStyle,   // 1 bold, 2 italic, 4 underline, 8 strike-out
  BrushStyle,  // 0 solid .. 7 diagonal cross
  LineStyle,   // 0 solid .. 4 dash-dot-dot
  LineWidth,   // 1 .. 5
  PointStyle,  // a line-end code: start in the high nibble, finish in the low
  TextRotate,  // degrees
  FontSize,
};

int DesignValue(const ProgramSettings& settings, DesignLook look);
void SetDesignValue(ProgramSettings& settings, DesignLook look, int value);
// The command that applies a look's current value to the selection.
std::string_view DesignCommand(DesignLook look);

// A font size typed into the size box: a whole number of 4 to 72 points
// (spaces around it allowed); none for anything else.
inline constexpr int kSmallestFontSize = 4;
inline constexpr int kLargestFontSize = 72;
std::optional<int> FontSizeOf(std::string_view typed);
// A font name typed into the name box, trimmed; none when nothing is left.
std::optional<std::string> FontNameOf(std::string_view typed);

// How a design-page button shows its face.
enum class DesignFace {
  Picture,  // a picture of the face factory
  Line, Arrow, Rectangle, FillRectangle, Ellipse, FillEllipse, Arc, Pie, FillPie, Segment, FillSegment,
  TextColor, BrushColor, LineColor, TextStyle, BrushStyle, LineStyle, LineWidth, PointStyle, TextRotate,
  AlignLeft, AlignCenter, AlignRight, AlignFull,
};

// What a button does: a drawing tool is a button of the tool state; a look
// button runs its command with the current value and opens its palette
// from its arrow part; a command button runs its command.
enum class DesignPart { Tool, Look, Command };

// Where a button stands on the page: the upper row starts a column, the
// lower row shares it.
enum class DesignRow { Upper, Lower };

struct DesignButton {
  std::string_view Name;
  std::string_view Hint;
  DesignPart Part = DesignPart::Command;
  DesignFace Face = DesignFace::Picture;
  DesignRow Row = DesignRow::Upper;
  std::string_view CommandId;
  std::vector<std::string_view> Args;
  // Look buttons: the value shown and applied.
  std::optional<DesignLook> Look;
};

// The buttons of the design page's scroll panel SPDesign, columns from left
// to right. The reset button CBResetDesign stands on the page itself; the
// font name and size boxes follow the look buttons.
std::span<const DesignButton> DesignButtons();
const DesignButton* FindDesignButton(std::string_view name);

// The score's calls the design page's commands make on the selected objects
// of the active score, each one undo step. Tests record them.
class PageObjectEdits {
 public:
  virtual ~PageObjectEdits() = default;
  virtual void ChangeLook(nv::editing::Look look, int value) = 0;
  virtual void ChangeFontName(const std::string& name) = 0;
  // To the front (true) or the back.
  virtual void Reorder(bool front) = 0;
};

// The calls on a document's score.
class DocumentPageObjectEdits final : public PageObjectEdits {
 public:
  explicit DocumentPageObjectEdits(ScoreDocument& document) : document_(document) {}
  void ChangeLook(nv::editing::Look look, int value) override;
  void ChangeFontName(const std::string& name) override;
  void Reorder(bool front) override;

 private:
  ScoreDocument& document_;
};

// Adds the design page's commands: one per look ("design.text_color" ...),
// applying the look's value of `settings` at the time it runs; the text
// alignment ("design.text_align" 0..3), all pages or one page
// ("design.objects_page" 0 or 1), and bring to front and send to back
// ("object.to_front", "object.to_back"). Each acts on what `active` gives
// and is disabled while it gives none.
void AddDesignCommands(CommandRegistry& registry, std::function<PageObjectEdits*()> active,
                       const ProgramSettings& settings);

}  // namespace nv::document
