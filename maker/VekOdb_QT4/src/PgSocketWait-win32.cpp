#include <winsock2.h>

#include "PgSocketWait.h"

// select rather than WSAPoll: WSAPoll of Windows before 10 (2004) never
// reports a connection the server refused, so the connect would wait out
// its whole time. A failed connect shows in the exception set.
int pgPollSocket(int socket, bool read, bool write, int milliseconds) {
  const SOCKET handle = static_cast<SOCKET>(socket);
  fd_set readable, writable, failed;
  FD_ZERO(&readable);
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  if (read) FD_SET(handle, &readable);
  if (write) FD_SET(handle, &writable);
  FD_SET(handle, &failed);
  timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
  const int ready = ::select(0, &readable, &writable, &failed, &limit);
  return ready == SOCKET_ERROR ? -1 : ready;
}
