#ifndef KEXPORTER_FILES_CP932TABLE_H
#define KEXPORTER_FILES_CP932TABLE_H

#include <cstdint>

// The CP932 code of each character of U+0000 to U+FFFF, the same on every
// platform: generated once from glibc's iconv "CP932" (tools/cp932-table) and
// compiled in, so the Windows build writes the very bytes the Linux build
// writes. A code below 0x100 is one byte, else lead byte * 256 + trail byte;
// 0 means CP932 does not hold the character (U+0000 itself is code 0 too).
class Cp932Table {
 public:
  // The table of 0x10000 codes, indexed by character; made on first use,
  // then shared read-only by all threads.
  static const std::uint16_t* codes();
};

#endif
