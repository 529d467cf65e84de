#ifndef VEKODB_PGHOSTLOOKUP_H
#define VEKODB_PGHOSTLOOKUP_H

#include <chrono>
#include <string>
#include <vector>

#include "Pelcore/VekRC.h"

// Looks the server's host name up before `deadline`, as libpq would (any
// address family, stream sockets), since libpq's own lookup blocks without
// a bound. 0 and the numeric addresses in `addresses`, in the resolver's
// order; ODB_E_TIMEOUT when the resolver has not answered by the deadline;
// ODB_E_CANTCONNECT when it found no address, with its text in `cause`.
// The resolver runs on a thread of its own, which a lookup past its
// deadline leaves to finish alone.
VekRC pgLookUpHost(const std::string& host, std::chrono::steady_clock::time_point deadline,
                   std::vector<std::string>& addresses, std::string& cause);

// The cause of a lookup that found nothing, in libpq's words.
inline std::string pgLookupFailure(const std::string& host, const std::string& reason) {
  return "could not translate host name \"" + host + "\" to address: " + reason;
}

#endif
