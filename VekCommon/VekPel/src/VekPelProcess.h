#ifndef VEKPEL_VEKPELPROCESS_H
#define VEKPEL_VEKPELPROCESS_H

#include <atomic>

#include "Pelcore/PelMutex.h"
#include "Pelcore/PelUnicodeString.h"

// The library's process-wide objects, constructed at load in this order and
// destroyed at unload in reverse.
namespace VekPelProcess {

// Serialises setParameterSource and the installation settings.
extern PelMutex configurationLock;

// Written once, under configurationLock, before parameterSourceSet becomes
// true; read only after parameterSourceSet was seen true.
extern PelUnicodeString parameterSourceText;
extern std::atomic<bool> parameterSourceSet;

// The source to read below: the set source, or the empty text before it is
// set. Safe from any thread at any time.
const PelUnicodeString& parameterSource();

// Message source name of the library.
inline constexpr const char* kMessageSource = "VekPel";

}  // namespace VekPelProcess

#endif
