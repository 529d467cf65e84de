#ifndef PELCORE_REGISTRYKEY_H
#define PELCORE_REGISTRYKEY_H

#include <optional>
#include <string>
#include <string_view>

// Key texts as callers write them: hive first, full ("HKEY_LOCAL_MACHINE")
// or short ("HKLM", "HKCU", "HKCR", "HKU", "HKCC"), then the key path with
// backslashes. Blanks around the text and trailing backslashes mean nothing.
class RegistryKey {
 public:
  // A key text taken apart: the hive's full name and the path below it
  // (empty for the hive itself), without leading or trailing backslashes.
  struct Parts {
    std::string hive;
    std::string path;
  };

  // The parts, or nullopt when the text does not start with a hive name.
  static std::optional<Parts> split(std::string_view key);

  // The text with a short hive name spelled in full (a full one is kept as
  // written) and no trailing backslash; a text without a hive trimmed only.
  static std::string fullText(std::string_view key);

  // The full text folded for comparison: key paths match without regard to
  // ASCII letter case.
  static std::string matchText(std::string_view key);

  // True when `key` starts with a hive name, so that it can be written.
  static bool hasHive(std::string_view key) { return split(key).has_value(); }
};

#endif
