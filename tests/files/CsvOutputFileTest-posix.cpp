#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "CsvOutputFile.h"
#include "FilesTestSupport.h"

namespace {

const std::string kWriteFailed = ",【Failure】,ファイルへの書き込みが失敗しました。(";

// What only POSIX allows: a held folder removed, links planted.

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

// A link at a file's name, or at the output folder's name between the checks
// and the export: nothing is created or written through it; each creation
// fails and is reported.
TEST_F(CsvOutputFileTest, WritesNothingThroughALink) {
  TempFolder logFolder, elsewhere;
  output.hold(logFolder.path());
  RunLog::open();
  writeFile(elsewhere / "target", "target content");
  ASSERT_EQ(symlink((elsewhere / "target").c_str(), (folder / "faxTray_1.csv").c_str()), 0);
  std::filesystem::create_directory_symlink(elsewhere.path(), folder / "out");
  std::vector<std::string> expected;
  output.hold(folder.path());
  EXPECT_EQ(CsvOutputFile(20000).open("faxTray"), kCsvFailure);
  expected.push_back(kWriteFailed + (folder / "faxTray_1.csv") + ")");
  for (const std::string name : {"out", "out/"}) {
    output.hold(folder / name);
    CsvOutputFile file(20000);
    EXPECT_EQ(file.open("destination"), kCsvFailure);
    EXPECT_EQ(file.writeRow({"r1"}), kCsvFailure);
    // The open, the header and the row.
    expected.insert(expected.end(), 3, kWriteFailed + outputFolder + "/destination_1.csv)");
  }
  EXPECT_EQ(screen.warnings, expected);
  EXPECT_EQ(logText(logFolder / "Kexporter.log"), failureLog(screen.warnings));
  EXPECT_EQ(readFile(elsewhere / "target"), "target content");
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "faxTray_1.csv"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(elsewhere.path()), {}), 1);
}

}  // namespace
