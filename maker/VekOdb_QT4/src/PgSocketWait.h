#ifndef VEKODB_PGSOCKETWAIT_H
#define VEKODB_PGSOCKETWAIT_H

#include <chrono>

// How a wait on libpq's socket ended.
enum class PgSocketState {
  kReady,   // ready, or an error of the socket that libpq's next call reports
  kSilent,  // the deadline passed first
  kFailed,  // the wait itself failed
};

// Waits until `socket` (PQsocket's) is ready for reading with `read`, for
// writing with `write`, or `deadline` passes. An interrupted wait goes on.
PgSocketState pgAwaitSocket(int socket, bool read, bool write,
                            std::chrono::steady_clock::time_point deadline);

// One wait of the system's, at most `milliseconds`: above 0 when ready, 0
// when the time passed or a signal came, below 0 when it failed.
int pgPollSocket(int socket, bool read, bool write, int milliseconds);

#endif
