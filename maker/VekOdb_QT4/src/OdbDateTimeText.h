#ifndef VEKODB_ODBDATETIMETEXT_H
#define VEKODB_ODBDATETIMETEXT_H

#include <string_view>

#include "VekOdb/ColumnBinding.h"

// Reads the database's date-time text "YYYY-MM-DD HH:MM:SS", optionally
// followed by "." and 1 or more digits of fraction (milliseconds are its
// first three). False, leaving `dateTime` alone, for any other text or a
// field out of its range (month 1-12, day 1-31, hour 0-23, minute and
// second 0-59).
bool parseOdbDateTime(std::string_view text, ColumnDateTime& dateTime);

#endif
