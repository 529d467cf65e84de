#ifndef VEKODB_ODBCOLUMNVALUE_H
#define VEKODB_ODBCOLUMNVALUE_H

#include <cstdint>
#include <string_view>

#include "Pelcore/VekRC.h"
#include "VekOdb/ColumnBinding.h"

// What every engine does with a value it has read as a number, so that both
// engines fill a binding alike.

// A text that is wholly a decimal integer. ODB_E_DATAOVERFLOW beyond 64
// bits, ODB_E_CANTCONVERTVALUE for anything else.
VekRC parseWholeInteger(std::string_view text, std::int64_t& value);

// A real number without fraction within 32 bits, as an integer.
VekRC integralFromReal(double real, std::int64_t& value);

// Stores `value` into an integer binding (ODB_E_DATAOVERFLOW beyond 32
// bits) or, for the boolean types, 1 or 0.
VekRC storeIntegerValue(std::int64_t value, ColumnBinding& binding);

#endif
