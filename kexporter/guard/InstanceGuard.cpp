#include "InstanceGuard.h"

void InstanceGuard::onRaiseRequest(std::function<void()> handler) {
  std::lock_guard<std::mutex> lock(handlerMutex_);
  handler_ = std::move(handler);
}

void InstanceGuard::callHandler() {
  std::function<void()> handler;
  {
    std::lock_guard<std::mutex> lock(handlerMutex_);
    handler = handler_;
  }
  if (handler) handler();
}
