#ifndef TESTS_VEKPEL_REGISTRYSCENARIO_H
#define TESTS_VEKPEL_REGISTRYSCENARIO_H

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Pelcore/PelUnicodeString.h"
#include "TestRegistry.h"
#include "TestSupport.h"
#include "VekPel/VekDefaultParameter.h"

// A key of the tests' own, which the user may write on Windows as well.
inline const char16_t* const kServerKey = u"HKEY_CURRENT_USER\\Software\\KexporterTest\\VekPel\\GW";

// Runs `scenario` in a new process, as the library keeps its parameter
// source, caches and settings for the life of the process. Its registry
// holds `values` below the server's key, which is the parameter source
// unless `setSource` is false.
inline void withRegistry(const std::string& values, const std::function<void()>& scenario,
                         bool setSource = true) {
  EXPECT_TRUE(runInChildProcess([&] {
    const TestRegistry registry("[" + pelUtf16ToUtf8(kServerKey) + "\\VEK]\n" + values);
    if (setSource) VekDefaultParameter::setParameterSource(kServerKey);
    scenario();
  }));
}

#endif
