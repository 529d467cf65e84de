#include "VekCommon/VekStringToAscii.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "Pelcore/PelUnicodeString.h"

namespace {
constexpr VekRC kOutOfMemory = 0x8007000E;  // E_OUTOFMEMORY
}

VekRC VekStringToAscii2(const char16_t* text, int selector, char** out, void* allocator) {
  if (out == nullptr) return VEK_E_INVALIDARG;
  *out = nullptr;
  if (selector != kVekNarrowUtf8 || allocator != nullptr) return VEK_E_INVALIDARG;
  const std::string narrow = text == nullptr ? std::string() : pelUtf16ToUtf8(text);
  char* copy = static_cast<char*>(std::malloc(narrow.size() + 1));
  if (copy == nullptr) return kOutOfMemory;
  std::memcpy(copy, narrow.c_str(), narrow.size() + 1);
  *out = copy;
  return VEK_S_OK;
}

void VekFreeMemory(char* text, void* /*deallocator*/) { std::free(text); }
