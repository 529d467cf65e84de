// The source database fails the export: locked, damaged, not a database, or
// written to by the delivery service while it is read.
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "FaultTest.h"
#include "MessageGate.h"

namespace {

using std::chrono::seconds;


// Another process's connection to the installation's database, as the
// delivery service would hold one.
class Writer {
 public:
  explicit Writer(const fs::path& database) {
    sqlite3_open(database.c_str(), &db_);
    sqlite3_busy_timeout(db_, 100);
  }
  ~Writer() { sqlite3_close(db_); }
  int exec(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }

 private:
  sqlite3* db_ = nullptr;
};

void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}


}  // namespace

// The delivery service holds the database exclusively: the program waits
// its busy timeout, then gives up with the database-open failure.
TEST_F(FaultTest, DatabaseLockedExclusivelyFailsAfterTheBusyTimeoutWithoutHanging) {
  installation.sql(accountRows(10));
  recordInstallation();
  Writer service(installation.database());
  ASSERT_EQ(SQLITE_OK, service.exec("BEGIN EXCLUSIVE"));
  std::unique_ptr<ProgramProcess> program = start();
  ProgramRun run = finish(*program);
  service.exec("ROLLBACK");

  EXPECT_GE(program->elapsed(), seconds(4));
  EXPECT_LT(program->elapsed(), seconds(15));
  expectEarlyFailure(installation, run, {kStarted, kInitialized}, kNotInstalled);
  EXPECT_NE(std::string::npos, readFile(installation.root() / "messages.log").find("database is locked"));
}

// Damaged files: cut half-way, bytes that are no database, an empty file.
TEST_F(FaultTest, DamagedDatabasesFailCleanlyAndStayAsTheyAre) {
  installation.sql(accountRows(20000) + "insert into umGroup select ac_guid, ac_guid from umAccount;");
  const fs::path database = installation.database();
  std::mt19937 random(7);
  std::string junk(64 * 1024, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  const struct {
    const char* what;
    std::function<void()> damage;
    std::string failure;
  } cases[] = {
      {"cut half-way", [&] { fs::resize_file(database, fs::file_size(database) / 2); }, kNotInstalled},
      {"random bytes", [&] { writeBytes(database, junk); }, kNotInstalled},
      {"empty", [&] { writeBytes(database, ""); }, kAccessFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.damage();
    clearOutput();
    ProgramRun run = runProgram();
    if (c.failure == kNotInstalled) {
      expectEarlyFailure(installation, run, {kStarted, kInitialized}, c.failure);
      continue;
    }
    // An empty file opens as an empty database without tables: counting fails.
    EXPECT_EQ(1, run.status);
    EXPECT_NE(std::string::npos, run.err.find(kTitle + ": " + c.failure));
    EXPECT_NE(std::string::npos, run.out.find(kErrorResult));
    EXPECT_EQ((std::vector<std::string>{"Kexporter.log"}), installation.outputNames());
  }
}

// A page of the table is damaged in the middle of the file: counting (which
// reads the table's structure only) succeeds, reading its rows fails half-way.
// The rows before are written whole, and the run fails instead of reporting
// a complete table.
TEST_F(FaultTest, TableDamagedHalfWayFailsTheRunAfterTheRowsBefore) {
  const int tsis = 20000;
  installation.sql("with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
                   std::to_string(tsis) + ") insert into umTSI select 'T' || i, "
                   "printf('{%08X-0000-4000-8000-%012X}', i, i), 'Sender ' || i from n;");
  const fs::path database = installation.database();
  const std::uintmax_t page = 4096, middle = fs::file_size(database) / page / 2;
  {
    std::fstream file(database, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(middle * page + 1000));
    const std::string junk(page - 1000, '\xFF');  // the page's cells, not its header
    file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
  }
  ProgramRun run = runProgram();

  EXPECT_EQ(1, run.status);
  EXPECT_NE(std::string::npos, run.err.find(kTitle + ": " + kAccessFailed));
  const std::string csv = installation.output("tsi_1.csv");
  EXPECT_TRUE(wholeLines(csv));
  const std::size_t written = occurrences(csv, "\r\n") - 1;
  EXPECT_GT(written, 0u);
  EXPECT_LT(written, static_cast<std::size_t>(tsis));
  const std::vector<std::string> log = installation.logLines();
  EXPECT_NE(log.end(), std::find(log.begin(), log.end(), F + kAccessFailed));
  EXPECT_NE(log.end(), std::find(log.begin(), log.end(), S + "TSI数：" + std::to_string(written)));
  EXPECT_NE(std::string::npos, run.out.find(kErrorResult));
}

// The delivery service writes while the export reads (WAL journal, so the
// writer is not blocked): the files show the data as it was when the export
// began, and the counts agree with them.
TEST_F(FaultTest, WriterDuringTheExportDoesNotReachTheFiles) {
  installation.sql(accountRows(3000) + "PRAGMA journal_mode=WAL;"
                   "insert into umGroup values ('" + accountGuid(1) + "','m1');"
                   "insert into umTSI values ('T1','G','S');");
  Writer service(installation.database());  // keeps the WAL files in place
  ASSERT_EQ(SQLITE_OK, service.exec("select count(*) from umAccount"));
  for (const char* suffix : {"", "-wal", "-shm"}) mayChange.insert("nxv5/data/ud_gwAddress.db" + std::string(suffix));
  MessageGate gate(installation.root() / "messages.fifo");
  mayChange.insert("messages.fifo");
  LaunchOptions options;
  options.env = gate.env();
  std::unique_ptr<ProgramProcess> program = start(options);
  const fs::path destination = installation.outputFolder() / "destination_1.csv";
  ASSERT_TRUE(gate.holdWhen(program->pid(), [&] {
    return fs::exists(destination) && fs::file_size(destination) > 100;
  }));
  ASSERT_EQ(SQLITE_OK, service.exec("BEGIN;" + accountRows(500, 5001) +
                                    "delete from umAccount where ac_id between 2001 and 2500;"
                                    "insert into umGroup values ('" + accountGuid(2) + "','m2');"
                                    "delete from umTSI; COMMIT;"));
  gate.release();
  ProgramRun run = finish(*program);

  EXPECT_EQ(0, run.status) << run.err;
  const std::string csv = installation.output("destination_1.csv");
  EXPECT_EQ(3001u, occurrences(csv, "\r\n"));
  EXPECT_NE(std::string::npos, csv.find(accountGuid(2500)));
  EXPECT_EQ(std::string::npos, csv.find(accountGuid(5001)));
  EXPECT_EQ(cp932("GGUID,NAME,DGUID\r\n\"" + accountGuid(1) + "\",\"利用者 1\",\"m1\"\r\n"),
            installation.output("group_1.csv"));
  EXPECT_EQ(cp932("NAME,SENDER,DGUID\r\n\"T1\",\"S\",\"G\"\r\n"), installation.output("tsi_1.csv"));
  const std::vector<std::string> log = installation.logLines();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(S + "あて先数：3000", log[log.size() - 5]);
}
