#include "SqliteColumn.h"

#include <cstdint>
#include <string_view>

#include "OdbColumnValue.h"
#include "OdbDateTimeText.h"
#include "Pelcore/PelUnicodeString.h"
#include "VekOdb/OdbCodes.h"

namespace {

std::string_view columnUtf8(sqlite3_stmt* statement, int index) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
  return text == nullptr ? std::string_view() : std::string_view(text, sqlite3_column_bytes(statement, index));
}

// The column as a 64-bit integer, if it holds one: an integer, a real
// without fraction, or a text that is wholly an integer.
VekRC readInteger(sqlite3_stmt* statement, int index, std::int64_t& value) {
  switch (sqlite3_column_type(statement, index)) {
    case SQLITE_INTEGER:
      value = sqlite3_column_int64(statement, index);
      return VEK_S_OK;
    case SQLITE_FLOAT:
      return integralFromReal(sqlite3_column_double(statement, index), value);
    case SQLITE_TEXT:
      return parseWholeInteger(columnUtf8(statement, index), value);
    default:
      return ODB_E_CANTCONVERTVALUE;
  }
}

VekRC storeInteger(sqlite3_stmt* statement, int index, ColumnBinding& binding) {
  std::int64_t value = 0;
  const VekRC rc = readInteger(statement, index, value);
  if (rc != VEK_S_OK) return rc;
  return storeIntegerValue(value, binding);
}

// The text is read as the file stores it (UTF-8) and converted here into the
// column's reused buffer: SQLite's own UTF-16 conversion would allocate a
// copy for every value. SQLite is asked for the text alone, one call less
// per value; only when there is none does the value's type tell null from
// empty.
VekRC storeText(sqlite3_stmt* statement, int index, ColumnBinding& binding, std::u16string& text) {
  const auto* value = sqlite3_column_text(statement, index);
  if (value == nullptr) {
    if (sqlite3_errcode(sqlite3_db_handle(statement)) == SQLITE_NOMEM) return ODB_E_OUTOFMEMORY;
    if (sqlite3_column_type(statement, index) == SQLITE_NULL) return VEK_S_OK;
    text.assign(1, u'\0');
  } else {
    const std::string_view utf8(reinterpret_cast<const char*>(value),
                                sqlite3_column_bytes(statement, index));
    // The buffer only grows, and its zero-filling with it; the text ends at
    // the zero written after it.
    if (text.size() < utf8.size() + 1) text.resize(utf8.size() + 1);
    text[pelUtf8ToUtf16(utf8, text.data())] = u'\0';
  }
  binding.text = text.c_str();
  binding.status = kColumnValuePresent;
  return VEK_S_OK;
}

VekRC storeDateTime(sqlite3_stmt* statement, int index, ColumnBinding& binding) {
  if (sqlite3_column_type(statement, index) != SQLITE_TEXT) return ODB_E_CANTCONVERTVALUE;
  return parseOdbDateTime(columnUtf8(statement, index), binding.dateTime)
             ? VEK_S_OK
             : ODB_E_CANTCONVERTVALUE;
}

VekRC storeValue(sqlite3_stmt* statement, int index, ColumnBinding& binding) {
  switch (binding.type) {
    case kColumnInteger:
    case kColumnBool:
    case kColumnBool15:
      return storeInteger(statement, index, binding);
    case kColumnDateTime:
      return storeDateTime(statement, index, binding);
    default:
      return VEK_E_INVALIDARG;
  }
}

}  // namespace

VekRC storeSqliteColumn(sqlite3_stmt* statement, int index, ColumnBinding& binding,
                        std::u16string& text) {
  binding.status = kColumnValueNull;
  binding.text = nullptr;
  if (binding.type == kColumnText) return storeText(statement, index, binding, text);
  if (sqlite3_column_type(statement, index) == SQLITE_NULL) return VEK_S_OK;
  const VekRC rc = storeValue(statement, index, binding);
  if (rc == VEK_S_OK) binding.status = kColumnValuePresent;
  return rc;
}
