// Faults that meet the export half-way: the disk fills, the output folder
// goes or turns read-only, the source database is written or damaged, the
// program is ended from outside.
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "FaultTest.h"

namespace {

// The CSV writer's report of a line it could not write to `file`.
std::string writeFailure(const Installation& installation, const std::string& file) {
  return ",【Failure】,ファイルへの書き込みが失敗しました。(" + (installation.outputFolder() / file).string() + ")";
}

// Takes away (or gives back) the right to create files in `folder`. Root
// passes over permission bits, so for root the folder is made immutable,
// which binds root too. False when that cannot be done.
bool setReadOnly(const fs::path& folder, bool readOnly) {
  if (geteuid() == 0) {
    const std::string chattr = std::string("chattr ") + (readOnly ? "+i " : "-i ") + folder.string() + " 2>/dev/null";
    return std::system(chattr.c_str()) == 0;
  }
  std::error_code missing;
  fs::permissions(folder, fs::perms::owner_write, readOnly ? fs::perm_options::remove : fs::perm_options::add,
                  missing);
  return !missing;
}

void expectWholeOutputFiles(const Installation& installation) {
  for (const std::string& name : installation.outputNames())
    EXPECT_TRUE(wholeLines(installation.output(name))) << name;
}

// Overwrites the cells of the page in the middle of the file, not its
// header: counting, which reads only the tables' structure, succeeds;
// reading the rows of that page fails.
void damageMiddlePage(const fs::path& database) {
  const std::string junk(4096 - 1000, '\xFF');
  const int fd = open(database.c_str(), O_WRONLY);
  EXPECT_EQ(static_cast<ssize_t>(junk.size()),
            pwrite(fd, junk.data(), junk.size(), static_cast<off_t>(fs::file_size(database) / 8192 * 4096 + 1000)));
  close(fd);
}

}  // namespace

// A file-size limit stands for a full disk: the first CSV file fills up.
TEST_F(FaultTest, FullDiskReportsEveryLostRowKeepsWholeLinesAndFailsTheRun) {
  const int accounts = 1400;  // about 80 KiB of destinations, 20 KiB of log
  installation.sql(accountRows(accounts) + "insert into umTSI values ('T1','G','S');");
  const ProgramRun run = exportChecked(64 * 1024);

  const std::size_t written = occurrences(installation.output("destination_1.csv"), "\r\n") - 1;  // no header
  ASSERT_TRUE(written > 500 && static_cast<int>(written) < accounts) << written;
  const std::string failure = writeFailure(installation, "destination_1.csv");
  EXPECT_EQ(accounts - written, occurrences(fromCp932(installation.output("Kexporter.log")), failure));
  EXPECT_EQ(accounts - written, occurrences(run.err, kTitle + failure));
  // The table goes on to its end, then the run ends as after any failure:
  // without the later tables, with the summary.
  EXPECT_FALSE(fs::exists(installation.outputFolder() / "tsi_1.csv"));
  const std::vector<std::string> log = installation.logLines();
  EXPECT_EQ(1, std::count(log.begin(), log.end(), S + "あて先数：" + std::to_string(accounts)));
  expectWholeOutputFiles(installation);
  EXPECT_EQ(1, run.status);
  EXPECT_NE(std::string::npos, run.out.find(kErrorResult)) << run.out;
}

