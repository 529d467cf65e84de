#include "PgResult.h"

#include <cctype>

#include "VekOdb/OdbCodes.h"

namespace {

constexpr std::size_t kSqlStateLength = 5;

bool isSqlStateCharacter(char c) { return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'Z'); }

// Codes that mean the same on a new and on an open connection.
VekRC sqlStateCode(std::string_view state) {
  if (state == "3D000") return ODB_E_FILENOTFOUND;  // invalid_catalog_name
  if (state == "42P01") return ODB_E_NOTABLE;       // undefined_table
  if (state == "42501") return ODB_E_ACCESSDENIED;  // insufficient_privilege
  if (state == "55P03" || state == "57014") return ODB_E_TIMEOUT;  // lock or statement timeout
  if (state == "53200") return ODB_E_OUTOFMEMORY;
  if (state == "22003") return ODB_E_DATAOVERFLOW;  // numeric_value_out_of_range
  const std::string_view group = state.substr(0, 2);
  if (group == "28") return ODB_E_AUTHFAILED;
  if (group == "42") return ODB_E_ERRORSINCOMMAND;
  if (group == "08" || group == "57") return ODB_E_CONNECTIONLOST;
  return VEK_E_FAIL;
}

}  // namespace

VekRC pgConnectFailureCode(PGconn* conn, std::string_view sqlState) {
  if (sqlState.empty()) {
    // libpq asks for a password before the server says anything more.
    return pq().PQconnectionNeedsPassword(conn) ? ODB_E_AUTHFAILED : ODB_E_CANTCONNECT;
  }
  const VekRC rc = sqlStateCode(sqlState);
  return rc == ODB_E_CONNECTIONLOST || rc == VEK_E_FAIL ? ODB_E_CANTCONNECT : rc;
}

VekRC pgStatementFailureCode(PGconn* conn, const PGresult* result) {
  if (pq().PQstatus(conn) == CONNECTION_BAD) return ODB_E_CONNECTIONLOST;
  const char* state = result == nullptr ? nullptr : pq().PQresultErrorField(result, PG_DIAG_SQLSTATE);
  if (state == nullptr) return VEK_E_FAIL;
  return sqlStateCode(state);
}

std::string pgErrorText(PGconn* conn) {
  static const std::string_view kLocation = "LOCATION:";
  const std::string_view message = conn == nullptr ? "out of memory" : pq().PQerrorMessage(conn);
  std::string text;
  std::size_t start = 0;
  while (start < message.size()) {
    std::size_t end = message.find('\n', start);
    if (end == std::string_view::npos) end = message.size();
    std::string_view line = message.substr(start, end - start);
    start = end + 1;
    if (line.substr(0, kLocation.size()) == kLocation) continue;
    while (!line.empty() && (line.front() == '\t' || line.front() == ' ')) line.remove_prefix(1);
    if (line.empty()) continue;
    if (!text.empty()) text += ' ';
    text += line;
  }
  return text;
}

std::string pgResultText(PGconn* conn, const PGresult* result) {
  const char* severity = result == nullptr ? nullptr : pq().PQresultErrorField(result, PG_DIAG_SEVERITY);
  const char* primary =
      result == nullptr ? nullptr : pq().PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
  if (severity == nullptr || primary == nullptr) return pgErrorText(conn);
  return std::string(severity) + ":  " + primary;
}

std::string pgMessageSqlState(std::string_view message) {
  // A verbose server message reads "SEVERITY:  XXXXX: text"; the severity
  // word is in the server's language, the code never is.
  for (std::size_t at = message.find(":  "); at != std::string_view::npos;
       at = message.find(":  ", at + 1)) {
    const std::string_view rest = message.substr(at + 3);
    if (rest.size() <= kSqlStateLength || rest[kSqlStateLength] != ':') continue;
    bool code = true;
    for (std::size_t i = 0; i < kSqlStateLength; ++i) code = code && isSqlStateCharacter(rest[i]);
    if (code) return std::string(rest.substr(0, kSqlStateLength));
  }
  return {};
}
