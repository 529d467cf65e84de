#ifndef VEKODB_COLUMNBINDING_H
#define VEKODB_COLUMNBINDING_H

#include <cstdint>

// Column type codes, set by the caller before the rowset is initialised.
constexpr std::int32_t kColumnBool = 1;
constexpr std::int32_t kColumnDateTime = 3;
constexpr std::int32_t kColumnInteger = 6;
constexpr std::int32_t kColumnText = 8;
constexpr std::int32_t kColumnBool15 = 15;

// Status after a fetch: 1 a value is present, anything else null.
constexpr std::int32_t kColumnValuePresent = 1;
// The status the database library stores for a null value.
constexpr std::int32_t kColumnValueNull = 3;

struct ColumnDateTime {
  std::int16_t year = 0;
  std::int8_t month = 0;
  std::int8_t day = 0;
  std::int8_t hour = 0;
  std::int8_t minute = 0;
  std::int8_t second = 0;
  std::int16_t milliseconds = 0;
};

// One result column of a rowset: the caller sets the type, a fetch sets the
// status and the field of that type. Each type has a field of its own, so a
// text pointer of any width fits beside the others.
struct ColumnBinding {
  std::int32_t type = 0;      // kColumnInteger, kColumnText, ...
  std::int32_t status = 0;    // kColumnValuePresent or null
  std::int32_t value = 0;     // integer value (type 6; types 1 and 15 too)
  ColumnDateTime dateTime;    // type 3
  // Type 8: zero-terminated UTF-16 text owned by the rowset; valid until the
  // next fetch or the release of the rowset.
  const char16_t* text = nullptr;
};

#endif
