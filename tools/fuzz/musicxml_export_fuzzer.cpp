// Exports whatever score the score stream reader makes of arbitrary bytes
// as MusicXML, and reads the document back with the tag reader: damaged
// scores export without fault, as a document whose elements all close.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/musicxml_export.h"
#include "formats/score_stream.h"
#include "formats/xml_tag_reader.h"
#include "model/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TECMusicScore score;
  try {
    MemoryStream input(std::vector<std::uint8_t>(data, data + size));
    LoadScoreFromStream(score, input);
  } catch (const EStreamError&) {
    return 0;
  }
  MemoryStream document;
  try {
    ExportMusicXml(score, document);
  } catch (const EWriteError&) {
    return 0;  // a score without staff rows
  }
  document.SetPosition(0);
  for (const XmlTagItem& item : ReadXmlTags(document))
    if (!item.Closed) std::abort();
  return 0;
}
