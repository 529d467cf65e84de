#include "InstanceGuard.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The abstract namespace is shared by the whole machine: names carry the
// process id so that parallel test runs do not meet.
std::string uniqueName(const std::string& suffix) {
  return "kexporter-guard-test-" + std::to_string(::getpid()) + "-" + suffix;
}

// A raw client that connects to the guard's socket and says what it likes.
int connectRaw(const std::string& name) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), length), 0);
  return fd;
}

TEST(InstanceGuard, StrayClientsNeitherRaiseNorBlockTheNextRequest) {
  const std::string name = uniqueName("stray");
  InstanceGuard holder(name);
  std::atomic<int> raised{0};
  holder.onRaiseRequest([&raised] { ++raised; });

  const int garbage = connectRaw(name);
  ASSERT_EQ(::send(garbage, "hello\n", 6, MSG_NOSIGNAL), 6);
  char reply[4];
  EXPECT_EQ(::recv(garbage, reply, sizeof reply, 0), 0);  // closed unanswered
  const int flood = connectRaw(name);
  const std::string endless(4096, 'x');
  ::send(flood, endless.data(), endless.size(), MSG_NOSIGNAL);
  const int silent = connectRaw(name);

  EXPECT_TRUE(InstanceGuard(name).requestRaise());
  EXPECT_EQ(raised, 1);
  for (int fd : {garbage, flood, silent}) ::close(fd);
}

TEST(InstanceGuard, KilledHolderFreesTheName) {
  const std::string name = uniqueName("killed");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstanceGuard guard(name);
    const char state = guard.acquired() ? 'y' : 'n';
    if (::write(ready[1], &state, 1) != 1) ::_exit(1);
    for (;;) ::pause();
  }
  char state = 0;
  ASSERT_EQ(::read(ready[0], &state, 1), 1);
  for (int fd : ready) ::close(fd);
  EXPECT_EQ(state, 'y');
  EXPECT_FALSE(InstanceGuard(name).acquired());

  ASSERT_EQ(::kill(child, SIGKILL), 0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  EXPECT_TRUE(InstanceGuard(name).acquired());
}

}  // namespace
