#include "CsvOutputFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FilesTestSupport.h"
#include "LineQueue.h"
#include "OutputFolder.h"
#include "RunLog.h"

namespace {

const std::string kWriteFailed = ",【Failure】,ファイルへの書き込みが失敗しました。(";

// Whole exports roll every kind over at small limits in the end-to-end
// tests; here the limits they leave out: 1, where a file holds its header
// alone first, and 0, which is no limit.
TEST_F(CsvOutputFileTest, RollsOverAtALimitOfOneAndNeverAtZero) {
  for (const auto& [maxLines, kind] : {std::pair{1, "group"}, {0, "destination"}}) {
    CsvOutputFile file(maxLines);
    file.open(kind);
    for (int row = 1; row <= 2; ++row) EXPECT_EQ(file.writeRow({"r" + std::to_string(row)}), 0);
  }
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    written.push_back(entry.path().filename().string() + ": " + readFile(entry.path().string()));
  }
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, (std::vector<std::string>{"destination_1.csv: DGUID,NAME\r\nr1\r\nr2\r\n",
                                               "group_1.csv: GGUID,NAME,DGUID\r\n",
                                               "group_2.csv: GGUID,NAME,DGUID\r\nr1\r\n",
                                               "group_3.csv: GGUID,NAME,DGUID\r\nr2\r\n"}));
}

TEST_F(CsvOutputFileTest, LeavesAnExistingFileUntouchedAndReportsIt) {
  TempFolder elsewhere;
  output.hold(elsewhere.path());
  RunLog::open();
  output.hold(folder.path());
  writeFile(folder / "destination_1.csv", "old content\r\n");

  CsvOutputFile destinations(20000);
  EXPECT_EQ(destinations.open("destination"), kCsvFailure);
  EXPECT_EQ(destinations.writeRow({"r1"}), kCsvFailure);

  EXPECT_EQ(readFile(folder / "destination_1.csv"), "old content\r\n");
  // The open, the header and the row.
  const std::string failure = kWriteFailed + outputFolder + kPathSeparator + "destination_1.csv)";
  EXPECT_EQ(screen.warnings, (std::vector<std::string>{failure, failure, failure}));
  EXPECT_EQ(runLogLines(readFile(elsewhere / "Kexporter.log")), failureLines(screen.warnings));
}

// Lines wait to be written in batches: what ends the program from outside
// writes them first, as does a log line, which must not get ahead of them.
TEST_F(CsvOutputFileTest, WaitingLinesReachTheFileBeforeAnEndingOrALogLine) {
  CsvOutputFile tsis(0);
  tsis.open("tsi");
  tsis.writeRow({"a", "b"});
  LineQueue::writeBeforeEnd();
  std::string lines = "NAME,SENDER,DGUID\r\na,b\r\n";
  EXPECT_EQ(readFile(folder / "tsi_1.csv"), lines);

  const std::string longerThanABatch(70000, 'x');
  tsis.writeRow({longerThanABatch});
  tsis.writeRow({"c"});
  RunLog::open();
  RunLog::write(kTagSuccess, "after the rows", false);
  lines += longerThanABatch + "\r\nc\r\n";
  EXPECT_EQ(readFile(folder / "tsi_1.csv"), lines);
  EXPECT_EQ(tsis.close(), 0);
  EXPECT_EQ(readFile(folder / "tsi_1.csv"), lines);
}

}  // namespace
