#include "formats/drum_stream.h"

#include <array>

#include "model/page_object_stream.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"

using namespace recbytes;

namespace {

constexpr std::size_t kDrumHeadRecordSize = 12;
constexpr std::size_t kDrumMapRecordSize = 5;
constexpr std::uint16_t kFirstSingleShapeList = 849;
constexpr std::uint8_t kHighestPitch = 127;

}  // namespace

void WriteDrumHeads(ByteStream& stream, const std::vector<std::unique_ptr<TECDrumHead>>& heads) {
  WriteCount(stream, heads.size());
  for (const auto& head : heads) {
    std::array<std::uint8_t, kDrumHeadRecordSize> bytes{};
    PutI32(bytes, 0, head->First);
    PutI32(bytes, 4, head->Second);
    bytes[8] = head->Third;
    WriteSizedRecord(stream, bytes);
    WriteStreamString(stream, head->Name);
    SavePageObjects(stream, head->Shapes, PageObjectForm::ShortSize);
  }
}

std::vector<std::unique_ptr<TECDrumHead>> ReadDrumHeads(ByteStream& stream, const ScoreStreamContext& context) {
  const std::uint16_t count = stream.ReadU16();
  stream.CheckAvailable(count, 5);
  std::vector<std::unique_ptr<TECDrumHead>> heads;
  heads.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    const SizedRecord record = ReadSizedRecord(stream);
    const auto bytes = Padded<kDrumHeadRecordSize>(record.Span());
    auto head = std::make_unique<TECDrumHead>();
    head->First = GetI32(bytes, 0);
    head->Second = GetI32(bytes, 4);
    head->Third = bytes[8];
    head->Name = ReadStoredText(stream);
    // Older files hold an earlier shape list in front, which is dropped.
    if (context.Version < kFirstSingleShapeList) LoadPageObjects(stream, PageObjectForm::ShortSize);
    head->Shapes = LoadPageObjects(stream, PageObjectForm::ShortSize);
    heads.push_back(std::move(head));
  }
  return heads;
}

void WriteDrumMap(ByteStream& stream, const std::vector<TECDrumMapEntry>& map) {
  WriteCount(stream, map.size());
  for (const TECDrumMapEntry& entry : map) {
    const std::array<std::uint8_t, kDrumMapRecordSize> bytes = {entry.Pitch, entry.Head, entry.Position,
                                                                entry.Reserved, entry.Use};
    WriteSizedRecord(stream, bytes);
    WriteStreamString(stream, entry.Name);
  }
}

std::vector<TECDrumMapEntry> ReadDrumMap(ByteStream& stream) {
  const std::uint16_t count = stream.ReadU16();
  stream.CheckAvailable(count, 3);
  std::vector<TECDrumMapEntry> map;
  // Where each pitch's entry stands in the map, -1 for none.
  std::array<int, kHighestPitch + 1> entryOfPitch;
  entryOfPitch.fill(-1);
  for (std::uint16_t i = 0; i < count; ++i) {
    const auto bytes = Padded<kDrumMapRecordSize>(ReadSizedRecord(stream).Span());
    TECDrumMapEntry entry;
    entry.Pitch = bytes[0];
    entry.Head = bytes[1];
    entry.Position = bytes[2];
    entry.Reserved = bytes[3];
    entry.Use = bytes[4];
    entry.Name = ReadStoredText(stream);
    if (entry.Pitch > kHighestPitch) continue;
    int& at = entryOfPitch[entry.Pitch];
    if (at >= 0) {
      map[static_cast<std::size_t>(at)] = std::move(entry);
    } else {
      at = static_cast<int>(map.size());
      map.push_back(std::move(entry));
    }
  }
  return map;
}
