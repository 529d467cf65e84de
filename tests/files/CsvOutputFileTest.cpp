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

// The run log's lines of failures shown with these messages.
std::vector<std::string> failureLines(std::vector<std::string> messages) {
  for (std::string& message : messages) message = ",【Failure】, " + message;
  return messages;
}

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
  EXPECT_EQ(file.writeRow({"after close"}), 0);

  EXPECT_EQ(readFile(folder / "destination_1.csv"),
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
  writeNumberedRows(3, "faxTray", 5);
  writeNumberedRows(1, "group", 2);
  writeNumberedRows(3, "tsi", 2);  // exactly full: no further file
  // No limit: everything in one file; a kind differing in case has no header.
  writeNumberedRows(0, "Destination", 4);

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
      {"tsi_1.csv", "NAME,SENDER,DGUID\r\nr1\r\nr2\r\n"},
  };
  std::vector<std::string> names;
  for (const auto& [name, bytes] : files) {
    EXPECT_EQ(readFile(folder / name), bytes) << name;
    names.push_back(name);
  }
  EXPECT_EQ(fileNames(), names);
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
  // The first file at its close, its rows being lost; each new file: its
  // open, its header, its row.
  const std::string first = kWriteFailed + outputFolder + "/destination_1.csv)";
  const std::string second = kWriteFailed + outputFolder + "/destination_2.csv)";
  const std::string third = kWriteFailed + outputFolder + "/destination_3.csv)";
  EXPECT_EQ(screen.warnings,
            (std::vector<std::string>{first, second, second, second, third, third, third}));
  EXPECT_EQ(logLines(logFolder / "Kexporter.log"), failureLines(screen.warnings));
}

TEST_F(CsvOutputFileTest, LeavesAnExistingFileOrSymbolicLinkUntouched) {
  TempFolder elsewhere;
  RunLog::open(elsewhere.path());
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
  EXPECT_EQ(logLines(elsewhere / "Kexporter.log"), failureLines(screen.warnings));
}

TEST_F(CsvOutputFileTest, WritesQuestionMarksForCharactersCp932CannotHoldAndLogsThem) {
  RunLog::open(folder.path());
  CsvOutputFile file(20000);
  file.open("tsi");
  EXPECT_EQ(file.writeRow({"\"café\"", "\"𠮷\"", "\"髙\""}), kCsvSubstituted);
  EXPECT_EQ(file.writeRow({"\"ok\""}), 0);
  file.close();

  EXPECT_EQ(readFile(folder / "tsi_1.csv"),
            "NAME,SENDER,DGUID\r\n\"caf?\",\"?\",\"\xfb\xfc\"\r\n\"ok\"\r\n");
  EXPECT_EQ(logLines(folder / "Kexporter.log"),
            std::vector<std::string>{",【Failure】, CP932に変換できない文字を?に置き換えました。(" +
                                     (folder / "tsi_1.csv") + ":2)"});
  EXPECT_TRUE(screen.warnings.empty());
}

}  // namespace
