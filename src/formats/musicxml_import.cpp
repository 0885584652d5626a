#include "formats/musicxml_import.h"

#include "formats/xml_tag_reader.h"

void ImportMusicXml(ByteStream& stream) {
  ReadXmlTags(stream);
  throw EStreamError("MusicXML import is not supported");
}
