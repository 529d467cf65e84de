#ifndef PELCORE_PELASCIITEXT_H
#define PELCORE_PELASCIITEXT_H

#include <cstddef>
#include <string>
#include <string_view>

// ASCII letter case and blanks, for the names that match without regard to
// ASCII letter case (registry keys and values, settings sections and keys)
// and the lines whose surrounding blanks mean nothing. Other characters,
// whatever their case, are left as they are.

// c with A to Z turned into a to z.
template <typename Char>
constexpr Char pelAsciiLower(Char c) {
  return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

// text with A to Z turned into a to z.
inline std::string pelAsciiLowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = pelAsciiLower(c);
  return out;
}

// True when a and b are the same text but for the case of ASCII letters.
inline bool pelEqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (pelAsciiLower(a[i]) != pelAsciiLower(b[i])) return false;
  }
  return true;
}

// text without the characters of `blanks` at its start and end.
inline std::string_view pelTrimmed(std::string_view text, std::string_view blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

#endif
