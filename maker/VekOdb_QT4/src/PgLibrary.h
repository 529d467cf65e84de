#ifndef VEKODB_PGLIBRARY_H
#define VEKODB_PGLIBRARY_H

#include <libpq-fe.h>

#include <string>

// The PostgreSQL client's functions that the Remote engine calls, each under
// the client's own name. The client is loaded when a Remote installation is
// first used, so that a run on a SQLite file maps neither it nor the TLS
// and Kerberos libraries it brings.
#define VEKODB_PG_FUNCTIONS(X)                                                                                 \
  X(PQclear) X(PQconndefaults) X(PQconnectPoll) X(PQconnectStartParams) X(PQconnectionNeedsPassword)          \
  X(PQconninfoFree) X(PQconsumeInput) X(PQerrorMessage) X(PQexec) X(PQfinish) X(PQflush) X(PQftype)             \
  X(PQgetisnull) X(PQgetlength) X(PQgetResult) X(PQgetvalue) X(PQhost) X(PQisBusy) X(PQnfields) X(PQntuples)   \
  X(PQport) X(PQresultErrorField) X(PQresultStatus) X(PQsendQuery) X(PQsendQueryParams)                         \
  X(PQsetErrorVerbosity) X(PQsetNoticeProcessor) X(PQsetnonblocking) X(PQsocket) X(PQstatus)

struct PgLibrary {
#define VEKODB_PG_POINTER(name) decltype(&::name) name;
  VEKODB_PG_FUNCTIONS(VEKODB_PG_POINTER)
#undef VEKODB_PG_POINTER
};

// Loads the client once (later calls give the first answer): its functions,
// or nullptr when it or one of them cannot be found, `why` then saying why.
// Thread-safe.
const PgLibrary* pgLibrary(std::string* why = nullptr);

// The loaded client's functions. REQUIRES: pgLibrary() gave them.
inline const PgLibrary& pq() { return *pgLibrary(); }

// What the POSIX and Windows files give pgLibrary: the client library's
// handle (nullptr and `why` when it cannot be loaded) and its functions.
void* loadPgClient(std::string& why);
void* findPgFunction(void* client, const char* name);

#endif
