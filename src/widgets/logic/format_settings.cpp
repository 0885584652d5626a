#include "widgets/logic/format_settings.h"

namespace nv::widgets {

bool FormatSettings::TimeHasSeconds() const {
  return longTimeFormat.find_first_of("sS") != std::string::npos;
}

FormatSettings& FormatSettings::Program() {
  static FormatSettings settings;
  return settings;
}

}  // namespace nv::widgets
