#ifndef TESTS_SUPPORT_TESTREGISTRY_H
#define TESTS_SUPPORT_TESTREGISTRY_H

#include <string>
#include <vector>

#include "TestSupport.h"

// The registry of one test: on POSIX a regedit file that PEL_REGISTRY names
// while the object lives; on Windows the system's, the keys imported with
// regedit /S and deleted when the object goes.
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
