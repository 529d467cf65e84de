#include "ProcessSignals.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "TestSupport.h"

namespace {

std::atomic<int> endedWith{0};
std::atomic<int> calls{0};

}  // namespace

// Stands in for the files layer's, whose own test shows that it ends the
// process between two lines: records the request instead of ending.
void endBetweenLines(int code) {
  endedWith = code;
  ++calls;
}

// Wine sends Ctrl+Break only to a process group of its own; Ctrl+C takes
// the same way through the handler.
TEST(ProcessSignals, CtrlCEndsTheProgramBetweenTwoLines) {
  ProcessSignals::install();
  ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
  // The handler runs on a thread of its own.
  ASSERT_TRUE(waitUntil([] { return calls > 0; }));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(static_cast<DWORD>(endedWith), STATUS_CONTROL_C_EXIT);
}
