#include "CsvOutputFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "FilesTestSupport.h"
#include "OutputFolder.h"
#include "RunLog.h"

namespace {

class CsvOutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override { outputFolder = folder.path(); }
  void TearDown() override {
    RunLog::close();
    outputFolder.clear();
  }

  // Writes rows numbered 1..count, one field each, into files of kind.
  void writeNumberedRows(int maxLines, const std::string& kind, int count) {
    CsvOutputFile file(maxLines);
    file.open(kind);
    for (int row = 1; row <= count; ++row) {
      EXPECT_EQ(file.writeRow({"r" + std::to_string(row)}), 0);
    }
  }

  std::vector<std::string> fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder folder;
  RecordingFrontend screen;
};

TEST_F(CsvOutputFileTest, WritesHeaderAndRowsAsCp932LinesEndingInCrLf) {
  CsvOutputFile file(20000);
  EXPECT_EQ(file.open("destination"), 0);
  EXPECT_EQ(file.writeRow({"\"{A-1}\"", "\"山田ｶﾀｶﾅ\""}), 0);
  EXPECT_EQ(file.writeRow({"\"a,b\"\"c\""}), 0);
  EXPECT_EQ(file.writeRow({""}), 0);
  EXPECT_EQ(file.writeRow({"", ""}), 0);
  file.close();
  file.close();
  EXPECT_EQ(file.writeRow({"after close"}), 0);

  EXPECT_EQ(readBytes(folder / "destination_1.csv"),
            "DGUID,NAME\r\n"
            "\"{A-1}\",\"\x8e\x52\x93\x63\xb6\xc0\xb6\xc5\"\r\n"
            "\"a,b\"\"c\"\r\n"
            "\r\n"
            ",\r\n");
  EXPECT_EQ(fileNames(), std::vector<std::string>{"destination_1.csv"});
  EXPECT_TRUE(screen.warnings.empty());
}

TEST_F(CsvOutputFileTest, RollsOverToNumberedFilesAtTheLineLimit) {
  writeNumberedRows(3, "destination", 5);
  EXPECT_EQ(readBytes(folder / "destination_1.csv"), "DGUID,NAME\r\nr1\r\nr2\r\n");
  EXPECT_EQ(readBytes(folder / "destination_2.csv"), "DGUID,NAME\r\nr3\r\nr4\r\n");
  EXPECT_EQ(readBytes(folder / "destination_3.csv"), "DGUID,NAME\r\nr5\r\n");

  writeNumberedRows(3, "faxTray", 5);
  EXPECT_EQ(readBytes(folder / "faxTray_1.csv"), "r1\r\nr2\r\nr3\r\n");
  EXPECT_EQ(readBytes(folder / "faxTray_2.csv"), "r4\r\nr5\r\n");

  writeNumberedRows(1, "group", 2);
  EXPECT_EQ(readBytes(folder / "group_1.csv"), "GGUID,NAME,DGUID\r\n");
  EXPECT_EQ(readBytes(folder / "group_2.csv"), "GGUID,NAME,DGUID\r\nr1\r\n");
  EXPECT_EQ(readBytes(folder / "group_3.csv"), "GGUID,NAME,DGUID\r\nr2\r\n");

  // Exactly full: no further file.
  writeNumberedRows(3, "tsi", 2);
  EXPECT_EQ(readBytes(folder / "tsi_1.csv"), "NAME,SENDER,DGUID\r\nr1\r\nr2\r\n");

  // No limit: everything in one file; a kind differing in case has no header.
  writeNumberedRows(0, "Destination", 4);
  EXPECT_EQ(readBytes(folder / "Destination_1.csv"), "r1\r\nr2\r\nr3\r\nr4\r\n");

  EXPECT_EQ(fileNames(), (std::vector<std::string>{
                             "Destination_1.csv", "destination_1.csv",
                             "destination_2.csv", "destination_3.csv",
                             "faxTray_1.csv", "faxTray_2.csv", "group_1.csv",
                             "group_2.csv", "group_3.csv", "tsi_1.csv"}));
  EXPECT_EQ(maxLinesPerFile, 0);
}

