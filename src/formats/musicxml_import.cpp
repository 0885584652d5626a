#include "formats/musicxml_import.h"

#include "formats/xml_tag_reader.h"

void ImportMusicXml(TStream& stream) {
  ReadXmlTags(stream);
  throw EStreamError("MusicXML import is not supported");
}
