#include "editor/guitar_tuning.h"

#include <algorithm>

#include "document/midi_pitch.h"

namespace nv::editor {

const std::vector<int>& OpenStringKeys(int kind) {
  static const std::vector<int> six = {76, 71, 67, 62, 57, 52};
  static const std::vector<int> seven = {76, 72, 68, 64, 60, 56, 52};
  return kind == 1 ? seven : six;
}

std::string FretNoteName(int fetch, int openKey) {
  const int key = fetch + openKey + 1;
  const document::MidiPitch pitch = document::MidiKeyToPitch(((key % 12) + 12) % 12);
  std::string name(1, "CDEFGAB"[pitch.step - 1]);
  if (pitch.sharp) name += '#';
  return name;
}

std::vector<int> FingeredKeys(const FretboardModel& board, const std::vector<int>& openKeys) {
  std::vector<int> keys;
  for (std::size_t s = 0; s < openKeys.size(); ++s) {
    const int fret = board.GetFret(static_cast<int>(s));
    int key = fret >= 1 ? fret + openKeys[s] - 1 : 0;
    if (key != 0 && std::find(keys.begin(), keys.end(), key) != keys.end()) key = 0;
    keys.push_back(key);
  }
  return keys;
}

void ShowPlayedKey(FretboardModel& board, const std::vector<int>& openKeys, int key, bool on) {
  if (openKeys.empty()) return;
  const int lowest = *std::min_element(openKeys.begin(), openKeys.end());
  const int highest = *std::max_element(openKeys.begin(), openKeys.end());
  if (key < lowest || key > highest + board.FretCount()) return;
  // From the lowest string up, the first whose next higher string starts above the key.
  int string = 0;
  for (int s = static_cast<int>(openKeys.size()) - 1; s > 0; --s)
    if (openKeys[s] <= key && openKeys[s - 1] > key) {
      string = s;
      break;
    }
  const int fret = key - openKeys[string] + 1;
  if (on)
    board.ShowFret(string, fret);
  else if (board.GetFret(string) == fret)
    board.ShowFret(string, 0);
}

}  // namespace nv::editor
