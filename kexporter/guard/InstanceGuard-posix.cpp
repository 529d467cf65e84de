#include "InstanceGuard.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <system_error>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::string_view kRaiseRequest = "raise\n";
constexpr std::string_view kRaiseReply = "ok\n";
constexpr std::size_t kLongestLine = 16;
constexpr int kBacklog = 8;
// A second copy waits at most this long for the running copy's answer.
constexpr milliseconds kClientTimeout{2000};
// The running copy gives a connected client this long to send its request,
// so that a silent or slow client cannot hold up the next one for long.
constexpr milliseconds kServerTimeout{500};
// Pause after a failed accept (no descriptors left), instead of spinning.
constexpr int kAcceptBackoffMs = 100;

struct AbstractAddress {
  sockaddr_un address{};
  socklen_t length = 0;
};

// The abstract namespace: a leading NUL, then the name bytes, no terminator.
AbstractAddress abstractAddress(const std::string& name) {
  AbstractAddress result;
  result.address.sun_family = AF_UNIX;
  std::memcpy(result.address.sun_path + 1, name.data(), name.size());
  result.length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  return result;
}

std::string truncatedName(const std::string& name) {
  constexpr std::size_t kLongestName = sizeof(sockaddr_un::sun_path) - 1;
  return name.substr(0, kLongestName);
}

void closeFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

void setSendTimeout(int fd, milliseconds timeout) {
  timeval value{};
  value.tv_sec = static_cast<time_t>(timeout.count() / 1000);
  value.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &value, sizeof value);
}

bool sendAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t sent = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

// Reads one line of at most kLongestLine bytes before the deadline. Returns
// the line with its newline, or an empty text on timeout, end, error, or when
// stopFd (if not -1) becomes readable.
std::string readLine(int fd, Clock::time_point deadline, int stopFd = -1) {
  char buffer[kLongestLine];
  std::size_t used = 0;
  while (used < sizeof buffer) {
    auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return {};
    pollfd waits[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    int ready = ::poll(waits, 2, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || waits[1].revents != 0) return {};
    ssize_t got = ::recv(fd, buffer + used, sizeof buffer - used, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return {};
    used += static_cast<std::size_t>(got);
    if (std::memchr(buffer, '\n', used) != nullptr) return std::string(buffer, used);
  }
  return {};
}

}  // namespace

// The listening socket and the thread that answers raise requests on it.
class InstanceGuard::Holder {
 public:
  // Binds the name; takenByAnother() when it is in use. Any other failure
  // leaves the name unbound but counts as held.
  Holder(const std::string& name, InstanceGuard& guard);
  ~Holder();
  bool takenByAnother() const { return taken_; }

 private:
  void listenForRequests();
  void serveConnection(int connection);

  InstanceGuard& guard_;
  bool taken_ = false;
  int listenFd_ = -1;
  int stopFd_ = -1;  // eventfd that wakes the listening thread to end it
  std::thread listener_;
};

InstanceGuard::Holder::Holder(const std::string& name, InstanceGuard& guard) : guard_(guard) {
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return;
  AbstractAddress address = abstractAddress(name);
  if (::bind(listenFd_, reinterpret_cast<const sockaddr*>(&address.address), address.length) != 0) {
    taken_ = errno == EADDRINUSE;
    closeFd(listenFd_);
    return;
  }
  // From here on the name is held; failing to serve raise requests only
  // means a second copy cannot bring this one to the front.
  if (::listen(listenFd_, kBacklog) != 0) return;
  stopFd_ = ::eventfd(0, EFD_CLOEXEC);
  if (stopFd_ < 0) return;
  try {
    listener_ = std::thread(&Holder::listenForRequests, this);
  } catch (const std::system_error&) {
    closeFd(stopFd_);
  }
}

InstanceGuard::Holder::~Holder() {
  if (listener_.joinable()) {
    std::uint64_t one = 1;
    while (::write(stopFd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
    listener_.join();
  }
  closeFd(stopFd_);
  closeFd(listenFd_);
}

void InstanceGuard::Holder::listenForRequests() {
  pollfd waits[2] = {{listenFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
  for (;;) {
    int ready = ::poll(waits, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || waits[1].revents != 0) return;
    if ((waits[0].revents & POLLIN) == 0) return;  // the socket broke
    int connection = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
      if (errno != EINTR && errno != ECONNABORTED && errno != EAGAIN) {
        if (::poll(&waits[1], 1, kAcceptBackoffMs) > 0) return;
      }
      continue;
    }
    serveConnection(connection);
    closeFd(connection);
  }
}

void InstanceGuard::Holder::serveConnection(int connection) {
  setSendTimeout(connection, kServerTimeout);
  if (readLine(connection, Clock::now() + kServerTimeout, stopFd_) != kRaiseRequest) return;
  guard_.callHandler();
  sendAll(connection, kRaiseReply);
}

InstanceGuard::InstanceGuard(const std::string& name)
    : name_(truncatedName(name)), holder_(std::make_unique<Holder>(name_, *this)) {
  if (holder_->takenByAnother()) holder_.reset();
}

// The holder's thread goes before the handler it calls.
InstanceGuard::~InstanceGuard() { holder_.reset(); }

bool InstanceGuard::requestRaise() {
  if (acquired()) return false;
  const Clock::time_point deadline = Clock::now() + kClientTimeout;
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  // A full backlog makes connect wait; the send timeout bounds that wait.
  setSendTimeout(fd, kClientTimeout);
  AbstractAddress address = abstractAddress(name_);
  bool answered = ::connect(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) == 0 &&
                  sendAll(fd, kRaiseRequest) && readLine(fd, deadline) == kRaiseReply;
  closeFd(fd);
  return answered;
}
