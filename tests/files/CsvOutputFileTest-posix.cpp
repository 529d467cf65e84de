#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "CsvOutputFile.h"
#include "FilesTestSupport.h"

namespace {

const std::string kWriteFailed = ",【Failure】,ファイルへの書き込みが失敗しました。(";

// What only POSIX allows: a file-size limit, links planted at a file's or
// the folder's name.

// Two files written by turns, one of them filling up at the limit: it
// loses its later lines, each reported, and the other keeps every line
// once, though they went to the system in the same batches.
TEST_F(CsvOutputFileTest, AFileThatFillsUpLosesOnlyItsOwnLines) {
  TempFolder logFolder;
  output.hold(logFolder.path());
  RunLog::open();
  output.hold(folder.path());
  signal(SIGXFSZ, SIG_IGN);
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  rlimit limit = before;
  limit.rlim_cur = 3000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  CsvOutputFile full(0), other(0);
  full.open("destination");
  other.open("tsi");
  std::string otherLines = "NAME,SENDER,DGUID\r\n";
  for (int row = 0; row < 100; ++row) {
    full.writeRow({std::string(50, static_cast<char>('a' + row % 26))});
    other.writeRow({std::to_string(row)});
    otherLines += std::to_string(row) + "\r\n";
  }
  full.close();
  other.close();
  setrlimit(RLIMIT_FSIZE, &before);

  const std::string fullLines = readFile(folder / "destination_1.csv");
  EXPECT_EQ(fullLines.size(), 12 + 57 * 52u);  // the header and whole lines up to the limit
  EXPECT_EQ(fullLines.substr(fullLines.size() - 52), std::string(50, 'a' + 56 % 26) + "\r\n");
  EXPECT_EQ(screen.warnings, std::vector<std::string>(43, kWriteFailed + (folder / "destination_1.csv") + ")"));
  EXPECT_EQ(readFile(folder / "tsi_1.csv"), otherLines);
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
  EXPECT_EQ(runLogLines(readFile(logFolder / "Kexporter.log")), failureLines(screen.warnings));
  EXPECT_EQ(readFile(elsewhere / "target"), "target content");
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "faxTray_1.csv"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(elsewhere.path()), {}), 1);
}

}  // namespace
