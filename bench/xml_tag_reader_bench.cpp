// The ".xml" tag reader grows linearly with the document, also where
// malformed markup makes it search its stack of open elements: at the depth
// limit, a run of closing tags that match nothing.
#include <benchmark/benchmark.h>

#include <string>

#include "formats/xml_tag_reader.h"
#include "model/memory_stream.h"

namespace {

void Run(benchmark::State& state, const std::string& text) {
  MemoryStream stream(std::vector<std::uint8_t>(text.begin(), text.end()));
  for (auto _ : state) {
    stream.SetPosition(0);
    benchmark::DoNotOptimize(ReadXmlTags(stream).size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}

// Notes as an exported score writes them.
void BM_ReadNotes(benchmark::State& state) {
  std::string text = "<score-partwise>\r\n\t<part id=\"P1\">\r\n";
  for (std::int64_t i = 0; i < state.range(0); ++i)
    text +=
        "\t\t\t<note>\r\n\t\t\t\t<pitch>\r\n\t\t\t\t\t<step>C</step>\r\n\t\t\t\t\t<octave>4</octave>\r\n"
        "\t\t\t\t</pitch>\r\n\t\t\t\t<duration>32</duration>\r\n\t\t\t\t<voice>1</voice>\r\n"
        "\t\t\t\t<staff>1</staff>\r\n\t\t\t</note>\r\n";
  text += "\t</part>\r\n</score-partwise>\r\n";
  Run(state, text);
}
BENCHMARK(BM_ReadNotes)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity(benchmark::oN);

void BM_ReadStrayClosingTags(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < XmlTagLimits{}.MaxDepth; ++i) text += "<a>";
  for (std::int64_t i = 0; i < state.range(0); ++i) text += "</b>";
  Run(state, text);
}
BENCHMARK(BM_ReadStrayClosingTags)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Complexity(benchmark::oN);

}  // namespace
