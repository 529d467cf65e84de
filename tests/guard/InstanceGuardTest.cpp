#include "InstanceGuard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <random>
#include <string>

namespace {

// The guard's names are shared by the whole machine: a random part keeps
// parallel test runs apart.
std::string uniqueName(const std::string& suffix) {
  static const std::string run = std::to_string(std::random_device{}());
  return "kexporter-guard-test-" + run + "-" + suffix;
}

TEST(InstanceGuard, OneGuardHoldsANameAndAnswersRaiseRequestsUntilItIsDestroyed) {
  const std::string name = uniqueName("one");
  auto holder = std::make_unique<InstanceGuard>(name);
  EXPECT_TRUE(holder->acquired());
  InstanceGuard second(name);
  EXPECT_FALSE(second.acquired());
  EXPECT_TRUE(InstanceGuard(uniqueName("other")).acquired());

  EXPECT_TRUE(second.requestRaise());  // answered although no handler is set yet
  std::atomic<int> raised{0};
  holder->onRaiseRequest([&raised] { ++raised; });
  EXPECT_TRUE(second.requestRaise());
  EXPECT_FALSE(holder->requestRaise());  // the holder does not ask itself
  EXPECT_EQ(raised, 1);

  holder.reset();
  EXPECT_FALSE(second.requestRaise());  // nobody holds the name: fails at once
  EXPECT_TRUE(InstanceGuard(name).acquired());
}

}  // namespace
