#include "DemoPostgres.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr char kDatabase[] = "ud_gwAddress";
// Every server has it; ud_gwAddress is created from there.
constexpr char kMaintenanceDatabase[] = "postgres";
// The order of the SQLite engine's text comparisons, so that both engines
// sort alike.
constexpr char kCreateDatabase[] =
    "CREATE DATABASE \"ud_gwAddress\" TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C'"
    " LC_CTYPE 'C'";
// Another loader that created it meanwhile makes the creation fail so.
constexpr const char* kCreatedMeanwhile[] = {"42P04", "23505"};

struct CopiedTable {
  const char* name;
  const char* columns;
};

constexpr CopiedTable kTables[] = {
    {"umAccount", "ac_guid, ac_id, ac_name, ac_storeTray, ac_type, ac_mailAddress"},
    {"umGroup", "gr_ownerguid, gr_guid"},
    {"umTSI", "ts_code, ts_guid, ts_sender"},
};

constexpr char kSchema[] =
    "SET LOCAL client_min_messages TO warning;"
    "DROP TABLE IF EXISTS umTSI, umGroup, umAccount;"
    "CREATE TABLE umAccount(ac_guid text, ac_id integer PRIMARY KEY, ac_name text,"
    " ac_storeTray integer, ac_type integer, ac_mailAddress text);"
    "CREATE TABLE umGroup(gr_ownerguid text, gr_guid text);"
    "CREATE TABLE umTSI(ts_code text, ts_guid text, ts_sender text);";

// Built after the rows, as in the SQLite file; the statistics let the
// planner treat the tables as a live server would.
constexpr char kIndexes[] =
    "CREATE UNIQUE INDEX umAccount_ac_guid ON umAccount(ac_guid);"
    "CREATE INDEX umGroup_gr_ownerguid ON umGroup(gr_ownerguid);"
    "CREATE INDEX umTSI_ts_guid ON umTSI(ts_guid);"
    "ANALYZE umAccount, umGroup, umTSI;";

constexpr std::size_t kCopyChunk = 1 << 16;

class DemoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ConnectionClose {
  void operator()(PGconn* conn) const { PQfinish(conn); }
};
using Connection = std::unique_ptr<PGconn, ConnectionClose>;

struct ResultClear {
  void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultClear>;

std::string errorText(PGconn* conn) {
  std::string text = PQerrorMessage(conn);
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// The connection string with its database replaced by `database`.
Connection connect(const std::string& conninfo, const char* database) {
  const char* const keys[] = {"dbname", "dbname", "client_encoding", nullptr};
  const char* const values[] = {conninfo.c_str(), database, "UTF8", nullptr};
  Connection conn(PQconnectdbParams(keys, values, 1));
  if (PQstatus(conn.get()) != CONNECTION_OK) throw DemoError(errorText(conn.get()));
  return conn;
}

void exec(PGconn* conn, const char* sql) {
  Result result(PQexec(conn, sql));
  const ExecStatusType status = PQresultStatus(result.get());
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) throw DemoError(errorText(conn));
}

void createDatabaseIfMissing(const std::string& conninfo) {
  Connection conn = connect(conninfo, kMaintenanceDatabase);
  const char* const name[] = {kDatabase};
  Result found(PQexecParams(conn.get(), "SELECT 1 FROM pg_database WHERE datname = $1", 1,
                            nullptr, name, nullptr, nullptr, 0));
  if (PQresultStatus(found.get()) != PGRES_TUPLES_OK) throw DemoError(errorText(conn.get()));
  if (PQntuples(found.get()) > 0) return;
  Result created(PQexec(conn.get(), kCreateDatabase));
  if (PQresultStatus(created.get()) == PGRES_COMMAND_OK) return;
  const char* state = PQresultErrorField(created.get(), PG_DIAG_SQLSTATE);
  for (const char* meanwhile : kCreatedMeanwhile) {
    if (state != nullptr && std::string(state) == meanwhile) return;
  }
  throw DemoError(errorText(conn.get()));
}

// A value as COPY's text format writes it.
void appendCopyValue(std::string& line, const unsigned char* text, int length) {
  if (text == nullptr) {
    line += "\\N";
    return;
  }
  for (int i = 0; i < length; ++i) {
    const char c = static_cast<char>(text[i]);
    switch (c) {
      case '\\': line += "\\\\"; break;
      case '\t': line += "\\t"; break;
      case '\n': line += "\\n"; break;
      case '\r': line += "\\r"; break;
      default: line += c;
    }
  }
}

class SqliteFile {
 public:
  explicit SqliteFile(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      std::string message = sqlite3_errmsg(db_);
      sqlite3_close(db_);
      throw DemoError(path + ": " + message);
    }
  }
  ~SqliteFile() { sqlite3_close(db_); }
  SqliteFile(const SqliteFile&) = delete;
  SqliteFile& operator=(const SqliteFile&) = delete;
  sqlite3* get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

void send(PGconn* conn, std::string& chunk) {
  if (PQputCopyData(conn, chunk.data(), static_cast<int>(chunk.size())) != 1) {
    throw DemoError(errorText(conn));
  }
  chunk.clear();
}

// Copies the rows of `table` in the order they were written.
void copyTable(sqlite3* db, PGconn* conn, const CopiedTable& table) {
  const std::string select =
      std::string("SELECT ") + table.columns + " FROM " + table.name + " ORDER BY rowid";
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, select.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    throw DemoError(sqlite3_errmsg(db));
  }
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> finalizer(statement, sqlite3_finalize);
  const std::string copy = std::string("COPY ") + table.name + "(" + table.columns + ") FROM STDIN";
  Result started(PQexec(conn, copy.c_str()));
  if (PQresultStatus(started.get()) != PGRES_COPY_IN) throw DemoError(errorText(conn));
  const int columns = sqlite3_column_count(statement);
  std::string chunk;
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
    for (int i = 0; i < columns; ++i) {
      if (i > 0) chunk += '\t';
      appendCopyValue(chunk, sqlite3_column_text(statement, i), sqlite3_column_bytes(statement, i));
    }
    chunk += '\n';
    if (chunk.size() >= kCopyChunk) send(conn, chunk);
  }
  if (step != SQLITE_DONE) throw DemoError(sqlite3_errmsg(db));
  if (!chunk.empty()) send(conn, chunk);
  if (PQputCopyEnd(conn, nullptr) != 1) throw DemoError(errorText(conn));
  Result ended(PQgetResult(conn));
  if (PQresultStatus(ended.get()) != PGRES_COMMAND_OK) throw DemoError(errorText(conn));
  while (Result(PQgetResult(conn)) != nullptr) {
  }
}

}  // namespace

DemoPostgres::DemoPostgres(std::string conninfo) : conninfo_(std::move(conninfo)) {}

std::string DemoPostgres::load(const std::string& path) {
  try {
    SqliteFile file(path);
    createDatabaseIfMissing(conninfo_);
    Connection conn = connect(conninfo_, kDatabase);
    exec(conn.get(), "BEGIN");
    exec(conn.get(), kSchema);
    for (const CopiedTable& table : kTables) copyTable(file.get(), conn.get(), table);
    exec(conn.get(), kIndexes);
    exec(conn.get(), "COMMIT");
    host_ = PQhost(conn.get());
    const std::string port = PQport(conn.get());
    port_ = port.empty() ? 0 : std::stoi(port);
    return {};
  } catch (const std::exception& error) {
    return std::string("PostgreSQL: ") + error.what();
  }
}
