#ifndef PELCORE_REGISTRYVALUE_H
#define PELCORE_REGISTRYVALUE_H

#include <cstdint>
#include <string>
#include <string_view>

// The source name of the registry's diagnostic messages, on every platform.
inline constexpr const char* kRegistryMessageSource = "PelParameter";

// One registry value as the store holds it.
struct RegistryValue {
  enum class Type { String, Dword, Other };  // Other: binary, multi-string, ...
  Type type = Type::Other;
  std::string text;         // String: the text, UTF-8
  std::uint32_t dword = 0;  // Dword
};

// True when a key path, value name or text can be stored: one line of the
// regedit file, so no line break and no zero. Both platforms refuse the
// same texts, so that a caller sees the same results on both.
inline bool registryTextStorable(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

#endif
