#include <stdlib.h>

#include "TestRegistry.h"

TestRegistry::TestRegistry(const std::string& keys) {
  setenv("PEL_REGISTRY", (folder_ / "registry.reg").c_str(), 1);
  write(keys);
}

TestRegistry::~TestRegistry() { unsetenv("PEL_REGISTRY"); }

void TestRegistry::write(const std::string& keys) {
  writeFile(folder_ / "registry.reg", "Windows Registry Editor Version 5.00\n\n" + keys);
}
