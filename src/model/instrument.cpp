#include "model/instrument.h"

#include <algorithm>

#include "model/music_score.h"
#include "model/row.h"
#include "model/undo_entries.h"

TECInstrument::TECInstrument(TECMusicScore* score) : score_(score), symbols_(this), texts_(this) {}

TECInstrument::~TECInstrument() {
  if (score_ && !score_->Destroying())
    score_->FireStaveChanged(this, TECStaveOperation::soDestroyed, this);
  while (!rows_.empty()) rows_.pop_back();
}

int TECInstrument::GetIndex() const { return score_ ? score_->IndexOfInstrument(this) : -1; }

void TECInstrument::Assign(const TECInstrument& source) {
  if (&source == this) return;
  while (!rows_.empty()) rows_.pop_back();
  name_ = source.name_;
  accolade_ = source.accolade_;
  pageCount_ = source.pageCount_;
  asMusicScore_ = source.asMusicScore_;
  program_ = source.program_;
  channel_ = source.channel_;
  mute_ = source.mute_;
  layouts_.clear();
  for (const auto& from : source.layouts_) {
    auto layout = std::make_unique<TECMeasureLayout>();
    layout->Positions = from->Positions;
    layout->SpaceAfterBar = from->SpaceAfterBar;
    layout->PageBreak = from->PageBreak;
    layouts_.push_back(std::move(layout));
  }
  Systems = source.Systems;
  for (const auto& from : source.rows_) {
    TECRow* row = AppendRow();
    if (score_) score_->FireStaveChanged(this, TECStaveOperation::soAdded, row);
    row->Assign(*from);
  }
  symbols_.Entries.clear();
  for (const auto& from : source.symbols_.Entries) {
    auto entry = std::make_unique<TECSymbolEntry>();
    entry->Owner = this;
    entry->Flag = from->Flag;
    entry->MeasureIndex = from->MeasureIndex;
    for (const auto& item : from->Items) {
      const std::uint8_t k = item->Kind;
      const bool copied = (k >= 71 && k <= 76) || (k >= 80 && k <= 82) || (k >= 85 && k <= 88) || k == ek::TempoMark;
      if (!copied) continue;
      auto copy = std::make_unique<TECSymbolItem>(k, entry.get());
      std::array<std::uint8_t, 8> bytes{};
      item->Store(bytes);
      copy->Load(std::span<const std::uint8_t>(bytes.data(), item->StoredSize()));
      entry->Items.push_back(std::move(copy));
    }
    symbols_.Entries.push_back(std::move(entry));
  }
  texts_.Objects.clear();
  for (const auto& object : source.texts_.Objects) {
    auto copy = object->Clone();
    copy->Owner = this;
    texts_.Objects.push_back(std::move(copy));
  }
  Pairs = source.Pairs;
  if (score_) score_->FireStaveChanged(this, TECStaveOperation::soChanged, this);
}

// --- rows ----------------------------------------------------------------------------

int TECInstrument::IndexOfRow(const TECRow* row) const {
  for (int i = 0; i < GetRowCount(); ++i)
    if (rows_[i].get() == row) return i;
  return -1;
}

void TECInstrument::SetActiveRow(int i) {
  if (i == activeRow_ || i < 0 || i >= GetRowCount()) return;
  if (!score_) {
    activeRow_ = i;
    return;
  }
  score_->ShowCaret(false);
  score_->BeginRulesUpdate();
  activeRow_ = i;
  score_->ShowCaret(true);
  score_->EndRulesUpdate();
  score_->FireStaveChanged(this, TECStaveOperation::soActiveChanged, GetActiveRow());
}

int TECInstrument::VisibleRowCount() const {
  return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const auto& r) { return !r->United(); }));
}

TECRow* TECInstrument::AppendRow() { return InsertRow(GetRowCount()); }

TECRow* TECInstrument::InsertRow(int index) {
  index = std::clamp(index, 0, GetRowCount());
  auto it = rows_.insert(rows_.begin() + index, std::make_unique<TECRow>(this));
  return it->get();
}

