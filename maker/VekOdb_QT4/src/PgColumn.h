#ifndef VEKODB_PGCOLUMN_H
#define VEKODB_PGCOLUMN_H

#include "PgLibrary.h"

#include <string>

#include "Pelcore/VekRC.h"
#include "VekOdb/ColumnBinding.h"

// Stores the value at `row`, `column` of `result` (text format, UTF-8) in
// `binding` as its type asks, the same way as the InProcess engine does: an
// integer, or an integral number that fits, becomes the integer; any value
// becomes its text in UTF-16, kept in `text`, which the binding then points
// to. 0, or ODB_E_CANTCONVERTVALUE / ODB_E_DATAOVERFLOW when the value does
// not fit; the binding then holds null.
VekRC storePgColumn(const PGresult* result, int row, int column, ColumnBinding& binding,
                    std::u16string& text);

#endif
