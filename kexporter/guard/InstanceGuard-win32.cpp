#include <windows.h>

#include <system_error>
#include <thread>

#include "InstanceGuard.h"
#include "Pelcore/PelWin32Text.h"

namespace {

// A second copy waits at most this long for the running copy's answer.
constexpr DWORD kAnswerTimeoutMs = 2000;

// The events beside the mutex: a request to raise, and its answer.
std::wstring requestName(const std::wstring& name) { return name + L"-raise"; }
std::wstring answerName(const std::wstring& name) { return name + L"-raised"; }

void closeHandle(HANDLE& handle) {
  if (handle != nullptr) CloseHandle(handle);
  handle = nullptr;
}

}  // namespace

// The named mutex, and a thread that answers the raise requests signalled
// through the named events beside it.
class InstanceGuard::Holder {
 public:
  // Creates the mutex, owned from its creation so that a copy started at
  // the same moment finds it taken; takenByAnother() when it existed. A
  // mutex the system cannot create counts as held, without requests.
  Holder(const std::wstring& name, InstanceGuard& guard);
  ~Holder();
  bool takenByAnother() const { return taken_; }

 private:
  void answerRequests();

  InstanceGuard& guard_;
  bool taken_ = false;
  HANDLE mutex_ = nullptr;
  HANDLE request_ = nullptr;
  HANDLE answer_ = nullptr;
  HANDLE stop_ = nullptr;
  std::thread answering_;
};

InstanceGuard::Holder::Holder(const std::wstring& name, InstanceGuard& guard) : guard_(guard) {
  mutex_ = CreateMutexW(nullptr, TRUE, name.c_str());
  if (mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    taken_ = true;
    closeHandle(mutex_);
    return;
  }
  // From here on the name is held; failing to serve raise requests only
  // means a second copy cannot bring this one to the front.
  request_ = CreateEventW(nullptr, FALSE, FALSE, requestName(name).c_str());
  answer_ = CreateEventW(nullptr, FALSE, FALSE, answerName(name).c_str());
  stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (request_ == nullptr || answer_ == nullptr || stop_ == nullptr) return;
  try {
    answering_ = std::thread(&Holder::answerRequests, this);
  } catch (const std::system_error&) {
  }
}

InstanceGuard::Holder::~Holder() {
  if (answering_.joinable()) {
    SetEvent(stop_);
    answering_.join();
  }
  closeHandle(stop_);
  closeHandle(answer_);
  closeHandle(request_);
  if (mutex_ != nullptr) ReleaseMutex(mutex_);
  closeHandle(mutex_);
}

void InstanceGuard::Holder::answerRequests() {
  const HANDLE waits[2] = {stop_, request_};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    guard_.callHandler();
    SetEvent(answer_);
  }
}

InstanceGuard::InstanceGuard(const std::string& name)
    : name_(name), holder_(std::make_unique<Holder>(widened(name), *this)) {
  if (holder_->takenByAnother()) holder_.reset();
}

// The holder's thread goes before the handler it calls.
InstanceGuard::~InstanceGuard() { holder_.reset(); }

bool InstanceGuard::requestRaise() {
  if (acquired()) return false;
  const std::wstring name = widened(name_);
  HANDLE request = OpenEventW(EVENT_MODIFY_STATE, FALSE, requestName(name).c_str());
  HANDLE answer = OpenEventW(SYNCHRONIZE, FALSE, answerName(name).c_str());
  bool answered = false;
  if (request != nullptr && answer != nullptr) {
    // This copy was started by the operator and may take the foreground;
    // the running copy may not, unless it is handed the right.
    AllowSetForegroundWindow(ASFW_ANY);
    answered = SetEvent(request) && WaitForSingleObject(answer, kAnswerTimeoutMs) == WAIT_OBJECT_0;
  }
  closeHandle(answer);
  closeHandle(request);
  return answered;
}