void TECInstrument::RemoveRow(int index) {
  if (index < 0 || index >= GetRowCount()) return;
  std::unique_ptr<TECRow> gone = std::move(rows_[index]);
  rows_.erase(rows_.begin() + index);
}

TECRow* TECInstrument::AddRow(bool copyHeaders) {
  TECRow* row = AppendRow();
  if (copyHeaders && GetRowCount() > 1) {
    // The new row takes the key and time records of the first row, quietly:
    // the row as a whole is the one undo entry.
    const TECRow& first = *rows_.front();
    for (const auto& measure : first.Measures()) {
      if (!measure->KeySignature && !measure->TimeSignature) continue;
      while (row->MeasureCount() <= measure->Index) row->AddMeasure();
      TECMeasure* target = row->GetMeasure(measure->Index);
      if (measure->KeySignature)
        target->KeySignature = std::make_unique<TECKeySignature>(measure->KeySignature->Code(), target);
      if (measure->TimeSignature) {
        target->TimeSignature = std::make_unique<TECTimeSignature>(target);
        target->TimeSignature->Word = measure->TimeSignature->Word;
        target->TimeSignature->Style = measure->TimeSignature->Style;
      }
    }
  }
  return ReportAddedRow(row);
}

TECRow* TECInstrument::DuplicateRow(int i) {
  if (rows_.empty()) return nullptr;
  if (i < 0 || i >= GetRowCount()) i = std::clamp(activeRow_, 0, GetRowCount() - 1);
  TECRow* row = InsertRow(i + 1);
  row->Assign(*rows_[i]);
  return ReportAddedRow(row);
}

// A row added by a command is laid out, reported and recorded for undo.
TECRow* TECInstrument::ReportAddedRow(TECRow* row) {
  if (!score_) return row;
  score_->LayoutScore(0, false);
  score_->InvalidateScore();
  score_->FireStaveChanged(this, TECStaveOperation::soAdded, row);
  score_->FireChanged(this);
  if (TECUndoStep* step = score_->BeginUndoStep(50)) score_->SaveUndoRow(step, row);
  return row;
}

void TECInstrument::DeleteRow(int i) {
  if (i < 0 || i >= GetRowCount() || GetRowCount() < 2) return;
  TECRow* row = rows_[i].get();
  if (score_) {
    if (TECUndoStep* step = score_->BeginUndoStep(51)) {
      WriteUndoRowHeader(step->Stream, *row);
      if (row->MeasureCount() == 0) score_->SaveUndoRow(step, row);
      for (const auto& measure : row->Measures()) score_->SaveUndoMeasure(step, measure.get(), measure->Index);
      for (TECMeasure* holder : MeasuresHoldingLinksOn(*row)) score_->SaveUndoMeasure(step, holder, holder->Index);
    }
  }
  RemoveRow(i);
  activeRow_ = std::min(activeRow_, GetRowCount() - 1);
  if (!score_) return;
  score_->LayoutScore(0, false);
  if (TECRow* active = GetActiveRow()) active->SnapCursor();
  score_->InvalidateScore();
  score_->FireChanged(this);
}

void TECInstrument::MoveActiveRow(int delta) {
  if (rows_.empty()) return;
  const int from = std::clamp(activeRow_, 0, GetRowCount() - 1);
  const int to = std::clamp(from + delta, 0, GetRowCount() - 1);
  if (to == from) return;
  std::unique_ptr<TECRow> moving = std::move(rows_[from]);
  rows_.erase(rows_.begin() + from);
  rows_.insert(rows_.begin() + to, std::move(moving));
  activeRow_ = to;
  if (!score_) return;
  // Steps name rows by their index: none of them would fit any more.
  score_->ClearUndoLists();
  score_->LayoutScore(0, false);
  score_->FireStaveChanged(this, TECStaveOperation::soMoved, GetActiveRow());
  score_->FireChanged(this);
}

// --- settings -----------------------------------------------------------------------

