#ifndef PELCORE_VEKRC_H
#define PELCORE_VEKRC_H

#include <cstdint>

// The 32-bit result code of the maker's libraries, in the COM result layout.
// 0 is success. Raised as a plain value where a caller is meant to catch it.
using VekRC = std::uint32_t;

constexpr VekRC VEK_S_OK = 0;
constexpr VekRC VEK_E_NOMOREROWS = 0x8004021A;      // GetNextRow: no further row
constexpr VekRC VEK_E_PASSON = 0x8004027C;          // passed on without a log line
constexpr VekRC VEK_E_NOTCREATED = 0x800402D2;      // an object was not created
constexpr VekRC VEK_E_PELEXCEPTION = 0x800402D6;    // PelException 2028 caught
constexpr VekRC VEK_E_FAIL = 0x80004005;
constexpr VekRC VEK_E_UNEXPECTED = 0x8000FFFF;
constexpr VekRC VEK_E_INVALIDARG = 0x80070057;

#endif
