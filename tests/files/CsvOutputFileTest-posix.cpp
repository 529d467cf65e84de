#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "CsvOutputFile.h"
#include "FilesTestSupport.h"

namespace {

const std::string kWriteFailed = ",【Failure】,ファイルへの書き込みが失敗しました。(";

// What only POSIX allows: links planted at a file's or the folder's name.

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
  EXPECT_EQ(runLogLines(readFile(logFolder / "Kexporter.log")), failureLines(screen.warnings));
  EXPECT_EQ(readFile(elsewhere / "target"), "target content");
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "faxTray_1.csv"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(elsewhere.path()), {}), 1);
}

}  // namespace
