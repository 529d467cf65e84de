// The output folder fails under the export: a full disk, a folder removed or
// made read-only while the program writes into it.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "FaultTest.h"
#include "MessageGate.h"

namespace {

// The CSV writer's failure report for one file, as the log and the warning
// carry it (the message begins with the tag).
std::string writeFailure(const Installation& installation, const std::string& file) {
  return ",【Failure】,ファイルへの書き込みが失敗しました。(" +
         (installation.outputFolder() / file).string() + ")";
}

std::size_t lineCount(const std::string& bytes) { return occurrences(bytes, "\r\n"); }

// A folder nobody may create files in. Root passes over permission bits, so
// for root the folder is made immutable, which binds root too.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const fs::path& folder) : folder_(folder) {
    if (geteuid() != 0) {
      fs::permissions(folder_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
      done_ = true;
      return;
    }
    done_ = setFlags(FS_IMMUTABLE_FL);
  }
  ~ReadOnlyFolder() {
    if (geteuid() == 0) setFlags(0);
    else fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
  }
  bool done() const { return done_; }

 private:
  bool setFlags(int flags) {
    const int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int current = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &current) == 0;
    current = (current & ~FS_IMMUTABLE_FL) | flags;
    ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &current) == 0;
    close(fd);
    return ok;
  }

  fs::path folder_;
  bool done_ = false;
};

}  // namespace

// A file-size limit stands for a full disk: the first CSV file fills up.
TEST_F(FaultTest, FullDiskReportsEveryLostRowKeepsWholeLinesAndFailsTheRun) {
  const int accounts = 1400;  // about 80 KiB of destinations, 20 KiB of log
  installation.sql(accountRows(accounts) + "insert into umTSI values ('T1','G','S');");
  LaunchOptions options;
  options.fileSizeLimit = 64 * 1024;
  ProgramRun run = runProgram(options);

  const std::string csv = installation.output("destination_1.csv");
  EXPECT_TRUE(wholeLines(csv));
  EXPECT_LE(csv.size(), 64u * 1024);
  const std::size_t written = lineCount(csv) - 1;  // without the header
  ASSERT_GT(written, 500u);
  ASSERT_LT(written, static_cast<std::size_t>(accounts));
  // What reached the file is the beginning of the table, row for row.
  for (std::size_t id : {std::size_t(1), written})
    EXPECT_NE(std::string::npos, csv.find("\"" + accountGuid(static_cast<int>(id)) + "\"")) << id;

  const std::string failure = writeFailure(installation, "destination_1.csv");
  const std::size_t lost = accounts - written;
  EXPECT_EQ(lost, occurrences(fromCp932(installation.output("Kexporter.log")), failure));
  EXPECT_EQ(lost, occurrences(run.err, kTitle + ": " + failure));
  // The table goes on to its end, then the run ends as after any failure:
  // without the later tables, with the summary.
  EXPECT_EQ((std::vector<std::string>{"Kexporter.log", "destination_1.csv",
                                      "excluded_destination_1.csv", "faxTray_1.csv"}),
            installation.outputNames());
  const std::vector<std::string> log = installation.logLines();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(S + "あて先数：" + std::to_string(accounts), log[log.size() - 5]);
  EXPECT_EQ(S + "KLX to MPVコンバータ[エクスポータ]が終了しました。", log.back());
  expectWholeOutputFiles(installation);
  // Rows were lost: the run failed, whatever the summary counted.
  EXPECT_EQ(1, run.status);
  EXPECT_NE(std::string::npos, run.out.find(kErrorResult)) << run.out;
}

// The folder disappears after the destination files were made and rows were
// written: nothing of the export may land anywhere else, and the files that
// cannot be made are reported.
TEST_F(FaultTest, OutputFolderRemovedMidExportFailsTheRunAndWritesNowhereElse) {
  installation.sql(accountRows(300) + "insert into umGroup values ('" + accountGuid(1) + "','m1');"
                   "insert into umTSI values ('T1','G','S');");
  MessageGate gate(installation.root() / "messages.fifo");
  mayChange.insert("messages.fifo");
  LaunchOptions options;
  options.env = gate.env();
  std::unique_ptr<ProgramProcess> program = start(options);
  const fs::path destination = installation.outputFolder() / "destination_1.csv";
  ASSERT_TRUE(gate.holdWhen(program->pid(), [&] {
    return fs::exists(destination) && fs::file_size(destination) > 100;
  }));
  fs::remove_all(installation.outputFolder());
  gate.release();
  ProgramRun run = finish(*program);

  EXPECT_FALSE(fs::exists(installation.outputFolder()));
  EXPECT_EQ(1, run.status);
  // The destination files lost their names while they were written: their
  // rows are reported lost, and the later tables are not exported.
  for (const char* file : {"destination_1.csv", "excluded_destination_1.csv", "faxTray_1.csv"})
    EXPECT_NE(std::string::npos, run.err.find(kTitle + ": " + writeFailure(installation, file))) << file;
  EXPECT_EQ(std::string::npos, run.err.find("group_1.csv"));
  EXPECT_NE(std::string::npos, run.out.find(kErrorResult)) << run.out;
}

// The folder becomes read-only in the middle of the destination export,
// which then rolls over into a file it cannot create.
TEST_F(FaultTest, OutputFolderMadeReadOnlyMidExportReportsTheFilesItCannotCreate) {
  installation.settings("[Kexporter]\nCSVMAXLINE=100\n");
  installation.sql(accountRows(250));
  MessageGate gate(installation.root() / "messages.fifo");
  mayChange.insert("messages.fifo");
  LaunchOptions options;
  options.env = gate.env();
  std::unique_ptr<ProgramProcess> program = start(options);
  const fs::path destination = installation.outputFolder() / "destination_1.csv";
  ASSERT_TRUE(gate.holdWhen(program->pid(), [&] {
    return fs::exists(destination) && fs::file_size(destination) > 100;
  }));
  ProgramRun run;
  {
    ReadOnlyFolder readOnly(installation.outputFolder());
    if (!readOnly.done()) {
      gate.release();
      program->wait();
      GTEST_SKIP() << "this file system cannot make a folder read-only for root";
    }
    gate.release();
    run = finish(*program);
  }

  // The first file was open already and is complete; its successors could
  // not be created.
  EXPECT_EQ(100u, lineCount(installation.output("destination_1.csv")));
  EXPECT_EQ((std::vector<std::string>{"Kexporter.log", "destination_1.csv",
                                      "excluded_destination_1.csv", "faxTray_1.csv"}),
            installation.outputNames());
  const std::string log = fromCp932(installation.output("Kexporter.log"));
  for (const char* file : {"destination_2.csv", "destination_3.csv"}) {
    EXPECT_NE(std::string::npos, log.find(writeFailure(installation, file))) << file;
    EXPECT_NE(std::string::npos, run.err.find(kTitle + ": " + writeFailure(installation, file))) << file;
  }
  expectWholeOutputFiles(installation);
  EXPECT_EQ(1, run.status);
}
