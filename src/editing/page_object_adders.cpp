// Page objects placed with the mouse. Callers pass document pixels (the
// view has already added the scroll position and taken the ruler off);
// here they only become stored units.
#include <cstdlib>

#include "editing/drag_overlay.h"
#include "editing/edit_transaction.h"
#include "model/instrument.h"

namespace {

int ToStored(const TECMusicScore& score, int pixels) {
  const int factor = score.ZoomFactor() > 0 ? score.ZoomFactor() : 10000;
  return static_cast<int>(static_cast<long long>(pixels) * 10000 / factor);
}

}  // namespace

TECPageText* TECMusicScore::AddPageText(int x, int y, std::int32_t color, int style, int size,
                                        const std::string& fontName, const std::vector<std::string>& lines) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || !nv::editing::EditsAllowed(*this)) return nullptr;
  return instrument->AddPageText(ToStored(*this, x), ToStored(*this, y), lines, fontName, size, style, color);
}

TECPagePicture* TECMusicScore::AddPagePicture(int x, int y, bool stretch, bool naturalSize, const TECPicture& picture,
                                              int height, int width) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || !nv::editing::EditsAllowed(*this)) return nullptr;
  TECPagePicture* object = instrument->AddPagePicture(ToStored(*this, x), ToStored(*this, y), width, height, picture);
  if (object != nullptr) {
    if (stretch) object->Flags |= TECPagePicture::Stretched;
    if (naturalSize) object->Flags |= TECPagePicture::NaturalSize;
  }
  return object;
}

TECPageLine* TECMusicScore::AddPageLine(int x1, int y1, int penWidth, std::int32_t penColor, int penStyle, int x2,
                                        int y2) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || !nv::editing::EditsAllowed(*this)) return nullptr;
  return instrument->AddPageLine(ToStored(*this, x1), ToStored(*this, y1), ToStored(*this, x2), ToStored(*this, y2), penWidth,
                          penColor, penStyle);
}

void TECMusicScore::AddPageShape(std::uint8_t kind, int x, int y, int penWidth, std::int32_t penColor, int penStyle,
                                 std::int32_t brushColor, int brushStyle, int width, int height) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || !nv::editing::EditsAllowed(*this)) return;
  instrument->AddPageShape(kind, ToStored(*this, x), ToStored(*this, y), ToStored(*this, std::abs(width)),
                           ToStored(*this, std::abs(height)), penWidth, penColor, penStyle, brushColor, brushStyle);
}

void TECMusicScore::AddArcObject(std::uint8_t kind, int x, int y, int penWidth, std::int32_t penColor, int penStyle,
                                 std::int32_t brushColor, int brushStyle, int width, int height) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || !nv::editing::EditsAllowed(*this)) return;
  instrument->AddArcObject(kind, ToStored(*this, x), ToStored(*this, y), ToStored(*this, std::abs(width)),
                           ToStored(*this, std::abs(height)), penWidth, penColor, penStyle, brushColor, brushStyle);
}

void TECMusicScore::BeginShape(int kind, int x, int y) {
  if (kind < ek::PageLine || kind > ek::PageChord) return;
  ClientToDocument(x, y);
  nv::editing::ChangeOverlay(*this, [&] {
    ShapeKind = kind;
    DragStart = LastMouse = {x, y};
  });
}
