#ifndef TESTS_VEKPEL_REGISTRYSCENARIO_H
#define TESTS_VEKPEL_REGISTRYSCENARIO_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "TestSupport.h"
#include "VekPel/VekDefaultParameter.h"

inline const char16_t* const kServerKey = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW";

// Runs `scenario` in a new process, as the library keeps its parameter
// source, caches and settings for the life of the process. Its registry file
// holds `values` below the server's key, which is the parameter source
// unless `setSource` is false.
inline void withRegistry(const std::string& values, const std::function<void()>& scenario,
                         bool setSource = true) {
  EXPECT_TRUE(runInChildProcess([&] {
    TempFolder folder;
    writeFile(folder / "registry.reg",
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK]\n" + values);
    ::setenv("PEL_REGISTRY", (folder / "registry.reg").c_str(), 1);
    if (setSource) VekDefaultParameter::setParameterSource(kServerKey);
    scenario();
  }));
}

#endif
