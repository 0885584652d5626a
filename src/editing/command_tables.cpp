// The per-kind code tables of the stem and reshape commands.
#include "editing/command_tables.h"

#include <cstddef>
#include <cstdint>

namespace nv::editing {
namespace {

// A symbol code with the codes it turns into one way and the other.
struct CodeTurn {
  std::uint8_t code;
  std::uint8_t down;
  std::uint8_t up;
};

template <std::size_t N>
const CodeTurn* Find(const CodeTurn (&table)[N], int code) {
  for (const CodeTurn& turn : table)
    if (turn.code == code) return &turn;
  return nullptr;
}

// The paired symbols a stem direction turns: the code for a direction
// above 0 (down) and for up.
constexpr CodeTurn kStemPairs[] = {
    {103, 104, 116}, {104, 106, 103}, {105, 116, 106}, {106, 105, 104}, {107, 115, 116}, {115, 103, 107},
    {116, 107, 105}, {114, 119, 119}, {119, 114, 114}, {117, 118, 118}, {118, 117, 117}, {124, 125, 125},
    {125, 124, 124}, {126, 127, 127}, {127, 126, 126}, {133, 134, 134}, {134, 133, 133}, {179, 180, 180},
    {180, 179, 179}, {181, 182, 182}, {182, 181, 181}, {193, 194, 194}, {194, 193, 193}, {195, 196, 196},
    {196, 195, 195}, {198, 199, 199}, {199, 198, 198}, {223, 224, 224}, {224, 223, 223}, {226, 227, 227},
    {227, 226, 226},
};

// The cyclic codes: the code for a negative delta and for a positive one.
// Tremolos run 110 -> 111 -> 112 -> 113 -> 110 upward and back downward.
constexpr CodeTurn kCycles[] = {
    {110, 113, 111}, {111, 110, 112}, {112, 111, 113}, {113, 112, 110}, {160, 163, 161}, {161, 160, 162},
    {162, 161, 168}, {163, 164, 160}, {164, 165, 163}, {165, 166, 164}, {166, 167, 165}, {167, 168, 166},
    {168, 162, 167}, {184, 185, 186}, {187, 185, 186}, {185, 187, 184}, {186, 184, 187},
};

}  // namespace

int StemPartner(int code, int direction) {
  const CodeTurn* pair = Find(kStemPairs, code);
  if (pair == nullptr) return code;
  return direction > 0 ? pair->down : pair->up;
}

int CycledCode(int code, int delta) {
  const CodeTurn* cycle = Find(kCycles, code);
  if (cycle == nullptr) return code;
  // 160 goes down on a zero delta as well.
  const bool down = code == 160 ? delta <= 0 : delta < 0;
  return down ? cycle->down : cycle->up;
}

}  // namespace nv::editing
