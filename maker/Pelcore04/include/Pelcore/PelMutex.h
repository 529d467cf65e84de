#ifndef PELCORE_PELMUTEX_H
#define PELCORE_PELMUTEX_H

#include <mutex>

// The common library's mutex and its scoped guard.
class PelMutex {
 public:
  void lock() { mutex_.lock(); }
  void unlock() { mutex_.unlock(); }

 private:
  std::mutex mutex_;
};

class PelAutoMutex {
 public:
  explicit PelAutoMutex(PelMutex& mutex) : mutex_(mutex) { mutex_.lock(); }
  ~PelAutoMutex() { mutex_.unlock(); }
  PelAutoMutex(const PelAutoMutex&) = delete;
  PelAutoMutex& operator=(const PelAutoMutex&) = delete;

 private:
  PelMutex& mutex_;
};

#endif
