#pragma once

#include <QBrush>
#include <QFont>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "widgets/logic/page_control_model.h"

namespace nv::widgets {

class TECButtonScroll;
class TECPageControl;

// A widget that may refuse to give up the keyboard focus when the notebook
// changes its page (Qt's focus change has no veto of its own).
class FocusKeeper {
 public:
  virtual ~FocusKeeper() = default;
  virtual bool mayLeaveFocus() = 0;
};

// One page of the notebook. The page control sets its bounds and shows it
// while it is open; `SheetVisible` and `TabVisible` say whether it takes
// part in the tabs at all.
class TECTabSheet : public QWidget {
  Q_OBJECT
 public:
  // Joins `control` (at the end of its pages) when given.
  explicit TECTabSheet(TECPageControl* control = nullptr);
  ~TECTabSheet() override;

  TECPageControl* PageControl() const { return control_; }
  // Leaves the old control and joins the new one (none: belongs to none).
  void SetPageControl(TECPageControl* control);

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  bool SheetVisible() const { return sheetVisible_; }
  void SetSheetVisible(bool visible);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  int PageIndex() const;
  // Moves the page to n when 0 <= n < page count.
  void SetPageIndex(int n);
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int width);
  const QBrush& Brush() const { return brush_; }
  void SetBrush(const QBrush& brush);
  const QBrush& TabBrush() const { return tabBrush_; }
  void SetTabBrush(const QBrush& brush);
  const QFont& TabFont() const { return tabFont_; }
  void SetTabFont(const QFont& font);
  int Image() const { return image_; }
  void SetImage(int index);
  const QPixmap& Picture() const { return picture_; }
  void SetPicture(const QPixmap& picture);
  const QString& Hint() const { return hint_; }
  void SetHint(const QString& hint) { hint_ = hint; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Changed();

  friend class TECPageControl;
  TECPageControl* control_ = nullptr;
  // The form docked into this page, with the window flags it had.
  QWidget* dockedForm_ = nullptr;
  Qt::WindowFlags dockedFlags_;
  QString caption_;
  bool sheetVisible_ = true;
  bool tabVisible_ = true;
  int tabWidth_ = 0;
  QBrush brush_;
  QBrush tabBrush_;
  QFont tabFont_;
  int image_ = -1;
  QPixmap picture_;
  QString hint_;
};

// The page look.
struct TECPageSetting {
  QBrush brush;
  bool doubleSheet = true;
  PageOrientation orientation = PageOrientation::Left;
};

// A page control drawn as a spiral-bound notebook: the pages lie on the
// binding, their tabs stand out on the opposite side and scroll with small
// arrows when they do not fit; in double-sheet mode two pages lie open side
// by side. A form docked into it becomes a page of its own.
class TECPageControl : public QWidget {
  Q_OBJECT
 public:
  explicit TECPageControl(QWidget* parent = nullptr);
  ~TECPageControl() override;

  const PageControlModel& Model() const { return model_; }
  int PageCount() const { return static_cast<int>(sheets_.size()); }
  TECTabSheet* Pages(int index) const { return sheets_[static_cast<std::size_t>(index)]; }
  int IndexOf(const TECTabSheet* sheet) const;

  TECTabSheet* ActivePage() const;
  // Opens a page unless the change is refused; true when it is open.
  bool SetActivePage(TECTabSheet* page);
  // The page whose tab holds the point, or null.
  TECTabSheet* TabAt(const QPoint& p) const;
  // The rectangle of a page's tab (empty when it shows none).
  QRect TabRect(const TECTabSheet* page) const;

  // --- look ---------------------------------------------------------------
  const QBrush& Brush() const { return brush_; }
  void SetBrush(const QBrush& brush);
  const QBrush& SpiralBrush() const { return spiralBrush_; }
  void SetSpiralBrush(const QBrush& brush);
  const TECPageSetting& PageSetting() const { return pageSetting_; }
  void SetPageSetting(const TECPageSetting& setting);
  const TabLook& TabSetting() const { return model_.Tabs(); }
  void SetTabSetting(const TabLook& look);
  bool SpiralVisible() const { return model_.SpiralVisible(); }
  void SetSpiralVisible(bool on);
  bool Beveled() const { return beveled_; }
  void SetBeveled(bool on);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool on);
  // Tab images of one size; each sheet's Image picks one.
  void SetImages(const std::vector<QPixmap>& images);
  const std::vector<QPixmap>& Images() const { return images_; }
  const QPixmap& Picture() const { return picture_; }
  void SetPicture(const QPixmap& picture);
  // The repeat interval of the tab arrows (20 ms).
  void SetScrollInterval(int ms);

  // May refuse a change of page.
  using PageChanging = std::function<bool(TECTabSheet* newPage)>;
  void SetOnPageChanging(PageChanging handler) { onPageChanging_ = std::move(handler); }

  // --- docking ------------------------------------------------------------
  // Makes a page for `form` and puts the form into it, filling it; the tab
  // follows the form's caption (its first line) and visibility.
  TECTabSheet* DockForm(QWidget* form);
  // Gives the form back as a window of its own and frees its page.
  void UndockForm(QWidget* form);
  TECTabSheet* SheetOf(const QWidget* form) const;

  // The arrows of the two tab rows, back and forward (null until needed).
  TECButtonScroll* BackArrow(int row) const { return arrows_[static_cast<std::size_t>(2 * row)]; }
  TECButtonScroll* ForwardArrow(int row) const { return arrows_[static_cast<std::size_t>(2 * row + 1)]; }
  // Scrolls a tab row by `steps` arrow steps (negative: back).
  void ScrollTabs(int row, int steps);
  // The hot tab's page index (-1: none).
  int HotTab() const { return hot_; }

 Q_SIGNALS:
  void PageChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TECTabSheet;
  void AddSheet(TECTabSheet* sheet);
  void RemoveSheet(TECTabSheet* sheet);
  void MoveSheet(TECTabSheet* sheet, int to);
  // A sheet's caption, visibility or tab look changed.
  void SheetChanged(TECTabSheet* sheet);
  // The model's view of a sheet.
  PageInfo InfoOf(const TECTabSheet* sheet) const;
  void SyncModel();
  // Lays the sheets and arrows out again and repaints everything.
  void Relayout();
  void PlaceArrows();
  // Opens the next shown page when the active one can no longer be open.
  void LeaveActive(int leaving);
  bool FocusMayLeave(TECTabSheet* page) const;
  void SetHot(int page);

  // --- painting (page_control_painting.cpp) --------------------------------
  void PaintFrames(QPainter& painter);
  void PaintSpiral(QPainter& painter);
  void PaintTab(QPainter& painter, const TabPlace& tab);

  PageControlModel model_;
  std::vector<TECTabSheet*> sheets_;
  TECTabSheet* pendingActive_ = nullptr;
  QBrush brush_;
  QBrush spiralBrush_;
  TECPageSetting pageSetting_;
  bool beveled_ = false;
  bool hotTrack_ = true;
  std::vector<QPixmap> images_;
  QPixmap picture_;
  PageChanging onPageChanging_;
  std::array<TECButtonScroll*, 4> arrows_{};
  int scrollInterval_ = 20;
  int hot_ = -1;
  int pressedTab_ = -1;  // the XP style's pressed mark
  bool destroying_ = false;
};

}  // namespace nv::widgets