// The output folder fails while destinations are written, 100 lines a file:
// what cannot be written is reported, the run fails and the later tables
// are not exported.
TEST_F(FaultTest, OutputFolderMadeReadOnlyOrRemovedMidExportFailsTheRun) {
  installation.settings("[Kexporter]\nCSVMAXLINE=100\n");
  installation.sql(accountRows(250) + "insert into umGroup values ('" + accountGuid(1) +
                   "','m1'); insert into umTSI values ('T1','G','S');");
  const fs::path folder = installation.outputFolder(), first = folder / "destination_1.csv";
  const struct {
    const char* what;
    std::function<bool()> act;  // false: the fault cannot be made on this machine
    std::vector<std::string> reported;
  } cases[] = {
      // The open files lost their names: their rows are reported lost.
      {"removed", [&] { return fs::remove_all(folder) > 0; },
       {"destination_1.csv", "excluded_destination_1.csv", "faxTray_1.csv"}},
      // The open first file is completed; its successors cannot be created.
      // Last, as the one case that a machine may not be able to make.
      {"made read-only", [&] { return setReadOnly(folder, true); }, {"destination_2.csv", "destination_3.csv"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::create_directories(folder);
    clearOutput();
    start(true);
    ASSERT_TRUE(holdWhen([&] { return readFile(first).size() > 100; }));
    const bool made = c.act();
    const ProgramRun run = finish();
    setReadOnly(folder, false);
    // Root on a file system without the immutable flag cannot be refused.
    if (!made) GTEST_SKIP() << c.what << ": not possible on this machine";

    EXPECT_EQ(1, run.status);
    EXPECT_NE(std::string::npos, run.out.find(kErrorResult)) << run.out;
    for (const std::string& file : c.reported)
      EXPECT_NE(std::string::npos, run.err.find(kTitle + writeFailure(installation, file))) << file;
    EXPECT_EQ(std::string::npos, run.err.find("group_1.csv"));
    if (fs::exists(folder)) expectWholeOutputFiles(installation);
  }
}

// The group rows are damaged in the middle of the third of four groups,
// which indexes let the database read in order without sorting first: the
// two groups before are written whole, the one cut short is named in the
// log instead of being written with part of its members, and the run fails
// instead of reporting a complete table.
TEST_F(FaultTest, GroupCutShortByADamagedTableIsNotWritten) {
  const auto members = [](int owner, int count) {
    return "with recursive n(i) as (select 1 union all select i + 1 from n where i < " + std::to_string(count) +
           ") insert into umGroup select '" + accountGuid(owner) + "', printf('member-%d-%0200d', " +
           std::to_string(owner) + ", i) from n;";
  };
  installation.sql(accountRows(4) + members(1, 13) + members(2, 13) + members(3, 5000) + members(4, 13) +
                   "create index umGroup_owner on umGroup(gr_ownerguid);"
                   "create unique index umAccount_guid on umAccount(ac_guid);");
  damageMiddlePage(installation.database());
  const ProgramRun run = exportChecked();

  EXPECT_EQ(1, run.status);
  EXPECT_NE(std::string::npos, run.err.find(kTitle + kAccessFailed));
  std::string groups = "GGUID,NAME,DGUID\r\n";
  for (int owner : {1, 2}) {
    groups += "\"" + accountGuid(owner) + "\",\"" + cp932("利用者 ") + std::to_string(owner) + "\",\"";
    for (int i = 1; i <= 13; ++i) {
      char member[256];
      std::snprintf(member, sizeof member, "member-%d-%0200d", owner, i);
      groups += (i > 1 ? "&" : "") + std::string(member);
    }
    groups += "\"\r\n";
  }
  EXPECT_EQ(groups, installation.output("group_1.csv"));
  const std::vector<std::string> log = installation.logLines();
  ASSERT_GE(log.size(), 8u);  // the group export's last lines, then the summary
  const std::vector<std::string> end(log.end() - 8, log.end() - 5);
  EXPECT_EQ((std::vector<std::string>{F + kAccessFailed,
                                      F + "グループ(\"" + accountGuid(3) +
                                          "\")はデータベースの読み込みが途中で失敗したため出力していません。",
                                      S + "umGroupのエクスポータが終了しました。"}),
            end);
  EXPECT_EQ(1, std::count(log.begin(), log.end(), S + "グループあて先数：2"));

  // A check does not count the rows it could read as the whole table.
  const ProgramRun check = installation.run({"--check"});
  EXPECT_EQ(1, check.status);
  const std::size_t stopped = check.out.find("umGroup  reading stopped after ");
  ASSERT_NE(std::string::npos, stopped) << check.out;
  EXPECT_EQ(" rows: the database access failed\n",
            check.out.substr(check.out.find(" rows", stopped), 34));
  EXPECT_NE(std::string::npos, check.out.find("\n1 problem, 0 notes\n")) << check.out;
}

// The program ended from outside while it writes, past the first file's
// rollover: whatever it wrote is whole lines.
TEST_F(FaultTest, EndedMidExportLeavesOnlyWholeLines) {
  installation.sql(accountRows(300000));
  const fs::path second = installation.outputFolder() / "destination_2.csv";
  for (int sig : {SIGTERM, SIGINT, SIGKILL}) {
    SCOPED_TRACE(sigabbrev_np(sig));
    clearOutput();
    start();
    waitUntil([&] { return !readFile(second).empty(); });
    signal(sig);
    const ProgramRun run = finish();

    EXPECT_EQ(128 + sig, run.status);
    expectWholeOutputFiles(installation);
    EXPECT_EQ(kStarted, installation.logLines().at(0));
  }
}
