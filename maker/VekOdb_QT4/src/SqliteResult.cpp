#include "SqliteResult.h"

#include <cerrno>
#include <cstring>

#include "VekOdb/OdbCodes.h"

namespace {

VekRC cantOpenCode(sqlite3* db) {
  switch (sqlite3_system_errno(db)) {
    case ENOENT:
    case ENOTDIR:
      return ODB_E_FILENOTFOUND;
    case EACCES:
    case EPERM:
      return ODB_E_ACCESSDENIED;
    default:
      return VEK_E_FAIL;
  }
}

}  // namespace

VekRC sqliteFailureCode(sqlite3* db, int result) {
  switch (result & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return ODB_E_TIMEOUT;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      return ODB_E_NOTADATABASE;
    case SQLITE_CANTOPEN:
      return cantOpenCode(db);
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_READONLY:
      return ODB_E_ACCESSDENIED;
    case SQLITE_NOMEM:
      return ODB_E_OUTOFMEMORY;
    default:
      return VEK_E_FAIL;
  }
}

VekRC sqliteQueryFailureCode(sqlite3* db, int result) {
  if ((result & 0xFF) != SQLITE_ERROR) return sqliteFailureCode(db, result);
  static const char kNoSuchTable[] = "no such table";
  const char* message = sqlite3_errmsg(db);
  if (std::strncmp(message, kNoSuchTable, sizeof kNoSuchTable - 1) == 0) return ODB_E_NOTABLE;
  return ODB_E_ERRORSINCOMMAND;
}
