// Feeds arbitrary bytes to the ".xml" tag reader, with small limits so that
// they are reached: it returns items or raises a stream error, and every
// item lies within the limits.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/xml_tag_reader.h"
#include "model/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  XmlTagLimits limits;
  limits.MaxBytes = 1 << 16;
  limits.MaxDepth = 8;
  limits.MaxItems = 256;
  limits.MaxNameLength = 64;
  MemoryStream input(std::vector<std::uint8_t>(data, data + size));
  std::vector<XmlTagItem> items;
  try {
    items = ReadXmlTags(input, limits);
  } catch (const EStreamError&) {
    return 0;
  }
  if (items.size() > limits.MaxItems) std::abort();
  for (const XmlTagItem& item : items)
    if (item.Depth < 1 || item.Depth > limits.MaxDepth || item.Name.empty() ||
        item.Name.size() > limits.MaxNameLength || item.Value.size() > size)
      std::abort();
  return 0;
}
