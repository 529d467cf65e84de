#include "OdbColumnValue.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "VekOdb/OdbCodes.h"

namespace {
constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();
}  // namespace

VekRC parseWholeInteger(std::string_view text, std::int64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return ODB_E_DATAOVERFLOW;
  if (error != std::errc() || end != text.data() + text.size()) return ODB_E_CANTCONVERTVALUE;
  return VEK_S_OK;
}

VekRC integralFromReal(double real, std::int64_t& value) {
  if (real != std::floor(real)) return ODB_E_CANTCONVERTVALUE;
  if (real < kIntMin || real > kIntMax) return ODB_E_DATAOVERFLOW;
  value = static_cast<std::int64_t>(real);
  return VEK_S_OK;
}

VekRC storeIntegerValue(std::int64_t value, ColumnBinding& binding) {
  if (binding.type != kColumnInteger) {
    binding.value = value != 0 ? 1 : 0;
    return VEK_S_OK;
  }
  if (value < kIntMin || value > kIntMax) return ODB_E_DATAOVERFLOW;
  binding.value = static_cast<std::int32_t>(value);
  return VEK_S_OK;
}
