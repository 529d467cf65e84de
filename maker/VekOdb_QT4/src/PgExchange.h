#ifndef VEKODB_PGEXCHANGE_H
#define VEKODB_PGEXCHANGE_H

#include "PgLibrary.h"

#include <string>

#include "PgResult.h"

// The environment variable that sets how long the server may stay silent.
inline constexpr const char* kPgAnswerLimitVariable = "VEKODB_SERVER_TIMEOUT";

// The seconds that a wait for the server may pass without receiving
// anything: VEKODB_SERVER_TIMEOUT when it is a positive whole number, else 60.
int pgAnswerLimitSeconds();

// Sends `sql` on `conn`, which must be in non-blocking mode, and waits for
// its results as PQexec would, but gives up once nothing arrived for
// `limitSeconds`. With `oneStatement` the text goes through the extended
// protocol, which refuses a second statement. True and in `result` the last
// result, or the first error, or null when sending failed (libpq's error text
// says why). False when it gave up: the connection is then mid-statement
// and of no further use.
bool pgExchange(PGconn* conn, const std::string& sql, bool oneStatement, int limitSeconds,
                PgResultPtr& result);

#endif
