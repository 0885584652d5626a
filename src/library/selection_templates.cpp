#include "library/selection_templates.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "model/element_kinds.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/page_objects.h"

namespace nv::library {
namespace {

struct Box {
  int Left = INT_MAX;
  int Top = INT_MAX;
  int Right = INT_MIN;
  int Bottom = INT_MIN;
  void Add(int x1, int y1, int x2, int y2) {
    Left = std::min({Left, x1, x2});
    Top = std::min({Top, y1, y2});
    Right = std::max({Right, x1, x2});
    Bottom = std::max({Bottom, y1, y2});
  }
  bool Empty() const { return Left > Right; }
};

template <typename Visit>
void ForEachSelected(const TECMusicScore& score, Visit visit) {
  for (const TECSelected& entry : score.Selection)
    for (TECElement* element : entry.Elements)
      if (element != nullptr) visit(*element);
}

// On the page a text keeps its place as it is; the other objects keep
// theirs with an origin of 1000 at the page's edges. In a symbol template
// (as in a bar's drawing, where a template goes) every object is placed
// from the template's corner, origin 0.
constexpr int kStoredOrigin = 1000;

// Adds the object's extent, in page positions.
void Measure(const TECPageObject& object, const MeasureText& measure, Box& box) {
  Box stored;
  switch (object.Kind) {
    case ek::PageText: {
      const auto& text = static_cast<const TECPageText&>(object);
      const TextExtent extent = measure ? measure(text) : TextExtent{};
      box.Add(text.X, text.Y, text.X + extent.Width, text.Y + extent.Height);
      return;
    }
    case ek::PagePicture: {
      const auto& picture = static_cast<const TECPagePicture&>(object);
      stored.Add(picture.X, picture.Y, picture.X + picture.Width, picture.Y + picture.Height);
      break;
    }
    case ek::PageLine: {
      const auto& line = static_cast<const TECPageLine&>(object);
      stored.Add(line.X1, line.Y1, line.X2, line.Y2);
      break;
    }
    default: {
      // Rectangles, ellipses and the arcs: their frame (a negative extent counts as positive).
      const auto& shape = static_cast<const TECPageShape&>(object);
      stored.Add(shape.X, shape.Y, shape.X + shape.Width, shape.Y + shape.Height);
      break;
    }
  }
  box.Add(stored.Left - kStoredOrigin, stored.Top - kStoredOrigin, stored.Right - kStoredOrigin,
          stored.Bottom - kStoredOrigin);
}

template <typename T>
void Shift(T& value, int by) {
  value = static_cast<T>(value - by);
}

// Moves the object by (dx, dy) page positions into the template's place
// convention.
void MoveBy(TECPageObject& object, int dx, int dy) {
  if (object.Kind == ek::PageText) {
    auto& text = static_cast<TECPageText&>(object);
    Shift(text.X, dx), Shift(text.Y, dy);
    return;
  }
  dx += kStoredOrigin;
  dy += kStoredOrigin;
  switch (object.Kind) {
    case ek::PagePicture: {
      auto& picture = static_cast<TECPagePicture&>(object);
      Shift(picture.X, dx), Shift(picture.Y, dy);
      return;
    }
    case ek::PageLine: {
      auto& line = static_cast<TECPageLine&>(object);
      Shift(line.X1, dx), Shift(line.Y1, dy), Shift(line.X2, dx), Shift(line.Y2, dy);
      return;
    }
    default: {
      auto& shape = static_cast<TECPageShape&>(object);
      Shift(shape.X, dx), Shift(shape.Y, dy);
      if (object.Kind >= ek::PageArc) {
        auto& arc = static_cast<TECPageArc&>(object);
        Shift(arc.StartX, dx), Shift(arc.StartY, dy), Shift(arc.EndX, dx), Shift(arc.EndY, dy);
      }
      return;
    }
  }
}

}  // namespace

std::unique_ptr<TECAccordDescription> ChordFromSelection(const TECMusicScore& score) {
  auto chord = std::make_unique<TECAccordDescription>();
  ForEachSelected(score, [&](const TECElement& element) {
    if (element.Type() == TECElementType::Note && ek::IsNoteStep(element.Kind))
      chord->AddVariant(static_cast<const TECNote&>(element));
  });
  return chord;
}

std::unique_ptr<TECSymbolDescription> SymbolFromSelection(const TECMusicScore& score, const MeasureText& measure) {
  auto symbol = std::make_unique<TECSymbolDescription>();
  std::vector<std::unique_ptr<TECPageObject>> copies;
  Box box;
  ForEachSelected(score, [&](const TECElement& element) {
    if (element.Type() != TECElementType::PageObject || element.Kind < ek::PageText || element.Kind > ek::PageChord)
      return;
    const auto& object = static_cast<const TECPageObject&>(element);
    Measure(object, measure, box);
    copies.push_back(object.Clone());
  });
  if (box.Empty()) return symbol;
  for (auto& copy : copies) {
    MoveBy(*copy, box.Left, box.Top);
    copy->Owner = nullptr;
    symbol->AddElement(std::move(copy));
  }
  symbol->Width = box.Right - box.Left;
  symbol->Height = box.Bottom - box.Top;
  return symbol;
}

}  // namespace nv::library
