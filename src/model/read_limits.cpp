#include "model/read_limits.h"

void CheckReadLimit(std::int64_t count, std::int64_t limit, const std::string& what) {
  if (count > limit) throw EFileLimit("The file holds more than " + std::to_string(limit) + " " + what);
}

void ReadBudget::TakeMeasures(std::int64_t count, const std::string& what) {
  CheckReadLimit(count, kMaxMeasuresPerRow, what);
  measures_ += count;
  CheckReadLimit(measures_, kMaxScoreMeasures, "measures in all");
}