void TECInstrument::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  if (!score_) return;
  score_->FireStaveChanged(this, TECStaveOperation::soChanged, this);
  score_->FireChanged(this);
}

void TECInstrument::SetMidiInstrument(int program) {
  if (program == program_ && name_.empty()) return;
  program_ = program;
  // An empty name shows the program's name.
  name_.clear();
  if (!score_) return;
  score_->FireStaveChanged(this, TECStaveOperation::soChanged, this);
  score_->DoChanged(this);
}

void TECInstrument::SetChannel(int channel) {
  if (channel < 1 || channel > 16 || channel == channel_) return;
  channel_ = channel;
  if (!score_) return;
  score_->FireStaveChanged(this, TECStaveOperation::soChanged, this);
  score_->DoChanged(this);
}

void TECInstrument::SetVolume(int volume) { SetControllerSetting(volume_, volume, 7); }

void TECInstrument::SetPan(int pan) { SetControllerSetting(pan_, pan, 10); }

// Volume and pan (-1: not set); during playback a change is sent at once as a
// control change on the instrument's channel.
void TECInstrument::SetControllerSetting(int& setting, int value, int controller) {
  if (value < -1 || value > 127 || value == setting) return;
  setting = value;
  if (!score_) return;
  score_->FireStaveChanged(this, TECStaveOperation::soChanged, this);
  score_->FireChanged(this);
  if (score_->Playing && channel_ > 0 && setting >= 0)
    score_->FirePlayShort(this, static_cast<std::uint8_t>(0xB0 | ((channel_ - 1) & 15)),
                          static_cast<std::uint8_t>(controller), static_cast<std::uint8_t>(setting));
}

void TECInstrument::SetAccolade(int style) {
  if (style == accolade_) return;
  accolade_ = style;
  if (!score_) return;
  score_->DoChanged(this);
  score_->InvalidateScore();
}

void TECInstrument::SetMute(bool v) {
  if (v == Mute()) return;
  mute_ = v ? 1 : 0;
  if (!score_) return;
  score_->FireStaveChanged(this, TECStaveOperation::soChanged, this);
  score_->FireChanged(this);
}

void TECInstrument::SetAsMusicScore(bool v) {
  if (v == AsMusicScore()) return;
  asMusicScore_ = v ? 1 : 0;
  if (!score_) return;
  score_->LayoutScore(0, false);
  score_->InvalidateScore();
  score_->FireChanged(this);
}

void TECInstrument::SetPageCount(int n) {
  if (n <= 0 || n == pageCount_) return;
  const int old = pageCount_;
  pageCount_ = n;
  if (!score_) return;
  if (score_->GetActivePage() < n)
    score_->LayoutScore(old, false);
  else
    score_->SetActivePage(n - 1);
  if (score_->OnPageCountChanged) score_->OnPageCountChanged(this);
  score_->InvalidatePageTabs();
  score_->FireChanged(this);
}

// --- page objects -----------------------------------------------------------------------

void TECInstrument::InsertPageObject(std::unique_ptr<TECPageObject> object, std::uint8_t undoKind) {
  const int page = score_ ? score_->GetActivePage() : 0;
  object->Page = page;
  object->Owner = this;
  // Objects stay ordered by page: before the first on this page or later.
  auto at = std::find_if(texts_.Objects.begin(), texts_.Objects.end(),
                         [page](const auto& o) { return o->Page >= page; });
  TECPageObject* added = texts_.Objects.insert(at, std::move(object))->get();
  if (!score_) return;
  if (TECUndoStep* step = score_->BeginUndoStep(undoKind)) score_->SaveUndoPageObject(step, added);
  score_->InvalidateScore();
  score_->FireChanged(this);
}

