#include <winsock2.h>
#include <ws2tcpip.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "PgHostLookup.h"
#include "Pelcore/PelWin32Text.h"
#include "VekOdb/OdbCodes.h"

namespace {

// What the lookup's thread hands back; shared, as a lookup past its
// deadline outlives the call that started it.
struct Lookup {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  int error = 0;
  std::vector<std::string> addresses;
};

// The numeric addresses of `host` in the resolver's order, or the Winsock
// error. Winsock is started for the thread's own calls.
int resolve(const std::wstring& host, std::vector<std::string>& addresses) {
  WSADATA winsock;
  int error = WSAStartup(MAKEWORD(2, 2), &winsock);
  if (error != 0) return error;
  ADDRINFOW hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  ADDRINFOW* found = nullptr;
  error = GetAddrInfoW(host.c_str(), nullptr, &hints, &found);
  for (const ADDRINFOW* entry = found; error == 0 && entry != nullptr; entry = entry->ai_next) {
    wchar_t text[NI_MAXHOST];
    if (GetNameInfoW(entry->ai_addr, static_cast<socklen_t>(entry->ai_addrlen), text, NI_MAXHOST,
                     nullptr, 0, NI_NUMERICHOST) == 0) {
      addresses.push_back(utf8Of(text));
    }
  }
  if (found != nullptr) FreeAddrInfoW(found);
  WSACleanup();
  return error;
}

}  // namespace

VekRC pgLookUpHost(const std::string& host, std::chrono::steady_clock::time_point deadline,
                   std::vector<std::string>& addresses, std::string& cause) {
  auto lookup = std::make_shared<Lookup>();
  std::thread([lookup, name = widened(host)] {
    std::vector<std::string> found;
    const int error = resolve(name, found);
    const std::lock_guard<std::mutex> lock(lookup->mutex);
    lookup->error = error;
    lookup->addresses = std::move(found);
    lookup->done = true;
    lookup->finished.notify_all();
  }).detach();
  std::unique_lock<std::mutex> lock(lookup->mutex);
  if (!lookup->finished.wait_until(lock, deadline, [&] { return lookup->done; })) {
    return ODB_E_TIMEOUT;
  }
  if (lookup->error != 0) {
    cause = pgLookupFailure(host, gai_strerrorA(lookup->error));
    return ODB_E_CANTCONNECT;
  }
  addresses = lookup->addresses;
  return VEK_S_OK;
}
