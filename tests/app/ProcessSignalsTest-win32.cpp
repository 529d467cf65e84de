#include "ProcessSignals.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::atomic<int> endedWith{0};
std::atomic<int> calls{0};

// Whether the files layer ends the process between two lines is its own
// test's business.
bool endRequested(int expectedCalls) {
  for (int waited = 0; waited < 100 && calls < expectedCalls; ++waited) Sleep(20);
  return calls == expectedCalls;
}

}  // namespace

// Stands in for the files layer's: records the request instead of ending.
void endBetweenLines(int code) {
  endedWith = code;
  ++calls;
}

// Wine sends Ctrl+Break only to a process group of its own; Ctrl+C takes
// the same way through the handler.
TEST(ProcessSignals, CtrlCEndsTheProgramBetweenTwoLines) {
  ProcessSignals::install();
  ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
  ASSERT_TRUE(endRequested(1));
  EXPECT_EQ(static_cast<DWORD>(endedWith), STATUS_CONTROL_C_EXIT);
}
