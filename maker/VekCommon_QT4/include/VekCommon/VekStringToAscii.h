#ifndef VEKCOMMON_VEKSTRINGTOASCII_H
#define VEKCOMMON_VEKSTRINGTOASCII_H

#include "Pelcore/VekRC.h"

// Narrow encodings of VekStringToAscii2.
constexpr int kVekNarrowUtf8 = 0;

// Converts zero-terminated UTF-16 `text` to newly allocated, zero-terminated
// narrow text in the encoding `selector` names (0: UTF-8; unpaired
// surrogates become U+FFFD) and stores it in *out; a null `text` gives the
// empty text. Free the result with VekFreeMemory. `allocator` must be null:
// this library allocates only from its own heap.
// Returns 0, or VEK_E_INVALIDARG with *out null (if `out` is given) for an
// unknown selector, a null `out` or an allocator; 0x8007000E when memory
// runs out.
VekRC VekStringToAscii2(const char16_t* text, int selector, char** out, void* allocator);

// Frees a text from VekStringToAscii2; null does nothing. `deallocator` must
// be null, as the allocator was.
void VekFreeMemory(char* text, void* deallocator);

#endif
