#ifndef PELCORE_PELTYPES_H
#define PELCORE_PELTYPES_H

#include <cstdint>

// The maker's boolean: false is 0, true is 1.
using PelBoolean = int;
constexpr PelBoolean PelFalse = 0;
constexpr PelBoolean PelTrue = 1;

// Size types of the common library. They are 32 and 64 bits wide, as on the
// platform the system was written for ("unsigned long" there is 32 bits).
using PelULong = std::uint32_t;
using PelSize = std::uint32_t;
using PelFileSize = std::uint64_t;

#endif
