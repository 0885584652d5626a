#include "render/carry_over.h"

#include <algorithm>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "render/layout_context.h"

namespace nv::render {

namespace {

void AddAt(std::vector<std::vector<TECCarryRef>>& list, int page, const TECCarryRef& ref) {
  if (page < 0) return;
  if (static_cast<int>(list.size()) <= page) list.resize(page + 1);
  list[page].push_back(ref);
}

void ClearAt(std::vector<std::vector<TECCarryRef>>& list, int page) {
  if (page >= 0 && page < static_cast<int>(list.size())) list[page].clear();
}

TECMeasure* MeasureAt(const TECInstrument& instrument, const TECCarryRef& ref) {
  const TECRow* row = instrument.GetRow(ref.Row);
  return row ? row->GetMeasure(ref.Measure) : nullptr;
}

template <typename List>
auto* ElementAt(const List& list, int index) {
  return index >= 0 && index < static_cast<int>(list.size()) ? list[index].get() : nullptr;
}

// True when the spanner or volta carried from page `page` still reaches the
// first measure of the next page.
bool ReachesNextPage(const LayoutContext& context, const TECCarryRef& ref) {
  const int next = context.NextMeasure;
  if (ref.Measure >= next) return false;
  if (ref.Kind == TECCarryRef::RefKind::Volta) {
    const TECSymbolItem* volta = ResolveVolta(context.Instrument, ref);
    return volta && ref.Measure + volta->Byte(1) > next;
  }
  const TECMeasureItem* spanner = ResolveSpanner(context.Instrument, ref);
  const TECMeasureLayout* start = context.Instrument.LayoutAt(ref.Measure);
  if (!spanner || !start) return false;
  const std::int64_t end = std::int64_t{start->StartTick} + spanner->Position + spanner->Second;
  return end > context.StartTick;
}

}  // namespace

void AddSystemObject(TECMusicScore& score, const TECCarryRef& ref, int offset) {
  AddAt(score.PageLayout.SystemObjects, score.PageLayout.BasePage + offset, ref);
}

void AddSystemSymbol(TECMusicScore& score, const TECCarryRef& ref, int offset) {
  AddAt(score.PageLayout.SystemSymbols, score.PageLayout.BasePage + offset, ref);
}

void AddSystemSymbol(TECMusicScore& score, const TECSymbolItem* item) {
  if (!item || !item->Entry || !item->Entry->Owner) return;
  const TECSymbolsRow& symbols = item->Entry->Owner->SymbolsRow();
  const int measure = symbols.IndexOf(item->Entry);
  const auto& items = item->Entry->Items;
  const auto at = std::find_if(items.begin(), items.end(), [&](const auto& i) { return i.get() == item; });
  if (measure < 0 || at == items.end()) return;
  TECCarryRef ref;
  ref.Kind = TECCarryRef::RefKind::Volta;
  ref.Measure = measure;
  ref.Element = static_cast<std::int32_t>(at - items.begin());
  AddSystemSymbol(score, ref, 1);
}

void PrepareCarryOver(TECPageLayout& layout, int page) {
  if (static_cast<int>(layout.SystemObjects.size()) < page + 2) layout.SystemObjects.resize(page + 2);
  if (static_cast<int>(layout.SystemSymbols.size()) < page + 2) layout.SystemSymbols.resize(page + 2);
  ClearAt(layout.SystemObjects, page - 1);
  ClearAt(layout.SystemSymbols, page + 1);
  layout.BasePage = page;
}

void PruneCarryOver(const LayoutContext& context, int page) {
  auto& list = context.Score.PageLayout.SystemSymbols;
  if (page + 1 >= static_cast<int>(list.size())) return;
  auto& entry = list[page + 1];
  std::erase_if(entry, [&](const TECCarryRef& ref) { return !ReachesNextPage(context, ref); });
}

TECLinkAttribute* ResolveLink(const TECInstrument& instrument, const TECCarryRef& ref) {
  if (ref.Kind != TECCarryRef::RefKind::Link) return nullptr;
  const TECMeasure* measure = MeasureAt(instrument, ref);
  const TECNote* note = measure ? ElementAt(measure->Notes, ref.Element) : nullptr;
  TECNoteAttribute* attribute = note ? ElementAt(note->Attributes, ref.Attribute) : nullptr;
  if (!attribute || !ek::IsLink(attribute->Kind)) return nullptr;
  return dynamic_cast<TECLinkAttribute*>(attribute);
}

TECMeasureItem* ResolveSpanner(const TECInstrument& instrument, const TECCarryRef& ref) {
  if (ref.Kind != TECCarryRef::RefKind::Spanner) return nullptr;
  const TECMeasure* measure = MeasureAt(instrument, ref);
  TECMeasureItem* item = measure ? ElementAt(measure->Items, ref.Element) : nullptr;
  return item && ek::IsSpanner(item->Kind) ? item : nullptr;
}

TECSymbolItem* ResolveVolta(const TECInstrument& instrument, const TECCarryRef& ref) {
  if (ref.Kind != TECCarryRef::RefKind::Volta) return nullptr;
  const TECSymbolEntry* entry = instrument.SymbolsRow().At(ref.Measure);
  TECSymbolItem* item = entry ? ElementAt(entry->Items, ref.Element) : nullptr;
  return item && item->Kind == ek::SymbolVolta ? item : nullptr;
}

}  // namespace nv::render
