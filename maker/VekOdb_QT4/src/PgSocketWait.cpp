#include "PgSocketWait.h"

PgSocketState pgAwaitSocket(int socket, bool read, bool write,
                            std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) return PgSocketState::kSilent;
    const int ready = pgPollSocket(socket, read, write, static_cast<int>(left));
    if (ready > 0) return PgSocketState::kReady;
    if (ready < 0) return PgSocketState::kFailed;
  }
}
