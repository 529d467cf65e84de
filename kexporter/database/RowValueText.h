#ifndef KEXPORTER_DATABASE_ROWVALUETEXT_H
#define KEXPORTER_DATABASE_ROWVALUETEXT_H

#include <string>

#include "VekOdb/ColumnBinding.h"

// Null styles of columnText: how a null value is written.
constexpr int kNullQuoted = 0;  // "null" in double quotes
constexpr int kNullBare = 1;    // null
constexpr int kNullZero = 2;    // 0

// A fetched value as CSV text (UTF-8): text values with inner double quotes
// doubled, and enclosed in double quotes with null style 0; integers in
// decimal; date-times as "YYYY-MM-DD HH:MM:SS.mmm"; types 1 and 15 as "1";
// nulls by `nullStyle` (any other style gives the empty text); values of
// other types as the empty text.
std::string columnText(ColumnBinding binding, int nullStyle);
// As columnText, into `text` (replacing its content): a caller converting
// row after row reuses one string's buffer.
void assignColumnText(std::string& text, const ColumnBinding& binding, int nullStyle);

// A fetched value as integer: the value of type 6, 1 for types 1 and 15,
// -1 for nulls and every other type.
int columnInt(ColumnBinding binding);

// `text` with every double quote doubled; other bytes unchanged.
std::string escapeQuotes(std::string text);

#endif
