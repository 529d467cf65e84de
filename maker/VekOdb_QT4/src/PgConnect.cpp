#include "PgConnect.h"

#include <errno.h>
#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "OdbLog.h"
#include "PgResult.h"
#include "Pelcore/PelMessage.h"
#include "VekOdb/OdbCodes.h"

namespace {

constexpr int kDefaultConnectSeconds = 10;

// A server host that vanishes while the exporter waits for rows is found
// by these probes (about 25 seconds), and unacknowledged data gives up
// after 30 seconds, so that a run never waits forever on a dead peer.
const char* const kConnectionSettings[][2] = {
    {"client_encoding", "UTF8"},  {"keepalives", "1"},         {"keepalives_idle", "10"},
    {"keepalives_interval", "5"}, {"keepalives_count", "3"},   {"tcp_user_timeout", "30000"},
};

PGconn* startConnecting(const PgAddress& address) {
  const std::string port = std::to_string(address.port);
  std::vector<const char*> keys;
  std::vector<const char*> values;
  auto add = [&](const char* key, const char* value) {
    keys.push_back(key);
    values.push_back(value);
  };
  if (!address.host.empty()) add("host", address.host.c_str());
  if (address.port != 0) add("port", port.c_str());
  add("dbname", address.database.c_str());
  add("fallback_application_name", program_invocation_short_name);
  for (const auto& setting : kConnectionSettings) add(setting[0], setting[1]);
  add(nullptr, nullptr);
  return PQconnectStartParams(keys.data(), values.data(), 0);
}

// libpq leaves the waiting of a non-blocking connect to its caller; the
// operator's connect_timeout still rules.
int connectSeconds(PGconn* conn) {
  int seconds = 0;
  PQconninfoOption* options = PQconninfo(conn);
  for (PQconninfoOption* option = options; option != nullptr && option->keyword != nullptr;
       ++option) {
    if (std::string_view(option->keyword) == "connect_timeout" && option->val != nullptr) {
      seconds = std::atoi(option->val);
    }
  }
  PQconninfoFree(options);
  return seconds > 0 ? seconds : kDefaultConnectSeconds;
}

// Drives the connect to its end: 0, ODB_E_TIMEOUT, or VEK_E_FAIL with the
// cause in libpq's error text.
VekRC finishConnecting(PGconn* conn, int seconds) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(seconds);
  PostgresPollingStatusType state = PGRES_POLLING_WRITING;
  while (state != PGRES_POLLING_OK) {
    if (state == PGRES_POLLING_FAILED) return VEK_E_FAIL;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return ODB_E_TIMEOUT;
    const short event = state == PGRES_POLLING_READING ? POLLIN : POLLOUT;
    pollfd socket{PQsocket(conn), event, 0};
    const int ready = ::poll(&socket, 1, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) return VEK_E_FAIL;
    if (ready > 0) state = PQconnectPoll(conn);
  }
  return VEK_S_OK;
}

std::string describe(const PgAddress& address, PGconn* conn) {
  const char* host = PQhost(conn);
  const char* port = PQport(conn);
  return "database " + address.database + " on " + (host != nullptr ? host : "") + ":" +
         (port != nullptr ? port : "");
}

}  // namespace

VekRC pgConnect(const PgAddress& address, PGconn*& conn, std::string& where) {
  conn = startConnecting(address);
  if (conn == nullptr) return ODB_E_OUTOFMEMORY;
  // Server errors of the handshake then carry their SQLSTATE, which tells
  // a refused password from a missing database in any server language.
  PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
  const int seconds = connectSeconds(conn);
  VekRC rc = PQstatus(conn) == CONNECTION_BAD ? VEK_E_FAIL : finishConnecting(conn, seconds);
  where = describe(address, conn);
  if (rc == VEK_S_OK) {
    PQsetErrorVerbosity(conn, PQERRORS_TERSE);
    return VEK_S_OK;
  }
  std::string cause = "no answer within " + std::to_string(seconds) + " seconds";
  if (rc != ODB_E_TIMEOUT) {
    cause = pgErrorText(conn);
    rc = pgConnectFailureCode(conn, pgMessageSqlState(PQerrorMessage(conn)));
  }
  PelMessageSelection::error(kOdbMessageSource, __LINE__)
      << "Can't connect to " << where << ": " << cause << ". rc = 0x" << PelHex << rc << PelEndl;
  PQfinish(conn);
  conn = nullptr;
  return rc;
}
