#include "PgColumn.h"

#include <charconv>
#include <cstdint>
#include <string_view>

#include "OdbColumnValue.h"
#include "OdbDateTimeText.h"
#include "Pelcore/PelUnicodeString.h"
#include "VekOdb/OdbCodes.h"

namespace {

// Type identifiers of the server's built-in types; they never change.
constexpr Oid kBoolType = 16;
constexpr Oid kFloat4Type = 700;
constexpr Oid kFloat8Type = 701;
constexpr Oid kNumericType = 1700;

std::string_view valueText(const PGresult* result, int row, int column) {
  return std::string_view(pq().PQgetvalue(result, row, column), pq().PQgetlength(result, row, column));
}

VekRC readIntegralNumber(std::string_view text, std::int64_t& value) {
  double real = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), real);
  if (error == std::errc::result_out_of_range) return ODB_E_DATAOVERFLOW;
  if (error != std::errc() || end != text.data() + text.size()) return ODB_E_CANTCONVERTVALUE;
  return integralFromReal(real, value);
}

// The value as a 64-bit integer, if it holds one: an integer, a number
// without fraction, a boolean, or a text that is wholly an integer.
VekRC readInteger(const PGresult* result, int row, int column, std::int64_t& value) {
  const std::string_view text = valueText(result, row, column);
  switch (pq().PQftype(result, column)) {
    case kBoolType:
      value = text == "t" ? 1 : 0;
      return VEK_S_OK;
    case kFloat4Type:
    case kFloat8Type:
    case kNumericType:
      return readIntegralNumber(text, value);
    default:
      return parseWholeInteger(text, value);
  }
}

VekRC storeInteger(const PGresult* result, int row, int column, ColumnBinding& binding) {
  std::int64_t value = 0;
  const VekRC rc = readInteger(result, row, column, value);
  if (rc != VEK_S_OK) return rc;
  return storeIntegerValue(value, binding);
}

VekRC storeValue(const PGresult* result, int row, int column, ColumnBinding& binding,
                 std::u16string& text) {
  switch (binding.type) {
    case kColumnInteger:
    case kColumnBool:
    case kColumnBool15:
      return storeInteger(result, row, column, binding);
    case kColumnText:
      text = pelUtf8ToUtf16(valueText(result, row, column));
      binding.text = text.c_str();
      return VEK_S_OK;
    case kColumnDateTime:
      return parseOdbDateTime(valueText(result, row, column), binding.dateTime)
                 ? VEK_S_OK
                 : ODB_E_CANTCONVERTVALUE;
    default:
      return VEK_E_INVALIDARG;
  }
}

}  // namespace

VekRC storePgColumn(const PGresult* result, int row, int column, ColumnBinding& binding,
                    std::u16string& text) {
  binding.status = kColumnValueNull;
  binding.text = nullptr;
  if (pq().PQgetisnull(result, row, column)) return VEK_S_OK;
  const VekRC rc = storeValue(result, row, column, binding, text);
  if (rc == VEK_S_OK) binding.status = kColumnValuePresent;
  return rc;
}
