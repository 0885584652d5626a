#include "playback/play_session.h"

#include <sstream>

const TECPlayList* TECPlayStep::ListOf(std::uint16_t row) const {
  for (const TECPlayList& list : Lists)
    if (list.Row == row) return &list;
  return nullptr;
}

TECPlayList* TECPlayStep::ListOf(std::uint16_t row) {
  return const_cast<TECPlayList*>(static_cast<const TECPlayStep&>(*this).ListOf(row));
}

namespace {

void DumpEvent(std::ostringstream& out, const TECPlayEvent& e) {
  out << "    " << e.Start << ' ';
  if (e.Key == kPedalDown || e.Key == kPedalUp)
    out << (e.Key == kPedalDown ? "pedal-down" : "pedal-up") << " value " << int(e.Velocity);
  else
    out << "key " << int(e.Key) << " dur " << e.Duration << " vel " << int(e.Velocity);
  out << " ch " << int(e.Channel) << " prog " << e.Program;
  if (e.Continuation) out << " cont";
  out << '\n';
}

}  // namespace

std::string PlaySession::Dump() const {
  std::ostringstream out;
  out << "result " << Result << " start " << StartStep << "\norder";
  for (const TECPlayStep& step : Steps) {
    if (step.Lists.empty())
      out << " -";
    else
      out << ' ' << step.Lists.front().Measure;
  }
  out << '\n';
  for (std::size_t r = 0; r < Rows.size(); ++r) {
    const PlayRow& row = Rows[r];
    out << "row " << r << ": instrument " << row.Instrument << " row " << row.Row << " ch " << row.Channel
        << " prog " << row.Program << " vol " << row.Volume << " pan " << row.Pan << (row.Mute ? " mute" : "")
        << '\n';
  }
  for (std::size_t p = 0; p < Steps.size(); ++p) {
    const TECPlayStep& step = Steps[p];
    out << "step " << p << ": length " << step.Length << " tempo " << step.Tempo << '\n';
    for (const TECPlayList& list : step.Lists) {
      out << "  row " << list.Row << " measure " << list.Measure << '\n';
      for (const TECPlayEvent& event : list.Events) DumpEvent(out, event);
    }
  }
  return out.str();
}

std::size_t PlaySession::MemoryBytes() const {
  std::size_t bytes = sizeof(*this) + Rows.capacity() * sizeof(PlayRow) + Steps.capacity() * sizeof(TECPlayStep);
  for (const TECPlayStep& step : Steps) {
    bytes += step.Lists.capacity() * sizeof(TECPlayList);
    for (const TECPlayList& list : step.Lists) bytes += list.Events.capacity() * sizeof(TECPlayEvent);
  }
  return bytes;
}
