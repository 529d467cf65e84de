#include <windows.h>

#include "Frontend.h"
#include "InstanceGuard.h"
#include "Pelcore/PelWin32Text.h"

InstanceGuard::InstanceGuard(const std::string& name) : socketName_(name) {
  // Named after the executable, in the session's namespace, and owned from
  // its creation, so that a copy started at the same moment finds it taken.
  const std::wstring wide = widened(name);
  HANDLE mutex = CreateMutexW(nullptr, TRUE, wide.c_str());
  const DWORD error = GetLastError();
  if (mutex == nullptr) {
    // A guard the system cannot create must not keep the only copy from
    // starting.
    acquired_ = true;
    return;
  }
  if (error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return;
  }
  acquired_ = true;
  mutex_ = mutex;
}

InstanceGuard::~InstanceGuard() {
  if (mutex_ == nullptr) return;
  ReleaseMutex(static_cast<HANDLE>(mutex_));
  CloseHandle(static_cast<HANDLE>(mutex_));
}

bool InstanceGuard::requestRaise() {
  if (acquired_) return false;
  // Every window of the program carries the program title; the one found
  // first is the one on top, the dialog the operator works in.
  HWND window = FindWindowW(nullptr, widened(kProgramTitle).c_str());
  if (window == nullptr) return false;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  return SetForegroundWindow(window) != FALSE;
}

void InstanceGuard::onRaiseRequest(std::function<void()> handler) {
  std::lock_guard<std::mutex> lock(handlerMutex_);
  handler_ = std::move(handler);
}
