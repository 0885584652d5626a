#include "model/page_object_stream.h"

#include <array>

#include "model/element_kinds.h"
#include "model/stream_blocks.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"
#include "platform/font_faces.h"

namespace {

constexpr std::uint16_t kPicturePresent = 1;
// Each stored object takes at least its size and kind bytes.
constexpr std::uint64_t kMinStoredObject = 2;

void SavePicture(ByteStream& stream, const TECPagePicture& picture) {
  if (!picture.Picture) {
    stream.WriteU16(0);
    stream.WriteU16(0);
    stream.WriteU32(0);
    return;
  }
  stream.WriteU16(kPicturePresent);
  stream.WriteU16(picture.Picture->Type);
  stream.WriteU32(static_cast<std::uint32_t>(picture.Picture->Data.size()));
  stream.WriteBuffer(picture.Picture->Data.data(), picture.Picture->Data.size());
}

void LoadPicture(ByteStream& stream, TECPagePicture& picture) {
  const std::uint16_t present = stream.ReadU16();
  const std::uint16_t type = stream.ReadU16();
  const std::uint32_t length = stream.ReadU32();
  if (present == kPicturePresent && type >= kFirstPictureType && type <= kLastPictureType) {
    picture.Picture = TECPicture{type, stream.ReadBytes(length)};
  } else {
    // The data is passed over whatever its type, so that the next object
    // is read from its own start.
    stream.Skip(length);
  }
}

}  // namespace

void SavePageObject(ByteStream& stream, const TECPageObject& object, PageObjectForm form) {
  const std::size_t size = object.StoredSize();
  std::array<std::uint8_t, 64> bytes{};
  object.Store(std::span<std::uint8_t>(bytes.data(), size));
  switch (form) {
    case PageObjectForm::ShortSize: stream.WriteU8(static_cast<std::uint8_t>(size)); break;
    case PageObjectForm::LongSize: stream.WriteU16(static_cast<std::uint16_t>(size)); break;
    case PageObjectForm::ClipboardSize: stream.WriteI32(static_cast<std::int32_t>(size)); break;
  }
  stream.WriteBuffer(bytes.data(), size);
  if (object.Kind == ek::PageText) {
    const auto& text = static_cast<const TECPageText&>(object);
    WriteStreamString(stream, text.FontName);
    WriteStreamStrings(stream, text.Lines);
  } else if (object.Kind == ek::PagePicture) {
    SavePicture(stream, static_cast<const TECPagePicture&>(object));
  }
}

std::unique_ptr<TECPageObject> LoadPageObject(ByteStream& stream, PageObjectForm form) {
  std::int64_t size = 0;
  switch (form) {
    case PageObjectForm::ShortSize: size = stream.ReadU8(); break;
    case PageObjectForm::LongSize: size = stream.ReadU16(); break;
    case PageObjectForm::ClipboardSize: size = stream.ReadI32(); break;
  }
  if (size < 0) throw EFileDamage();
  const std::vector<std::uint8_t> bytes = stream.ReadBytes(static_cast<std::size_t>(size));
  if (bytes.empty()) throw EFileDamage();
  std::unique_ptr<TECPageObject> object = MakePageObject(bytes[0]);
  if (!object) throw EFileDamage();
  object->Load(bytes);
  if (object->Kind == ek::PageText) {
    auto& text = static_cast<TECPageText&>(*object);
    text.FontName = ReadStoredText(stream);
    // A text in the music face holds glyph codes, not words: its bytes stay
    // whatever the interface language.
    if (nv::platform::isMusicFace(text.FontName)) {
      ReadStreamStrings(stream, text.Lines);
    } else {
      text.Lines = ReadStoredTextList(stream);
    }
  } else if (object->Kind == ek::PagePicture) {
    LoadPicture(stream, static_cast<TECPagePicture&>(*object));
  }
  return object;
}

void SavePageObjects(ByteStream& stream, const std::vector<std::unique_ptr<TECPageObject>>& objects,
                     PageObjectForm form) {
  WriteCount(stream, objects.size());
  for (const auto& object : objects) SavePageObject(stream, *object, form);
}

std::size_t StoredPageObjectsSize(const std::vector<std::unique_ptr<TECPageObject>>& objects, PageObjectForm form) {
  std::size_t sizeField = 1;
  if (form == PageObjectForm::LongSize) sizeField = 2;
  if (form == PageObjectForm::ClipboardSize) sizeField = 4;
  std::size_t size = 2;
  for (const auto& object : objects) {
    size += sizeField + object->StoredSize();
    if (object->Kind == ek::PageText) {
      const auto& text = static_cast<const TECPageText&>(*object);
      size += StoredStringSize(text.FontName) + StoredStringsSize(text.Lines);
    } else if (object->Kind == ek::PagePicture) {
      const auto& picture = static_cast<const TECPagePicture&>(*object);
      size += 8 + (picture.Picture ? picture.Picture->Data.size() : 0);
    }
  }
  return size;
}

std::vector<std::unique_ptr<TECPageObject>> LoadPageObjects(ByteStream& stream, PageObjectForm form) {
  const std::uint16_t count = stream.ReadU16();
  stream.CheckAvailable(count, kMinStoredObject);
  std::vector<std::unique_ptr<TECPageObject>> objects;
  objects.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) objects.push_back(LoadPageObject(stream, form));
  return objects;
}
