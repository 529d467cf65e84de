#include "MessageGate.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

// True while the process has not ended (a zombie has ended).
bool alive(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The state follows the command, which may hold spaces and ends at the
  // last ")".
  const std::size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

std::string firstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// A writer waiting for room in a pipe sleeps in the kernel's pipe write;
// nothing else in the program writes to a pipe while it exports. Where the
// kernel does not name the place (wchan "0"), a sleeping write call tells.
bool waitingAtGate(pid_t pid) {
  const std::string proc = "/proc/" + std::to_string(pid);
  const std::string channel = firstLine(proc + "/wchan");
  if (channel.find("pipe_write") != std::string::npos) return true;
  if (!channel.empty() && channel != "0") return false;
  const std::string stat = firstLine(proc + "/stat");
  const std::size_t close = stat.rfind(')');
  const bool sleeping = close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'S';
  return sleeping && firstLine(proc + "/syscall").rfind("1 ", 0) == 0;
}

}  // namespace

MessageGate::MessageGate(fs::path fifo) : fifo_(std::move(fifo)) {
  if (mkfifo(fifo_.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  // Reading and writing end at once: opening does not wait, and the program
  // always finds a reader, so it never meets a closed pipe.
  fd_ = open(fifo_.c_str(), O_RDWR | O_NONBLOCK);
  if (fd_ < 0 || fcntl(fd_, F_SETPIPE_SZ, 4096) < 0) throw std::runtime_error("FIFO set-up failed");
  // Full to the last byte: a message does not fit into what is left.
  const std::string filler(4096, '#');
  for (std::size_t size : {4096, 256, 16, 1}) {
    while (write(fd_, filler.data(), size) == static_cast<ssize_t>(size)) {
    }
  }
}

MessageGate::~MessageGate() {
  draining_ = false;
  if (drain_.joinable()) drain_.join();
  close(fd_);
}

std::vector<std::pair<std::string, std::string>> MessageGate::env() const {
  return {{"PEL_MESSAGE_FILE", fifo_.string()}, {"PEL_MESSAGE_LEVEL", "debug"}};
}

void MessageGate::drainOnce() {
  char buffer[65536];
  while (read(fd_, buffer, sizeof buffer) > 0) {
  }
}

bool MessageGate::holdWhen(pid_t pid, const std::function<bool()>& reached) {
  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < deadline) {
    if (!alive(pid)) return false;
    if (!waitingAtGate(pid)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    if (reached()) return true;
    drainOnce();
    deadline = Clock::now() + std::chrono::seconds(10);
  }
  return false;
}

void MessageGate::release() {
  if (draining_.exchange(true)) return;
  drain_ = std::thread([this] {
    while (draining_) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 20) > 0) drainOnce();
    }
  });
}
