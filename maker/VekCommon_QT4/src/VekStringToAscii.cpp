#include "VekCommon/VekStringToAscii.h"

#include <cstdlib>
#include <string_view>

#include "Pelcore/PelUnicodeString.h"

namespace {
constexpr VekRC kOutOfMemory = 0x8007000E;  // E_OUTOFMEMORY
}

VekRC VekStringToAscii2(const char16_t* text, int selector, char** out, void* allocator) {
  if (out == nullptr) return VEK_E_INVALIDARG;
  *out = nullptr;
  if (selector != kVekNarrowUtf8 || allocator != nullptr) return VEK_E_INVALIDARG;
  const std::u16string_view wide = text == nullptr ? std::u16string_view() : text;
  // Converted straight into the caller's block: one allocation per text.
  char* narrow = static_cast<char*>(std::malloc(3 * wide.size() + 1));
  if (narrow == nullptr) return kOutOfMemory;
  narrow[pelUtf16ToUtf8(wide, narrow)] = '\0';
  *out = narrow;
  return VEK_S_OK;
}

void VekFreeMemory(char* text, void* /*deallocator*/) { std::free(text); }