TEST_F(CsvOutputFileTest, ReportsEveryLineWhenTheFolderIsRemovedAfterTheFirstFile) {
  TempFolder logFolder;
  RunLog::open(logFolder.path());
  outputFolder = folder / "out";
  std::filesystem::create_directory(outputFolder);
  {
    CsvOutputFile file(2);
    EXPECT_EQ(file.open("destination"), 0);
    EXPECT_EQ(file.writeRow({"r1"}), 0);
    std::filesystem::remove_all(outputFolder);
    EXPECT_EQ(file.writeRow({"r2"}), kCsvFailure);
    EXPECT_EQ(file.writeRow({"r3"}), kCsvFailure);
  }
  std::string second = ",【Failure】,ファイルへの書き込みが失敗しました。(" +
                       outputFolder + "/destination_2.csv)";
  std::string third = ",【Failure】,ファイルへの書き込みが失敗しました。(" +
                      outputFolder + "/destination_3.csv)";
  // Each new file: its open, its header, its row.
  EXPECT_EQ(screen.warnings, (std::vector<std::string>{second, second, second,
                                                       third, third, third}));
  std::string log = readBytes(logFolder / "Kexporter.log");
  std::string secondLine = cp932(" ,【Failure】, " + second + "\r\n");
  std::string thirdLine = cp932(" ,【Failure】, " + third + "\r\n");
  auto count = [&log](const std::string& line) {
    int found = 0;
    for (auto at = log.find(line); at != std::string::npos;
         at = log.find(line, at + 1)) {
      ++found;
    }
    return found;
  };
  EXPECT_EQ(count(secondLine), 3);
  EXPECT_EQ(count(thirdLine), 3);
}

TEST_F(CsvOutputFileTest, LeavesAnExistingFileOrSymbolicLinkUntouched) {
  TempFolder elsewhere;
  RunLog::open(elsewhere.path());
  writeBytes(folder / "destination_1.csv", "old content\r\n");
  writeBytes(elsewhere / "target", "target content");
  ASSERT_EQ(symlink((elsewhere / "target").c_str(),
                    (folder / "faxTray_1.csv").c_str()), 0);

  CsvOutputFile destinations(20000);
  EXPECT_EQ(destinations.open("destination"), kCsvFailure);
  EXPECT_EQ(destinations.writeRow({"r1"}), kCsvFailure);
  CsvOutputFile trays(20000);
  EXPECT_EQ(trays.open("faxTray"), kCsvFailure);

  EXPECT_EQ(readBytes(folder / "destination_1.csv"), "old content\r\n");
  EXPECT_EQ(readBytes(elsewhere / "target"), "target content");
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "faxTray_1.csv"));
  ASSERT_EQ(screen.warnings.size(), 4u);  // open, header, row; open
  EXPECT_EQ(screen.warnings[0],
            ",【Failure】,ファイルへの書き込みが失敗しました。(" +
                (folder / "destination_1.csv") + ")");
  EXPECT_EQ(screen.warnings[3],
            ",【Failure】,ファイルへの書き込みが失敗しました。(" +
                (folder / "faxTray_1.csv") + ")");
}

TEST_F(CsvOutputFileTest, WritesQuestionMarksForCharactersCp932CannotHoldAndLogsThem) {
  RunLog::open(folder.path());
  CsvOutputFile file(20000);
  file.open("tsi");
  EXPECT_EQ(file.writeRow({"\"café\"", "\"𠮷\"", "\"髙\""}), kCsvSubstituted);
  EXPECT_EQ(file.writeRow({"\"ok\""}), 0);
  file.close();

  EXPECT_EQ(readBytes(folder / "tsi_1.csv"),
            "NAME,SENDER,DGUID\r\n\"caf?\",\"?\",\"\xfb\xfc\"\r\n\"ok\"\r\n");
  std::string expected = cp932(
      " ,【Failure】, CP932に変換できない文字を?に置き換えました。(" +
      (folder / "tsi_1.csv") + ":2)\r\n");
  std::string log = readBytes(folder / "Kexporter.log");
  ASSERT_GE(log.size(), expected.size());
  EXPECT_EQ(log.substr(log.size() - expected.size()), expected);
  EXPECT_EQ(log.find('\n'), log.size() - 1);  // the one line
  EXPECT_TRUE(screen.warnings.empty());
}

}  // namespace
