#ifndef TESTS_SUPPORT_TESTREGISTRY_H
#define TESTS_SUPPORT_TESTREGISTRY_H

#include <string>
#include <vector>

#include "TestSupport.h"

// The registry of one test. On POSIX a regedit file in a temporary folder
// that PEL_REGISTRY names while the object lives; on Windows the system's
// registry, into which the keys are imported with regedit /S and from which
// they are deleted when the object goes.
class TestRegistry {
 public:
  // `keys`: regedit lines ([KEY] lines and their values), no header.
  explicit TestRegistry(const std::string& keys = "");
  ~TestRegistry();
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  // Replaces the keys written before by `keys`.
  void write(const std::string& keys);

 private:
  TempFolder folder_;
  std::vector<std::string> written_;  // Windows: the keys to delete
};

#endif
