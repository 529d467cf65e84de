#include "CsvOutputFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "FilesTestSupport.h"
#include "OutputFolder.h"
#include "RunLog.h"

namespace {

const std::string kWriteFailed = ",【Failure】,ファイルへの書き込みが失敗しました。(";

// The CP932 bytes of whole files are compared by the end-to-end tests; here
// the numbering, the headers and the failures they cannot bring about.
class CsvOutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override { output.hold(folder.path()); }
  void TearDown() override { RunLog::close(); }

  TempFolder folder;
  HeldOutputFolder output;
  RecordingFrontend screen;
};

TEST_F(CsvOutputFileTest, RollsOverToNumberedFilesAtTheLineLimit) {
  // Limit, kind, rows numbered 1..count with one field each. A limit of 0 is
  // no limit; a kind differing in case has no header.
  const std::tuple<int, const char*, int> runs[] = {
      {3, "destination", 5}, {3, "faxTray", 5}, {1, "group", 2}, {3, "tsi", 2}, {0, "Destination", 4}};
  for (const auto& [maxLines, kind, count] : runs) {
    CsvOutputFile file(maxLines);
    file.open(kind);
    for (int row = 1; row <= count; ++row) EXPECT_EQ(file.writeRow({"r" + std::to_string(row)}), 0);
  }
  const std::pair<const char*, const char*> files[] = {
      {"Destination_1.csv", "r1\r\nr2\r\nr3\r\nr4\r\n"},
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
    written.push_back(entry.path().filename());
  }
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, expected);
}

TEST_F(CsvOutputFileTest, ReportsEveryLineWhenTheFolderIsRemovedAfterTheFirstFile) {
  TempFolder logFolder;
  output.hold(logFolder.path());
  RunLog::open();
  std::filesystem::create_directory(folder / "out");
  output.hold(folder / "out");
  {
    CsvOutputFile file(2);
    EXPECT_EQ(file.open("destination"), 0);
    EXPECT_EQ(file.writeRow({"r1"}), 0);
    std::filesystem::remove_all(outputFolder);
    EXPECT_EQ(file.writeRow({"r2"}), kCsvFailure);
    EXPECT_EQ(file.writeRow({"r3"}), kCsvFailure);
  }
  // The first file at its close, its rows being lost; each new file: its
  // open, its header, its row.
  const std::string first = kWriteFailed + outputFolder + "/destination_1.csv)";
  const std::string second = kWriteFailed + outputFolder + "/destination_2.csv)";
  const std::string third = kWriteFailed + outputFolder + "/destination_3.csv)";
  EXPECT_EQ(screen.warnings, (std::vector<std::string>{first, second, second, second, third, third, third}));
  EXPECT_EQ(logText(logFolder / "Kexporter.log"), failureLog(screen.warnings));
}

TEST_F(CsvOutputFileTest, LeavesAnExistingFileOrSymbolicLinkUntouched) {
  TempFolder elsewhere;
  output.hold(elsewhere.path());
  RunLog::open();
  output.hold(folder.path());
  writeFile(folder / "destination_1.csv", "old content\r\n");
  writeFile(elsewhere / "target", "target content");
  ASSERT_EQ(symlink((elsewhere / "target").c_str(), (folder / "faxTray_1.csv").c_str()), 0);

  CsvOutputFile destinations(20000);
  EXPECT_EQ(destinations.open("destination"), kCsvFailure);
  EXPECT_EQ(destinations.writeRow({"r1"}), kCsvFailure);
  CsvOutputFile trays(20000);
  EXPECT_EQ(trays.open("faxTray"), kCsvFailure);

  EXPECT_EQ(readFile(folder / "destination_1.csv"), "old content\r\n");
  EXPECT_EQ(readFile(elsewhere / "target"), "target content");
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "faxTray_1.csv"));
  // The destinations' open, header and row; the trays' open.
  const std::string destination = kWriteFailed + (folder / "destination_1.csv") + ")";
  const std::string tray = kWriteFailed + (folder / "faxTray_1.csv") + ")";
  EXPECT_EQ(screen.warnings, (std::vector<std::string>{destination, destination, destination, tray}));
  EXPECT_EQ(logText(elsewhere / "Kexporter.log"), failureLog(screen.warnings));
}

// The folder's name given to a link between the checks and the export:
// nothing is created through the link; each creation fails and is reported.
TEST_F(CsvOutputFileTest, CreatesNothingThroughALinkAtTheOutputFolderName) {
  TempFolder elsewhere;
  RunLog::open();
  std::filesystem::create_directory_symlink(elsewhere.path(), folder / "out");
  for (const std::string name : {"out", "out/"}) {
    screen.warnings.clear();
    output.hold(folder / name);
    CsvOutputFile file(20000);
    EXPECT_EQ(file.open("destination"), kCsvFailure);
    EXPECT_EQ(file.writeRow({"r1"}), kCsvFailure);
    const std::string failure = kWriteFailed + outputFolder + "/destination_1.csv)";
    EXPECT_EQ(screen.warnings, (std::vector<std::string>{failure, failure, failure})) << name;
  }
  EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
}

}  // namespace
