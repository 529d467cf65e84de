#ifndef KEXPORTER_GUARD_INSTANCEGUARD_H
#define KEXPORTER_GUARD_INSTANCEGUARD_H

#include <functional>
#include <memory>
#include <mutex>
#include <string>

// Lets only one copy of the program run on the machine, and lets a later
// copy ask the running one to bring its window to the front. The name is
// held by something the system frees when its process ends, however it
// ends, so no stale lock remains: on Linux an abstract-namespace Unix socket
// named after the executable's base name, which also carries the requests;
// on Windows a named mutex of that name, the requests going through a named
// event beside it.
class InstanceGuard {
 public:
  // Takes the name (on Linux at most its first 107 bytes, the longest
  // abstract socket name). A guard that cannot be set up for any reason
  // other than the name being taken counts as acquired: a broken system
  // layer must not keep the only copy from starting.
  explicit InstanceGuard(const std::string& name);
  // Frees the name and stops serving requests; no handler runs after the
  // destructor has returned.
  ~InstanceGuard();

  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;

  // True when this guard holds the name (this copy is the one that runs);
  // false when another process or another guard holds it.
  bool acquired() const { return holder_ != nullptr; }

  // Asks the copy that holds the name to raise its window, handing it the
  // right to come to the foreground. Returns true once that copy has run its
  // handler (or had none to run); false when nobody holds the name, when it
  // does not answer within about two seconds, or when this guard itself
  // holds the name. Never blocks longer than that.
  bool requestRaise();

  // Sets the function to call for each raise request. It runs on the guard's
  // own thread, so a GUI must marshal it to its GUI thread; it must not wait
  // for the thread that destroys the guard. Requests that arrive while no
  // handler is set are answered and dropped.
  void onRaiseRequest(std::function<void()> handler);

 private:
  // What holds the name and serves the requests: each platform's own,
  // defined with the constructor, destructor and requestRaise() in the
  // platform's file.
  class Holder;

  // Runs the handler that is set, if any; called on the holder's thread.
  void callHandler();

  std::string name_;
  std::unique_ptr<Holder> holder_;  // null when another holds the name
  std::mutex handlerMutex_;
  std::function<void()> handler_;  // Guarded by handlerMutex_.
};

#endif
