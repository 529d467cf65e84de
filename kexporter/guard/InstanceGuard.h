#ifndef KEXPORTER_GUARD_INSTANCEGUARD_H
#define KEXPORTER_GUARD_INSTANCEGUARD_H

#include <functional>
#include <mutex>
#include <string>
#include <thread>

// Lets only one copy of the program run on the machine. On Linux the guard is
// an abstract-namespace Unix socket named after the executable's base name:
// the first copy binds it and listens, and the kernel frees the name when
// that copy ends, however it ends (SIGKILL included), so no stale lock
// remains. A later copy finds the name taken and can ask the running copy,
// through the socket, to bring its window to the front. On Windows it is a
// named mutex of that name, which the system frees with its process; there a
// second copy finds the first one's window by its title (the program title,
// which every window of the program carries) and brings it to the front
// itself, so no raise handler is ever called.
class InstanceGuard {
 public:
  // Binds the name (at most 107 bytes are used, the longest abstract socket
  // name). A guard that cannot be set up for any reason other than the name
  // being taken counts as acquired: a broken socket layer must not keep the
  // only copy from starting.
  explicit InstanceGuard(const std::string& name);
  // Frees the name and stops the listening thread; no handler runs after the
  // destructor has returned.
  ~InstanceGuard();

  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;

  // True when this guard holds the name (this copy is the one that runs);
  // false when another process or another guard holds it.
  bool acquired() const { return acquired_; }

  // Asks the copy that holds the name to raise its window. Returns true once
  // that copy has run its handler (or had none to run); false when nobody
  // holds the name, when it does not answer within about two seconds, or
  // when this guard itself holds the name. Never blocks longer than that.
  // On Windows: true when a window with the program title was found and
  // brought to the foreground.
  bool requestRaise();

  // Sets the function to call for each raise request. It runs on the guard's
  // own thread, so a GUI must marshal it to its GUI thread; it must not wait
  // for the thread that destroys the guard. Requests that arrive while no
  // handler is set are answered and dropped.
  void onRaiseRequest(std::function<void()> handler);

 private:
  void listenForRequests();
  void serveConnection(int connection);
  void callHandler();

  std::string socketName_;
  bool acquired_ = false;
  int listenFd_ = -1;
  int stopFd_ = -1;  // eventfd that wakes the listening thread to end it
  std::thread listener_;
  std::mutex handlerMutex_;
  std::function<void()> handler_;  // Guarded by handlerMutex_.
  void* mutex_ = nullptr;  // Windows: the named mutex's handle
};

#endif
