#include "PgHostLookup.h"

#include <errno.h>
#include <netdb.h>
#include <sys/socket.h>

#include <memory>

#include "VekOdb/OdbCodes.h"

namespace {

using Clock = std::chrono::steady_clock;

// One asynchronous request of the resolver with everything it points to.
struct HostRequest {
  std::string name;
  addrinfo hints{};
  gaicb request{};
};

timespec timeLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
  const long long nanoseconds = left.count() > 0 ? left.count() : 0;
  return timespec{static_cast<time_t>(nanoseconds / 1000000000), nanoseconds % 1000000000};
}

// Waits for the request until the deadline: false when it is still running.
bool awaitAnswer(gaicb* request, Clock::time_point deadline) {
  const gaicb* requests[] = {request};
  while (gai_error(request) == EAI_INPROGRESS) {
    if (Clock::now() >= deadline) return false;
    const timespec left = timeLeft(deadline);
    gai_suspend(requests, 1, &left);
  }
  return true;
}

void collectAddresses(const addrinfo* found, std::vector<std::string>& addresses) {
  for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
    char text[NI_MAXHOST];
    if (getnameinfo(entry->ai_addr, entry->ai_addrlen, text, sizeof text, nullptr, 0,
                    NI_NUMERICHOST) == 0) {
      addresses.emplace_back(text);
    }
  }
}

}  // namespace

VekRC pgLookUpHost(const std::string& host, Clock::time_point deadline,
                   std::vector<std::string>& addresses, std::string& cause) {
  auto lookup = std::make_unique<HostRequest>();
  lookup->name = host;
  lookup->hints.ai_family = AF_UNSPEC;
  lookup->hints.ai_socktype = SOCK_STREAM;
  lookup->request.ar_name = lookup->name.c_str();
  lookup->request.ar_request = &lookup->hints;
  gaicb* requests[] = {&lookup->request};
  int error = getaddrinfo_a(GAI_NOWAIT, requests, 1, nullptr);
  if (error == 0 && !awaitAnswer(&lookup->request, deadline)) {
    const int cancelled = gai_cancel(&lookup->request);
    if (cancelled == EAI_CANCELED) return ODB_E_TIMEOUT;
    // The resolver's thread may still write into the request, so it is
    // left to it: a few bytes, once, in a run that fails.
    if (cancelled != EAI_ALLDONE) {
      lookup.release();
      return ODB_E_TIMEOUT;
    }
  }
  if (error == 0) error = gai_error(&lookup->request);
  if (error != 0) {
    cause = pgLookupFailure(host, gai_strerror(error));
    return ODB_E_CANTCONNECT;
  }
  collectAddresses(lookup->request.ar_result, addresses);
  freeaddrinfo(lookup->request.ar_result);
  return VEK_S_OK;
}
