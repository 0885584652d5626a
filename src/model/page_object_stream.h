#pragma once

#include <memory>
#include <vector>

#include "model/page_objects.h"
#include "model/stream.h"

// Page objects (kinds 61..68) in a score stream. The texts row gives each
// object a u16 size, object groups and drum heads a u8 size, object groups
// in a note-clipboard payload an i32 size; the persisted prefix follows,
// then a text's font name and lines or a picture's header and data.
enum class TPageObjectForm { ShortSize, LongSize, ClipboardSize };

// Picture types that a reader keeps.
inline constexpr std::uint16_t kFirstPictureType = 256;
inline constexpr std::uint16_t kLastPictureType = 260;

void SavePageObject(TStream& stream, const TECPageObject& object, TPageObjectForm form);
// Raises EFileDamage for a kind that is no page object, since what follows
// it cannot be known. A picture of an unknown type, or marked absent, is
// read past and left out; the object itself stays.
std::unique_ptr<TECPageObject> LoadPageObject(TStream& stream, TPageObjectForm form);

// A u16 count and that many objects.
void SavePageObjects(TStream& stream, const std::vector<std::unique_ptr<TECPageObject>>& objects,
                     TPageObjectForm form);
std::vector<std::unique_ptr<TECPageObject>> LoadPageObjects(TStream& stream, TPageObjectForm form);
