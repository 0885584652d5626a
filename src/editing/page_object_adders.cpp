// Page objects placed with the mouse. Callers pass document pixels (the
// view has already added the scroll position and taken the ruler off);
// here they only become stored units.
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
