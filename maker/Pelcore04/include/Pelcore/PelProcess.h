#ifndef PELCORE_PELPROCESS_H
#define PELCORE_PELPROCESS_H

#include <atomic>
#include <cstddef>

// Process-wide settings of the common library. They are kept as values; the
// library allocates from the standard heap, so the limit is informational.
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

#endif
