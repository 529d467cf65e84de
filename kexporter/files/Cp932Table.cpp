#include "Cp932Table.h"

#include <array>

namespace {

struct Run {
  char16_t first;
  std::uint16_t code;
  std::uint16_t length;
};

// Runs of characters whose codes follow each other, from U+0080 up.
constexpr Run kRuns[] = {
#include "Cp932TableData.inc"
};

struct Codes {
  std::array<std::uint16_t, 0x10000> byCharacter{};
  Codes() {
    // ASCII is the same in CP932.
    for (std::uint16_t c = 0; c < 0x80; ++c) byCharacter[c] = c;
    for (const Run& run : kRuns) {
      for (std::uint16_t k = 0; k < run.length; ++k) {
        byCharacter[run.first + k] = static_cast<std::uint16_t>(run.code + k);
      }
    }
  }
};

}  // namespace

const std::uint16_t* Cp932Table::codes() {
  static const Codes table;
  return table.byCharacter.data();
}
