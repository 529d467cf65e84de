#include "Pelcore/PelParameter.h"

#include <atomic>
#include <optional>

#include "Pelcore/PelMessage.h"
#include "RegistryAccess.h"
#include "RegistryKey.h"

namespace {

constexpr int kLineNoHive = 310;
constexpr int kLineLineBreak = 320;
constexpr int kLineOtherType = 330;

const char* typeName(RegistryValue::Type type) {
  return type == RegistryValue::Type::String ? "text (REG_SZ)" : "number (REG_DWORD)";
}

std::atomic<std::uint64_t> storeReads{0};

std::optional<RegistryValue> readValue(const PelUnicodeString& source, const PelUnicodeString& key,
                                       RegistryValue::Type type) {
  storeReads.fetch_add(1, std::memory_order_relaxed);
  std::optional<RegistryValue> value = RegistryAccess::read(source.toUtf8(), key.toUtf8());
  if (!value) return std::nullopt;
  if (value->type != type) {
    // Read as missing, as the callers expect; but "not found" alone would
    // send the administrator looking for a value that is there.
    PelMessageSelection::error(kRegistryMessageSource, kLineOtherType)
        << "Registry value " << key.toUtf8() << " of [" << source.toUtf8() << "] is not a " << typeName(type)
        << " value" << PelEndl;
    return std::nullopt;
  }
  return value;
}

// Refuses what the store cannot hold: a key without a hive would be a key
// nobody can name, and a line break would split the value's line in the
// file (refused on Windows too, so that callers meet the same store).
bool writable(const std::string& source, const std::string& key, const std::string& text) {
  if (!RegistryKey::hasHive(source)) {
    PelMessageSelection::error(kRegistryMessageSource, kLineNoHive)
        << "Registry key without a hive not written: [" << source << "]" << PelEndl;
    return false;
  }
  if (!registryTextStorable(source) || !registryTextStorable(key) || !registryTextStorable(text)) {
    PelMessageSelection::error(kRegistryMessageSource, kLineLineBreak)
        << "Registry value with a line break not written: [" << source << "] " << key << PelEndl;
    return false;
  }
  return true;
}

PelBoolean writeValue(const PelUnicodeString& source, const PelUnicodeString& key,
                      const RegistryValue& value) {
  const std::string sourceText = source.toUtf8();
  const std::string keyText = key.toUtf8();
  if (!writable(sourceText, keyText, value.text)) return PelFalse;
  return RegistryAccess::write(sourceText, keyText, value) ? PelTrue : PelFalse;
}

RegistryValue dwordValue(std::uint32_t number) {
  RegistryValue value;
  value.type = RegistryValue::Type::Dword;
  value.dword = number;
  return value;
}

}  // namespace

PelUnicodeString PelParameter::getString(const PelUnicodeString& source, const PelUnicodeString& key) {
  PelUnicodeString value;
  getString(source, key, value);
  return value;
}

int PelParameter::getInteger(const PelUnicodeString& source, const PelUnicodeString& key) {
  int value = 0;
  getInteger(source, key, value);
  return value;
}

std::uint32_t PelParameter::getUnsignedInteger(const PelUnicodeString& source,
                                               const PelUnicodeString& key) {
  std::uint32_t value = 0;
  getUnsignedInteger(source, key, value);
  return value;
}

PelBoolean PelParameter::getBoolean(const PelUnicodeString& source, const PelUnicodeString& key) {
  PelBoolean value = PelFalse;
  getBoolean(source, key, value);
  return value;
}

PelBoolean PelParameter::getString(const PelUnicodeString& source, const PelUnicodeString& key,
                                   PelUnicodeString& value) {
  const auto found = readValue(source, key, RegistryValue::Type::String);
  if (!found) return PelFalse;
  value = PelUnicodeString::fromUtf8(found->text);
  return PelTrue;
}

PelBoolean PelParameter::getInteger(const PelUnicodeString& source, const PelUnicodeString& key,
                                    int& value) {
  const auto found = readValue(source, key, RegistryValue::Type::Dword);
  if (!found) return PelFalse;
  value = static_cast<int>(found->dword);
  return PelTrue;
}

PelBoolean PelParameter::getUnsignedInteger(const PelUnicodeString& source,
                                            const PelUnicodeString& key, std::uint32_t& value) {
  const auto found = readValue(source, key, RegistryValue::Type::Dword);
  if (!found) return PelFalse;
  value = found->dword;
  return PelTrue;
}

PelBoolean PelParameter::getBoolean(const PelUnicodeString& source, const PelUnicodeString& key,
                                    PelBoolean& value) {
  const auto found = readValue(source, key, RegistryValue::Type::Dword);
  if (!found) return PelFalse;
  value = found->dword != 0 ? PelTrue : PelFalse;
  return PelTrue;
}

PelBoolean PelParameter::setString(const PelUnicodeString& source, const PelUnicodeString& key,
                                   const PelUnicodeString& value) {
  RegistryValue stored;
  stored.type = RegistryValue::Type::String;
  stored.text = value.toUtf8();
  return writeValue(source, key, stored);
}

PelBoolean PelParameter::setInteger(const PelUnicodeString& source, const PelUnicodeString& key,
                                    int value) {
  return writeValue(source, key, dwordValue(static_cast<std::uint32_t>(value)));
}

PelBoolean PelParameter::setUnsignedInteger(const PelUnicodeString& source,
                                            const PelUnicodeString& key, std::uint32_t value) {
  return writeValue(source, key, dwordValue(value));
}

PelBoolean PelParameter::setBoolean(const PelUnicodeString& source, const PelUnicodeString& key,
                                    PelBoolean value) {
  return writeValue(source, key, dwordValue(value != PelFalse ? 1 : 0));
}

PelBoolean PelParameter::deleteValue(const PelUnicodeString& source, const PelUnicodeString& key) {
  return RegistryAccess::remove(source.toUtf8(), key.toUtf8()) ? PelTrue : PelFalse;
}

std::uint64_t PelParameter::storeReadCount() { return storeReads.load(); }

std::uint64_t PelParameter::fileReadCount() { return RegistryAccess::fileReadCount(); }
