// Bad input around the data, and data that strains the CSV files.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <sstream>
#include <utility>

#include "FaultTest.h"

namespace {

const std::string kInitialized = S + "データベースの初期化が成功しました。";
const std::string kInitFailed = "データベースの初期化が失敗しました。";
const std::string kNotInstalled = "Orvel Document Routerがインストールされている環境で利用してください。";

std::string randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

}  // namespace

// Each row spoils the installation further: a database SQLite opens but
// cannot read, then a registry that cannot be read at all. The run ends
// before the export with one warning and exit status 1, instead of hanging
// or exporting. How each library meets the other bad files (locked, not a
// database, malformed lines) is its own tests'.
TEST_F(FaultTest, BadRegistryOrDatabaseEndsTheRunEarly) {
  installation.sql(accountRows(20000));
  const fs::path registry = installation.root() / "registry.reg", database = installation.database();
  const struct {
    const char* what;
    std::function<void()> spoil;
    bool initialized;  // else the database client does not start
  } cases[] = {
      {"database cut half-way", [&] { fs::resize_file(database, fs::file_size(database) / 2); }, true},
      {"unreadable registry", [&] { fs::remove(registry);
                                       fs::create_directory(registry); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.spoil();
    clearOutput();
    const ProgramRun run = exportChecked();

    const std::string failure = c.initialized ? kNotInstalled : kInitFailed;
    std::vector<std::string> log = {kStarted, kInitialized, F + failure};
    if (!c.initialized) log.erase(log.begin() + 1);
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(log, installation.logLines());
    EXPECT_EQ(kTitle + failure + "\n", run.err);
    EXPECT_EQ("", run.out);  // no result is shown
    EXPECT_EQ(std::vector<std::string>{"Kexporter.log"}, installation.outputNames());
  }
}

// A VekPath beginning with "file:" is a folder name, not a URI with options
// of its own: a folder so named exports, and URI options open no other file.
TEST_F(FaultTest, VekPathBeginningWithFileIsAFolderName) {
  installation.sql(accountRows(1));
  const fs::path root = installation.root();
  fs::create_directories(root / "file:lit" / "data");
  fs::copy_file(installation.database(), root / "file:lit" / "data" / "ud_gwAddress.db");
  fs::create_directory(root / "x");
  fs::copy_file(installation.database(), root / "x" / "data");  // the file the URI names
  const std::string good = installation.registryText(), nxv5 = (root / "nxv5").string();
  const ScopedWorkingFolder working(root);  // the program takes the relative VekPath from here

  installation.registry(replaced(good, nxv5, "file:lit"));
  const ProgramRun literal = exportChecked();
  EXPECT_EQ(0, literal.status) << literal.err;
  EXPECT_NE(std::string::npos, installation.output("destination_1.csv").find(accountGuid(1)));

  clearOutput();
  installation.registry(replaced(good, nxv5, "file:" + (root / "x" / "data").string() + "?immutable=1&x="));
  const ProgramRun uri = exportChecked();
  EXPECT_EQ(1, uri.status);
  EXPECT_EQ(kTitle + kNotInstalled + "\n", uri.err);
  EXPECT_EQ(std::vector<std::string>{"Kexporter.log"}, installation.outputNames());
}

// Names as the data may hold them: 10,000 characters, a line break, bytes
// that are no text, characters that CP932 lacks. Each stays one field; what
// cannot be written becomes "?" and is logged, not shown, and fails the run.
TEST_F(FaultTest, UnusualNamesAreWrittenWholeAndSubstitutionsReported) {
  std::string longName, control = "\x7F", high;
  while (longName.size() < 30000) longName += "漢字かな";
  for (char c = 1; c < 0x20; ++c) control.insert(control.end() - 1, c);
  char hex[3];  // the bytes 80 to FF, as no UTF-8 reads them
  for (int c = 0x80; c <= 0xFF; ++c) std::snprintf(hex, sizeof hex, "%02X", c), high += hex;
  installation.sql("insert into umAccount(ac_guid, ac_id, ac_name, ac_storeTray) values"
                   "('G1', 1, '" + longName + "', 1), ('G2', 2, 'line1' || char(13, 10) || 'line2', 1),"
                   "('G3', 3, '" + control + "' || cast(X'" + high + "' as text), 1), ('G4', 4, 'é 𠮷 😀 ok', 1), ('G5', 5, 'ok', 1);");
  const ProgramRun run = exportChecked();

  EXPECT_EQ("DGUID,NAME\r\n\"G1\",\"" + cp932(longName) + "\"\r\n\"G2\",\"line1\r\nline2\"\r\n\"G3\",\"" +
                control + std::string(128, '?') + "\"\r\n\"G4\",\"? ? ? ok\"\r\n\"G5\",\"ok\"\r\n",
            installation.output("destination_1.csv"));
  const std::string path = (installation.outputFolder() / "destination_1.csv").string();
  std::vector<std::string> substitutions;  // of lines 4 and 5 only: each line reports its own
  for (const std::string& line : installation.logLines())
    if (line.starts_with(F + "CP932")) substitutions.push_back(line);
  const std::string substituted = F + "CP932に変換できない文字を?に置き換えました。(" + path;
  EXPECT_EQ((std::vector<std::string>{substituted + ":4)", substituted + ":5)"}), substitutions);
  EXPECT_EQ(1, run.status);
  EXPECT_EQ("あて先をエクスポート中です。\n", run.err);
}

// One group of 100,000 members is one line, every member in it. Settings of
// random bytes are no settings: the default separator applies.
TEST_F(FaultTest, GroupOfAHundredThousandMembersIsOneLine) {
  installation.settings(randomBytes(8192, 5));
  installation.sql(accountRows(1) +
                   "with recursive n(i) as (select 1 union all select i + 1 from n where i < 100000)"
                   " insert into umGroup select '" + accountGuid(1) + "', 'member' || i from n;");
  const ProgramRun run = exportChecked();
  EXPECT_EQ(0, run.status) << run.err;

  const std::string file = installation.output("group_1.csv");
  const std::string prefix = "GGUID,NAME,DGUID\r\n\"" + accountGuid(1) + "\",\"" + cp932("利用者 1") + "\",\"";
  ASSERT_TRUE(file.starts_with(prefix) && file.ends_with("\"\r\n"));
  // The database gives one owner's members in the order it finds them.
  std::istringstream list(file.substr(prefix.size(), file.size() - prefix.size() - 3));
  std::vector<int> written;
  for (std::string member; std::getline(list, member, '&');) written.push_back(std::stoi(member.substr(6)));
  std::sort(written.begin(), written.end());
  std::vector<int> members(100000);
  std::iota(members.begin(), members.end(), 1);
  EXPECT_EQ(members, written);
}
