#include "RegistryKey.h"

#include "Pelcore/PelAsciiText.h"

namespace {

struct HiveName {
  std::string_view shortName;
  std::string_view fullName;
};
constexpr HiveName kHives[] = {
    {"HKLM", "HKEY_LOCAL_MACHINE"}, {"HKCU", "HKEY_CURRENT_USER"},
    {"HKCR", "HKEY_CLASSES_ROOT"},  {"HKU", "HKEY_USERS"},
    {"HKCC", "HKEY_CURRENT_CONFIG"},
};

std::string_view trimmed(std::string_view key) {
  key = pelTrimmed(key, " \t");
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return key;
}

const HiveName* hiveOf(std::string_view hive) {
  for (const HiveName& h : kHives) {
    if (pelEqualsIgnoringAsciiCase(hive, h.shortName) || pelEqualsIgnoringAsciiCase(hive, h.fullName)) {
      return &h;
    }
  }
  return nullptr;
}

}  // namespace

std::optional<RegistryKey::Parts> RegistryKey::split(std::string_view key) {
  key = trimmed(key);
  const std::size_t cut = key.find('\\');
  const HiveName* hive = hiveOf(key.substr(0, cut));
  if (hive == nullptr) return std::nullopt;
  std::string_view path = cut == std::string_view::npos ? std::string_view() : key.substr(cut);
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  return Parts{std::string(hive->fullName), std::string(path)};
}

std::string RegistryKey::fullText(std::string_view key) {
  key = trimmed(key);
  const std::size_t cut = key.find('\\');
  const HiveName* hive = hiveOf(key.substr(0, cut));
  if (hive == nullptr || !pelEqualsIgnoringAsciiCase(key.substr(0, cut), hive->shortName)) {
    return std::string(key);
  }
  return std::string(hive->fullName) + std::string(cut == std::string_view::npos ? "" : key.substr(cut));
}

std::string RegistryKey::matchText(std::string_view key) { return pelAsciiLowered(fullText(key)); }
