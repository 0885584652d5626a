#pragma once

#include "model/stream.h"

inline constexpr char kMusicXmlNotSupported[] = "MusicXML import is not supported";

// Opening a ".xml" or ".musicxml" file: the tag reader reads the document,
// but no score is built from it yet. Always raises: EStreamError "MusicXML
// import is not supported", or the reader's error for a document past its
// limits. Takes no score, so the open score cannot change.
[[noreturn]] void ImportMusicXml(ByteStream& stream);

// Opening a compressed ".mxl" file: refused the same way, unread.
[[noreturn]] void ImportCompressedMusicXml();
