#ifndef PELCORE_PELTYPES_H
#define PELCORE_PELTYPES_H

#include <cstdint>

// The maker's boolean: false is 0, true is 1.
using PelBoolean = int;
constexpr PelBoolean PelFalse = 0;
constexpr PelBoolean PelTrue = 1;

// Size types of the common library, of fixed width on every platform: the
// unsigned numbers are 32-bit registry numbers (an "unsigned long" would be
// 64 bits on Linux), a file size is 64 bits.
using PelULong = std::uint32_t;
using PelSize = std::uint32_t;
using PelFileSize = std::uint64_t;

#endif
