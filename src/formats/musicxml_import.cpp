#include "formats/musicxml_import.h"

#include "formats/xml_tag_reader.h"

void ImportMusicXml(ByteStream& stream) {
  ReadXmlTags(stream);
  throw EStreamError(kMusicXmlNotSupported);
}

void ImportCompressedMusicXml() { throw EStreamError(kMusicXmlNotSupported); }
