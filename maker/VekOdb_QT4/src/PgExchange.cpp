#include "PgExchange.h"

#include <chrono>

#include "OdbEngine.h"
#include "PgSocketWait.h"

namespace {

constexpr int kDefaultAnswerSeconds = 60;

using Clock = std::chrono::steady_clock;

// Waits until the socket is ready for reading (and for writing with
// `write`) or the server has been silent for `limitSeconds`: false on the
// silence. Errors of the socket count as ready, so that libpq's next call
// reports them.
bool awaitSocket(PGconn* conn, bool write, int limitSeconds) {
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(limitSeconds);
  return pgAwaitSocket(pq().PQsocket(conn), true, write, deadline) != PgSocketState::kSilent;
}

// Pushes the statement out; the server may answer before it took all of it.
bool flushStatement(PGconn* conn, int limitSeconds) {
  int pending = 0;
  while ((pending = pq().PQflush(conn)) == 1) {
    if (!awaitSocket(conn, true, limitSeconds)) return false;
    if (!pq().PQconsumeInput(conn)) return true;
  }
  return true;
}

// Reads until one result is whole: false when the server fell silent.
bool awaitResult(PGconn* conn, int limitSeconds) {
  while (pq().PQisBusy(conn)) {
    if (!awaitSocket(conn, false, limitSeconds)) return false;
    // A broken connection leaves libpq with no socket, so that the
    // following PQgetResult reports it at once.
    if (!pq().PQconsumeInput(conn)) return true;
  }
  return true;
}

}  // namespace

int pgAnswerLimitSeconds() { return odbPositiveSetting(kPgAnswerLimitVariable, kDefaultAnswerSeconds); }

bool pgExchange(PGconn* conn, const std::string& sql, bool oneStatement, int limitSeconds,
                PgResultPtr& result) {
  result.reset();
  const int sent = oneStatement ? pq().PQsendQueryParams(conn, sql.c_str(), 0, nullptr, nullptr,
                                                    nullptr, nullptr, 0)
                                : pq().PQsendQuery(conn, sql.c_str());
  if (!sent) return true;
  if (!flushStatement(conn, limitSeconds)) return false;
  for (;;) {
    if (!awaitResult(conn, limitSeconds)) return false;
    PgResultPtr next(pq().PQgetResult(conn));
    if (next == nullptr) return true;
    // The server skips what follows a failed statement; its error is the answer.
    if (result == nullptr || pq().PQresultStatus(result.get()) != PGRES_FATAL_ERROR) {
      result = std::move(next);
    }
  }
}
