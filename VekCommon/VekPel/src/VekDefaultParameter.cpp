#include "VekPel/VekDefaultParameter.h"

#include "ParameterCache.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelParameter.h"
#include "VekPelProcess.h"

namespace {

constexpr int kLineSourceSet = 118;
constexpr const char* kSourceSuffix = "\\VEK";

using VekPelProcess::parameterSource;

PelUnicodeString keyText(const char16_t* key) {
  PelUnicodeString text;
  text.allocateCopy(key, 0);
  return text;
}

}  // namespace

void VekDefaultParameter::setParameterSource(const char16_t* source) {
  if (VekPelProcess::parameterSourceSet.load(std::memory_order_acquire)) return;
  PelAutoMutex guard(VekPelProcess::configurationLock);
  if (VekPelProcess::parameterSourceSet.load(std::memory_order_relaxed)) return;

  PelUnicodeString& text = VekPelProcess::parameterSourceText;
  text.allocateCopy(source, 0);
  PelUnicodeString suffix;
  suffix.allocateCopy(kSourceSuffix, 0, PelCodeTypeUtf8);
  text.append(suffix, 0);
  PelMessageSelection::debug(VekPelProcess::kMessageSource, kLineSourceSet)
      << "set [" << text << "]" << PelEndl;
  VekPelProcess::parameterSourceSet.store(true, std::memory_order_release);
}

PelUnicodeString VekDefaultParameter::parameterSource() { return VekPelProcess::parameterSource(); }

PelUnicodeString VekDefaultParameter::getString(const char16_t* key) {
  return PelParameter::getString(parameterSource(), keyText(key));
}

int VekDefaultParameter::getInteger(const char16_t* key) {
  return PelParameter::getInteger(parameterSource(), keyText(key));
}

PelULong VekDefaultParameter::getUnsignedLong(const char16_t* key) {
  return PelParameter::getUnsignedInteger(parameterSource(), keyText(key));
}

PelSize VekDefaultParameter::getPelSize(const char16_t* key) {
  return PelParameter::getUnsignedInteger(parameterSource(), keyText(key));
}

PelFileSize VekDefaultParameter::getPelFileSize(const char16_t* key) {
  return PelFileSize{PelParameter::getUnsignedInteger(parameterSource(), keyText(key))};
}

PelBoolean VekDefaultParameter::getBoolean(const char16_t* key) {
  return PelParameter::getBoolean(parameterSource(), keyText(key));
}

PelBoolean VekDefaultParameter::getString(PelUnicodeString& value, const char16_t* key) {
  return PelParameter::getString(parameterSource(), keyText(key), value);
}

PelBoolean VekDefaultParameter::getInteger(int& value, const char16_t* key) {
  return PelParameter::getInteger(parameterSource(), keyText(key), value);
}

PelBoolean VekDefaultParameter::getUnsignedLong(PelULong& value, const char16_t* key) {
  std::uint32_t read = 0;
  const PelBoolean result = PelParameter::getUnsignedInteger(parameterSource(), keyText(key), read);
  if (result) value = read;
  return result;
}

PelBoolean VekDefaultParameter::getPelSize(PelSize& value, const char16_t* key) {
  std::uint32_t read = 0;
  const PelBoolean result = PelParameter::getUnsignedInteger(parameterSource(), keyText(key), read);
  if (result) value = read;
  return result;
}

PelBoolean VekDefaultParameter::getPelFileSize(PelFileSize& value, const char16_t* key) {
  std::uint32_t read = 0;
  const PelBoolean result = PelParameter::getUnsignedInteger(parameterSource(), keyText(key), read);
  if (result) value = PelFileSize{read};
  return result;
}

PelBoolean VekDefaultParameter::getBoolean(PelBoolean& value, const char16_t* key) {
  return PelParameter::getBoolean(parameterSource(), keyText(key), value);
}

PelBoolean VekDefaultParameter::getString(char16_t* buffer, const char16_t* key) {
  PelUnicodeString value;
  const PelBoolean result = PelParameter::getString(parameterSource(), keyText(key), value);
  PelUnicodeCharTrait::copy(buffer, value.c_str(), 0);
  return result;
}

PelBoolean VekDefaultParameter::setString(const char16_t* key, const char16_t* value) {
  return PelParameter::setString(parameterSource(), keyText(key), keyText(value));
}

PelBoolean VekDefaultParameter::setInteger(const char16_t* key, int value) {
  return PelParameter::setInteger(parameterSource(), keyText(key), value);
}

PelBoolean VekDefaultParameter::setUnsignedLong(const char16_t* key, PelULong value) {
  return PelParameter::setUnsignedInteger(parameterSource(), keyText(key), value);
}

PelBoolean VekDefaultParameter::setBoolean(const char16_t* key, PelBoolean value) {
  return PelParameter::setBoolean(parameterSource(), keyText(key), value);
}

PelBoolean VekDefaultParameter::deleteValue(const char16_t* key) {
  return PelParameter::deleteValue(parameterSource(), keyText(key));
}

const PelUnicodeString& VekDefaultParameter::getCachedString(const char16_t* key) {
  static ParameterCache<PelUnicodeString> cache;
  return cache.get(key, [key] { return getString(key); });
}

int VekDefaultParameter::getCachedInteger(const char16_t* key) {
  static ParameterCache<int> cache;
  return cache.get(key, [key] { return getInteger(key); });
}

PelULong VekDefaultParameter::getCachedUnsignedLong(const char16_t* key) {
  static ParameterCache<PelULong> cache;
  return cache.get(key, [key] { return getUnsignedLong(key); });
}

PelSize VekDefaultParameter::getCachedPelSize(const char16_t* key) {
  static ParameterCache<PelSize> cache;
  return cache.get(key, [key] { return getUnsignedLong(key); });
}

PelFileSize VekDefaultParameter::getCachedPelFileSize(const char16_t* key) {
  static ParameterCache<PelFileSize> cache;
  return cache.get(key, [key] { return PelFileSize{getUnsignedLong(key)}; });
}

PelBoolean VekDefaultParameter::getCachedBoolean(const char16_t* key) {
  static ParameterCache<PelBoolean> cache;
  return cache.get(key, [key] { return getBoolean(key); });
}
