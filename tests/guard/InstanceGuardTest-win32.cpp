#include "InstanceGuard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string uniqueName(const std::string& suffix) {
  return "kexporter-guard-test-" + std::to_string(GetCurrentProcessId()) + "-" + suffix;
}

TEST(InstanceGuard, TheNamedMutexKeepsASecondCopyOutUntilTheFirstEnds) {
  const std::string name = uniqueName("one");
  auto holder = std::make_unique<InstanceGuard>(name);
  EXPECT_TRUE(holder->acquired());
  // What another process sees: the mutex of that name exists.
  HANDLE seen = OpenMutexW(SYNCHRONIZE, FALSE, std::wstring(name.begin(), name.end()).c_str());
  EXPECT_NE(seen, nullptr);
  if (seen != nullptr) CloseHandle(seen);
  EXPECT_FALSE(InstanceGuard(name).acquired());
  EXPECT_TRUE(InstanceGuard(uniqueName("other")).acquired());
  EXPECT_FALSE(holder->requestRaise());

  holder.reset();
  EXPECT_TRUE(InstanceGuard(name).acquired());
}

}  // namespace
