// The library's process-wide objects and the steps it takes when loaded.

#include "Pelcore/PelMessage.h"
#include "Pelcore/PelProcess.h"
#include "RuntimeErrorMode.h"
#include "VekPelProcess.h"

namespace VekPelProcess {

PelMutex configurationLock;
PelUnicodeString parameterSourceText;
std::atomic<bool> parameterSourceSet{false};

const PelUnicodeString& parameterSource() {
  static const PelUnicodeString unset;
  return parameterSourceSet.load(std::memory_order_acquire) ? parameterSourceText : unset;
}

}  // namespace VekPelProcess

namespace {

constexpr std::size_t kMemoryLimit = 0x3FFFFF;
constexpr int kCodeTypeAtLoad = 2;

// Runs once when the library is loaded, after the objects above: names the
// process in the common library's messages and sets its process-wide
// values.
struct LibraryLoad {
  LibraryLoad() {
    PelMessageStream::setCommandName("TarvikNX", -1);
    PelMemoryPool::setTotalLimit(kMemoryLimit);
    PelOs::Process::_encodeingType = kCodeTypeAtLoad;
    sendRuntimeErrorsToStandardError();
  }
};

const LibraryLoad libraryLoad;

}  // namespace
