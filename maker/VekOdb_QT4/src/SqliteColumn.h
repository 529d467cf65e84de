#ifndef VEKODB_SQLITECOLUMN_H
#define VEKODB_SQLITECOLUMN_H

#include <sqlite3.h>

#include <string>

#include "Pelcore/VekRC.h"
#include "VekOdb/ColumnBinding.h"

// Stores column `index` of the current row of `statement` in `binding` as
// its type asks; a text value is kept in `text`, which the binding then
// points to. 0, or ODB_E_CANTCONVERTVALUE / ODB_E_DATAOVERFLOW /
// ODB_E_OUTOFMEMORY when the value does not fit; the binding then holds null.
VekRC storeSqliteColumn(sqlite3_stmt* statement, int index, ColumnBinding& binding,
                        std::u16string& text);

#endif
