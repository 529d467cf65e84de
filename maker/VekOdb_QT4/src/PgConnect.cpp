#include "PgConnect.h"

#include <chrono>
#include <cstdlib>
#include <vector>

#include "OdbLog.h"
#include "PgHostLookup.h"
#include "PgResult.h"
#include "PgSocketWait.h"
#include "Pelcore/PelMessage.h"
#include "Pelcore/PelProcess.h"
#include "VekOdb/OdbCodes.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultConnectSeconds = 10;

// A server host that vanishes while the exporter waits for rows is found
// by these probes (about 25 seconds), and unacknowledged data gives up
// after 30 seconds, so that a run never waits forever on a dead peer.
const char* const kConnectionSettings[][2] = {
    {"client_encoding", "UTF8"},  {"keepalives", "1"},         {"keepalives_idle", "10"},
    {"keepalives_interval", "5"}, {"keepalives_count", "3"},   {"tcp_user_timeout", "30000"},
};

// A name that libpq would look up: not a socket folder, not a list.
bool isHostName(const std::string& host) {
  return !host.empty() && host.front() != '/' && host.front() != '@' &&
         host.find(',') == std::string::npos;
}

std::string joined(const std::vector<std::string>& texts) {
  std::string text;
  for (const std::string& each : texts) text += (text.empty() ? "" : ",") + each;
  return text;
}

// With `addresses` libpq connects to them without a lookup of its own; the
// name, once for each, still serves the password file and the messages.
PGconn* startConnecting(const PgAddress& address, const std::vector<std::string>& addresses) {
  const std::string port = std::to_string(address.port);
  const std::string program = pelProgramName();
  const std::string hosts = joined(std::vector<std::string>(addresses.size(), address.host));
  const std::string hostAddresses = joined(addresses);
  std::vector<const char*> keys;
  std::vector<const char*> values;
  auto add = [&](const char* key, const char* value) {
    keys.push_back(key);
    values.push_back(value);
  };
  if (!addresses.empty()) {
    add("host", hosts.c_str());
    add("hostaddr", hostAddresses.c_str());
  } else if (!address.host.empty()) {
    add("host", address.host.c_str());
  }
  if (address.port != 0) add("port", port.c_str());
  add("dbname", address.database.c_str());
  add("fallback_application_name", program.c_str());
  for (const auto& setting : kConnectionSettings) add(setting[0], setting[1]);
  add(nullptr, nullptr);
  return pq().PQconnectStartParams(keys.data(), values.data(), 0);
}

// libpq leaves the waiting of a non-blocking connect to its caller; the
// operator's connect_timeout (environment or service file) still rules.
int connectSeconds() {
  int seconds = 0;
  PQconninfoOption* options = pq().PQconndefaults();
  for (PQconninfoOption* option = options; option != nullptr && option->keyword != nullptr;
       ++option) {
    if (std::string_view(option->keyword) == "connect_timeout" && option->val != nullptr) {
      seconds = std::atoi(option->val);
    }
  }
  pq().PQconninfoFree(options);
  return seconds > 0 ? seconds : kDefaultConnectSeconds;
}

// Drives the connect to its end: 0, ODB_E_TIMEOUT, or VEK_E_FAIL with the
// cause in libpq's error text.
VekRC finishConnecting(PGconn* conn, Clock::time_point deadline) {
  PostgresPollingStatusType state = PGRES_POLLING_WRITING;
  while (state != PGRES_POLLING_OK) {
    if (state == PGRES_POLLING_FAILED) return VEK_E_FAIL;
    const bool reading = state == PGRES_POLLING_READING;
    switch (pgAwaitSocket(pq().PQsocket(conn), reading, !reading, deadline)) {
      case PgSocketState::kSilent: return ODB_E_TIMEOUT;
      case PgSocketState::kFailed: return VEK_E_FAIL;
      case PgSocketState::kReady: state = pq().PQconnectPoll(conn);
    }
  }
  return VEK_S_OK;
}

std::string describe(const PgAddress& address, PGconn* conn) {
  const char* host = conn != nullptr ? pq().PQhost(conn) : address.host.c_str();
  const std::string portNumber = address.port != 0 ? std::to_string(address.port) : "";
  const char* port = conn != nullptr ? pq().PQport(conn) : portNumber.c_str();
  return "database " + address.database + " on " + (host != nullptr ? host : "") + ":" +
         (port != nullptr ? port : "");
}

VekRC failConnecting(const std::string& where, const std::string& cause, VekRC rc) {
  PelMessageSelection::error(kOdbMessageSource, __LINE__)
      << "Can't connect to " << where << ": " << cause << ". rc = 0x" << PelHex << rc << PelEndl;
  return rc;
}

}  // namespace

VekRC pgConnect(const PgAddress& address, PGconn*& conn, std::string& where) {
  conn = nullptr;
  const int seconds = connectSeconds();
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(seconds);
  const std::string silence = "no answer within " + std::to_string(seconds) + " seconds";
  std::vector<std::string> addresses;
  std::string cause;
  VekRC rc = isHostName(address.host) ? pgLookUpHost(address.host, deadline, addresses, cause)
                                      : VEK_S_OK;
  if (rc != VEK_S_OK) {
    where = describe(address, nullptr);
    return failConnecting(where, rc == ODB_E_TIMEOUT ? silence + " (host name lookup)" : cause, rc);
  }
  conn = startConnecting(address, addresses);
  if (conn == nullptr) return ODB_E_OUTOFMEMORY;
  // Server errors of the handshake then carry their SQLSTATE, which tells
  // a refused password from a missing database in any server language.
  pq().PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
  rc = pq().PQstatus(conn) == CONNECTION_BAD ? VEK_E_FAIL : finishConnecting(conn, deadline);
  where = describe(address, conn);
  if (rc == VEK_S_OK) {
    pq().PQsetErrorVerbosity(conn, PQERRORS_TERSE);
    return VEK_S_OK;
  }
  cause = silence;
  if (rc != ODB_E_TIMEOUT) {
    cause = pgErrorText(conn);
    rc = pgConnectFailureCode(conn, pgMessageSqlState(pq().PQerrorMessage(conn)));
  }
  pq().PQfinish(conn);
  conn = nullptr;
  return failConnecting(where, cause, rc);
}
