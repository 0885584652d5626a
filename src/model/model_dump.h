#pragma once

#include <string>

class TECElement;
class TECMeasure;
class TECRow;
class TECInstrument;
class TECMusicScore;

// Readable text forms of the model, one record per line, nested records
// indented by two spaces. Tests compare them.
std::string DumpElement(const TECElement& element);
std::string DumpMeasure(const TECMeasure& measure, int indent = 0);
std::string DumpRow(const TECRow& row, int indent = 0);
std::string DumpInstrument(const TECInstrument& instrument, int indent = 0);
// Score settings, cursor, page setup and every instrument.
std::string DumpScore(const TECMusicScore& score);
