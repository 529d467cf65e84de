#include <errno.h>
#include <poll.h>

#include "PgSocketWait.h"

int pgPollSocket(int socket, bool read, bool write, int milliseconds) {
  pollfd entry{socket, static_cast<short>((read ? POLLIN : 0) | (write ? POLLOUT : 0)), 0};
  const int ready = ::poll(&entry, 1, milliseconds);
  return ready < 0 && errno == EINTR ? 0 : ready;
}
