#include "FaultTest.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

const std::string kTitle = "KLX to MPVコンバータ[エクスポータ]";
const std::string S = ",【Success】, ";
const std::string F = ",【Failure】, ";
const std::string kStarted = S + "KLX to MPVコンバータ[エクスポータ]を開始しました";
const std::string kInitialized = S + "データベースの初期化が成功しました。";
const std::string kNotInstalled = "Orvel Document Routerがインストールされている環境で利用してください。";
const std::string kAccessFailed = "データベースのアクセスが失敗しました。";
const std::string kErrorResult = "エラーが発生しました。";

namespace {

std::string programName() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("Kexporterrun-f-") + (test ? test->name() : "faults");
  // Parameterised tests carry "/" in their names; the guard keeps 107 bytes.
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';
  }
  return name.substr(0, 100);
}

}  // namespace

FaultTest::FaultTest() : installation(programName()) {}

void FaultTest::recordInstallation() {
  std::set<std::string> skip = mayChange;
  skip.insert("out");
  skip.insert("messages.log");
  for (const std::string& name : ProgramProcess::kCaptureFiles) skip.insert(name);
  tree_.emplace(installation.root(), skip);
  recorded_ = true;
}

std::unique_ptr<ProgramProcess> FaultTest::start(const LaunchOptions& options) {
  if (!recorded_) recordInstallation();
  recorded_ = false;
  return std::make_unique<ProgramProcess>(installation, options);
}

ProgramRun FaultTest::finish(ProgramProcess& process) {
  ProgramRun run = process.wait();
  EXPECT_NE(-1, run.status) << "the program did not end within a minute";
  EXPECT_EQ("", tree_->changesSince()) << "outside the output folder";
  return run;
}

ProgramRun FaultTest::runProgram(const LaunchOptions& options) {
  std::unique_ptr<ProgramProcess> process = start(options);
  return finish(*process);
}

void FaultTest::clearOutput() {
  for (const auto& entry : fs::directory_iterator(installation.outputFolder())) fs::remove_all(entry);
}

std::string accountGuid(int id) {
  char text[48];
  std::snprintf(text, sizeof text, "{%08X-0000-4000-8000-%012X}", id, id);
  return text;
}

std::string accountRows(int count, int firstId, const std::string& tray) {
  return "with recursive n(i) as (select " + std::to_string(firstId) +
         " union all select i + 1 from n where i < " + std::to_string(firstId + count - 1) +
         ") insert into umAccount(ac_guid, ac_id, ac_name, ac_storeTray) select "
         "printf('{%08X-0000-4000-8000-%012X}', i, i), i, '利用者 ' || i, " + tray + " from n;";
}

::testing::AssertionResult wholeLines(const std::string& bytes) {
  if (bytes.empty()) return ::testing::AssertionSuccess();
  if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0)
    return ::testing::AssertionFailure() << "the last line is cut: ..."
                                         << bytes.substr(bytes.size() > 80 ? bytes.size() - 80 : 0);
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    if (at == 0 || bytes[at - 1] != '\r')
      return ::testing::AssertionFailure() << "a line feed without carriage return at " << at;
  }
  try {
    fromCp932(bytes);
  } catch (const std::exception&) {
    return ::testing::AssertionFailure() << "not CP932 text";
  }
  return ::testing::AssertionSuccess();
}

void expectWholeOutputFiles(const Installation& installation) {
  for (const std::string& name : installation.outputNames())
    EXPECT_TRUE(wholeLines(installation.output(name))) << name;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void expectEarlyFailure(const Installation& installation, const ProgramRun& run,
                        const std::vector<std::string>& before, const std::string& failure) {
  EXPECT_EQ(1, run.status);
  std::vector<std::string> log = before;
  log.push_back(F + failure);
  EXPECT_EQ(log, installation.logLines());
  EXPECT_EQ(kTitle + ": " + failure + "\n", run.err);
  EXPECT_EQ((std::vector<std::string>{"Kexporter.log"}), installation.outputNames());
}