TECPageText* TECInstrument::AddPageText(int x, int y, const std::vector<std::string>& lines,
                                        const std::string& fontName, int fontSize, int fontStyle,
                                        std::int32_t color) {
  auto text = std::make_unique<TECPageText>();
  text->X = static_cast<std::int16_t>(x);
  text->Y = static_cast<std::int16_t>(y);
  text->Lines = lines;
  text->FontName = fontName;
  text->FontSize = static_cast<std::uint8_t>(fontSize);
  text->FontStyle = static_cast<std::uint8_t>(fontStyle);
  text->Color = color;
  TECPageText* result = text.get();
  InsertPageObject(std::move(text), 6);
  return result;
}

TECPagePicture* TECInstrument::AddPagePicture(int x, int y, int width, int height, TECPicture picture) {
  auto object = std::make_unique<TECPagePicture>();
  object->X = static_cast<std::int16_t>(x + 1000);
  object->Y = static_cast<std::int16_t>(y + 1000);
  object->Width = static_cast<std::int16_t>(width);
  object->Height = static_cast<std::int16_t>(height);
  object->Picture = std::move(picture);
  TECPagePicture* result = object.get();
  InsertPageObject(std::move(object), 9);
  return result;
}

TECPageLine* TECInstrument::AddPageLine(int x1, int y1, int x2, int y2, int penWidth, std::int32_t penColor,
                                        int penStyle) {
  auto line = std::make_unique<TECPageLine>();
  line->X1 = static_cast<std::int16_t>(x1 + 1000);
  line->Y1 = static_cast<std::int16_t>(y1 + 1000);
  line->X2 = static_cast<std::int16_t>(x2 + 1000);
  line->Y2 = static_cast<std::int16_t>(y2 + 1000);
  line->PenWidth = static_cast<std::uint8_t>(penWidth);
  line->PenColor = penColor;
  line->PenStyle = static_cast<std::uint8_t>(penStyle);
  TECPageLine* result = line.get();
  InsertPageObject(std::move(line), 10);
  return result;
}

namespace {
void FillShape(TECPageShape& shape, int x, int y, int width, int height, int penWidth, std::int32_t penColor,
               int penStyle, std::int32_t brushColor, int brushStyle) {
  shape.X = static_cast<std::int16_t>(x + 1000);
  shape.Y = static_cast<std::int16_t>(y + 1000);
  shape.Width = static_cast<std::int16_t>(width);
  shape.Height = static_cast<std::int16_t>(height);
  shape.PenWidth = static_cast<std::uint8_t>(penWidth);
  shape.PenColor = penColor;
  shape.PenStyle = static_cast<std::uint8_t>(penStyle);
  shape.BrushColor = brushColor;
  shape.BrushStyle = static_cast<std::uint8_t>(brushStyle);
}
}  // namespace

TECPageShape* TECInstrument::AddPageShape(std::uint8_t kind, int x, int y, int width, int height, int penWidth,
                                          std::int32_t penColor, int penStyle, std::int32_t brushColor,
                                          int brushStyle) {
  if (kind != ek::PageRectangle && kind != ek::PageEllipse) return nullptr;
  auto shape = std::make_unique<TECPageShape>(kind);
  FillShape(*shape, x, y, width, height, penWidth, penColor, penStyle, brushColor, brushStyle);
  TECPageShape* result = shape.get();
  InsertPageObject(std::move(shape), 10);
  return result;
}

TECPageArc* TECInstrument::AddArcObject(std::uint8_t kind, int x, int y, int width, int height, int penWidth,
                                        std::int32_t penColor, int penStyle, std::int32_t brushColor,
                                        int brushStyle) {
  if (kind < ek::PageArc || kind > ek::PageChord) return nullptr;
  auto arc = std::make_unique<TECPageArc>(kind);
  FillShape(*arc, x, y, width, height, penWidth, penColor, penStyle, brushColor, brushStyle);
  // The arc runs from the box's top-left corner to its opposite corner.
  arc->StartX = arc->X;
  arc->StartY = arc->Y;
  arc->EndX = static_cast<std::int16_t>(arc->X + width);
  arc->EndY = static_cast<std::int16_t>(arc->Y + height);
  TECPageArc* result = arc.get();
  InsertPageObject(std::move(arc), 10);
  return result;
}
