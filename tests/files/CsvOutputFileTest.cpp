#include "CsvOutputFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FilesTestSupport.h"
#include "OutputFolder.h"
#include "RunLog.h"

namespace {

const std::string kWriteFailed = ",【Failure】,ファイルへの書き込みが失敗しました。(";

// The CP932 bytes of whole files are compared by the end-to-end tests; here
// the numbering, the headers and the failures they cannot bring about.
TEST_F(CsvOutputFileTest, RollsOverToNumberedFilesAtTheLineLimit) {
  // Limit, kind, rows numbered 1..count with one field each.
  const std::tuple<int, const char*, int> runs[] = {
      {3, "destination", 5}, {3, "faxTray", 5}, {1, "group", 2}, {3, "tsi", 2}};
  for (const auto& [maxLines, kind, count] : runs) {
    CsvOutputFile file(maxLines);
    file.open(kind);
    for (int row = 1; row <= count; ++row) EXPECT_EQ(file.writeRow({"r" + std::to_string(row)}), 0);
  }
  const std::pair<const char*, const char*> files[] = {
      {"destination_1.csv", "DGUID,NAME\r\nr1\r\nr2\r\n"},
      {"destination_2.csv", "DGUID,NAME\r\nr3\r\nr4\r\n"},
      {"destination_3.csv", "DGUID,NAME\r\nr5\r\n"},
      {"faxTray_1.csv", "r1\r\nr2\r\nr3\r\n"},
      {"faxTray_2.csv", "r4\r\nr5\r\n"},
      {"group_1.csv", "GGUID,NAME,DGUID\r\n"},
      {"group_2.csv", "GGUID,NAME,DGUID\r\nr1\r\n"},
      {"group_3.csv", "GGUID,NAME,DGUID\r\nr2\r\n"},
      {"tsi_1.csv", "NAME,SENDER,DGUID\r\nr1\r\nr2\r\n"},  // exactly full: no further file
  };
  std::vector<std::string> expected, written;
  for (const auto& [name, bytes] : files) {
    EXPECT_EQ(readFile(folder / name), bytes) << name;
    expected.push_back(name);
  }
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    written.push_back(entry.path().filename().string());
  }
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, expected);

  // A limit of 0 is no limit; a kind differing in case has no header (in a
  // folder of its own, as Windows names ignore case).
  TempFolder other;
  output.hold(other.path());
  CsvOutputFile file(0);
  file.open("Destination");
  for (int row = 1; row <= 4; ++row) file.writeRow({"r" + std::to_string(row)});
  file.close();
  EXPECT_EQ(readFile(other / "Destination_1.csv"), "r1\r\nr2\r\nr3\r\nr4\r\n");
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
  EXPECT_EQ(logText(elsewhere / "Kexporter.log"), failureLog(screen.warnings));
}

}  // namespace
