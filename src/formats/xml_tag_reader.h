#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/stream.h"

// A reader that splits an XML document into one item per element, without
// building anything from them. It reads markup leniently (a stray closing
// tag is passed over, an unterminated construct ends the document) and
// never fails on content, only on the limits below, so that no file can
// make it run long or take much memory: it works in one pass over the
// document, keeping the items in a vector and the open elements on a stack.

struct XmlTagItem {
  // The tag name, with the names of its attributes appended.
  std::string Name;
  // The attribute values, then the element's own text. Tab, line feed,
  // carriage return and NUL are never added.
  std::string Value;
  // Nesting level: 1 for the root element.
  int Depth = 0;
  bool HasAttributes = false;
  // Its closing tag (or the "/>" of an empty element) was read.
  bool Closed = false;
};

struct XmlTagLimits {
  std::int64_t MaxBytes = std::int64_t{64} << 20;
  int MaxDepth = 100;
  std::size_t MaxItems = std::size_t{1} << 20;
  // Of an item's Name, attribute names included.
  std::size_t MaxNameLength = 4096;
};

// Reads the stream from its position to its end (or read limit). Raises
// EStreamError naming the limit when the document exceeds one.
std::vector<XmlTagItem> ReadXmlTags(ByteStream& stream, const XmlTagLimits& limits = {});
