#ifndef PELCORE_PELPROCESS_H
#define PELCORE_PELPROCESS_H

#include <atomic>
#include <cstddef>
#include <string>

// Process-wide settings of the common library, part of its interface: the
// configuration library sets both when it is loaded. They are kept as values
// that nothing here reads; the library allocates from the standard heap and
// its texts are always UTF-16 inside, so neither changes what it does.
class PelMemoryPool {
 public:
  static void setTotalLimit(std::size_t limit);
  static std::size_t totalLimit();
};

namespace PelOs {
class Process {
 public:
  // The process-wide text code type; 2 at load.
  static std::atomic<int> _encodeingType;
};
}  // namespace PelOs

// The running program's executable as the system tells it
// (/proc/self/exe; on Windows GetModuleFileNameW), UTF-8, the whole path
// however long; empty when the system does not tell.
std::string pelProgramPath();
// Its file name without a ".exe" ending (in any letter case); empty when the
// path is unknown.
std::string pelProgramName();

#endif
