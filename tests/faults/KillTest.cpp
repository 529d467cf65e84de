// The program is ended from outside while it writes: whatever it wrote is
// whole lines, and the source database is untouched.
#include <signal.h>
#include <string.h>

#include <thread>

#include "FaultTest.h"

namespace {

class KillTest : public FaultTest, public ::testing::WithParamInterface<int> {};

}  // namespace

TEST_P(KillTest, EndedMidExportLeavesOnlyWholeLines) {
  const int sig = GetParam();
  installation.sql(accountRows(300000));
  std::unique_ptr<ProgramProcess> program = start();
  // Strike while rows are being written, past the first file's rollover.
  const fs::path second = installation.outputFolder() / "destination_2.csv";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!(fs::exists(second) && fs::file_size(second) > 0) && program->running() &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  ASSERT_TRUE(program->running()) << "the export ended before it could be interrupted";
  program->signal(sig);
  ProgramRun run = finish(*program);

  EXPECT_EQ(128 + sig, run.status);
  expectWholeOutputFiles(installation);
  const std::vector<std::string> log = installation.logLines();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(kStarted, log.front());
  for (const std::string& line : log) EXPECT_EQ(std::string::npos, line.find("UNTERMINATED")) << line;
}

INSTANTIATE_TEST_SUITE_P(Signals, KillTest, ::testing::Values(SIGTERM, SIGINT, SIGKILL),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(sigabbrev_np(info.param));
                         });

// Output that nobody reads any more (a pipe into a program that has ended)
// does not end the export half-way.
TEST_F(FaultTest, ClosedOutputPipeDoesNotStopTheExport) {
  installation.sql(accountRows(50) + "insert into umTSI values ('T1','G','S');");
  LaunchOptions options;
  options.outputToClosedPipe = true;
  ProgramRun run = runProgram(options);
  EXPECT_EQ(0, run.status);
  EXPECT_EQ(51u, occurrences(installation.output("destination_1.csv"), "\r\n"));
  EXPECT_EQ(cp932("NAME,SENDER,DGUID\r\n\"T1\",\"S\",\"G\"\r\n"), installation.output("tsi_1.csv"));
}
