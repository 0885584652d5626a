#pragma once

#include <memory>
#include <vector>

#include "model/page_objects.h"
#include "model/stream.h"

// Page objects (kinds 61..68) in a score stream. The texts row gives each
// object a u16 size, object groups and drum heads a u8 size, object groups
// in a note-clipboard payload an i32 size; the persisted prefix follows,
// then a text's font name and lines or a picture's header and data.
enum class PageObjectForm { ShortSize, LongSize, ClipboardSize };

// Picture types that a reader keeps.
inline constexpr std::uint16_t kFirstPictureType = 256;
inline constexpr std::uint16_t kLastPictureType = 260;

void SavePageObject(ByteStream& stream, const TECPageObject& object, PageObjectForm form);
// Raises EFileDamage for a kind that is no page object, since what follows
// it cannot be known. A picture of an unknown type, or marked absent, is
// read past and left out; the object itself stays.
std::unique_ptr<TECPageObject> LoadPageObject(ByteStream& stream, PageObjectForm form);

// A u16 count and that many objects.
void SavePageObjects(ByteStream& stream, const std::vector<std::unique_ptr<TECPageObject>>& objects,
                     PageObjectForm form);
std::vector<std::unique_ptr<TECPageObject>> LoadPageObjects(ByteStream& stream, PageObjectForm form);

// The bytes SavePageObjects writes for the objects.
std::size_t StoredPageObjectsSize(const std::vector<std::unique_ptr<TECPageObject>>& objects, PageObjectForm form);
