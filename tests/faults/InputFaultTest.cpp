// Bad input around the data: registry and settings files, and data that
// strains the CSV files.
#include <algorithm>
#include <cstdio>
#include <random>

#include "FaultTest.h"

namespace {

const std::string kInitFailed = "データベースの初期化が失敗しました。";

std::string randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

// A group line as the export writes it, members joined by `split`.
std::string groupLine(const std::string& owner, const std::string& name,
                      const std::vector<std::string>& members, const std::string& split) {
  std::string line = "\"" + owner + "\",\"" + name + "\",\"";
  for (std::size_t i = 0; i < members.size(); ++i) line += (i ? split : "") + members[i];
  return line + "\"\r\n";
}

}  // namespace

TEST_F(FaultTest, BadRegistryFilesEndTheRunEarly) {
  installation.sql(accountRows(3));
  const fs::path registry = installation.root() / "registry.reg";
  const std::string good = installation.defaultRegistry();
  const struct {
    const char* what;
    std::function<void()> make;
    std::vector<std::string> before;
    std::string failure;
  } cases[] = {
      {"malformed lines",
       [&] {
         installation.registry(replaced(replaced(good, "GW\\VEK]", "GW\\VEK"), "\"VekPath\"=\"",
                                        "\"VekPath\"=\"\\"));
       },
       {kStarted}, kInitFailed},
      {"binary", [&] { installation.registry(randomBytes(4096, 11)); }, {kStarted}, kInitFailed},
      {"unreadable",
       [&] {
         fs::remove(registry);
         fs::create_directory(registry);  // unreadable as a file, for root too
       },
       {kStarted}, kInitFailed},
      {"missing", [&] { fs::remove_all(registry); }, {kStarted}, kInitFailed},
      {"top path that does not exist",
       [&] {
         fs::remove_all(registry);
         installation.registry(replaced(good, installation.root().string() + "/nxv5", "/nonexistent/nxv5"));
       },
       {kStarted, kInitialized}, kNotInstalled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.make();
    clearOutput();
    ProgramRun run = runProgram();
    expectEarlyFailure(installation, run, c.before, c.failure);
  }
  EXPECT_NE(std::string::npos,
            readFile(installation.root() / "messages.log").find("Malformed registry line skipped"));
}

// Settings that make no sense are no settings: the defaults apply. A
// separator of the longest allowed length is used whole, a longer one cut.
TEST_F(FaultTest, SettingsOfRandomBytesGiveTheDefaultsAndLongSeparatorsAreCut) {
  installation.sql(accountRows(2) + "insert into umGroup values ('" + accountGuid(1) + "','m1'),('" +
                   accountGuid(1) + "','m2');");
  const std::string groupFile = "group_1.csv";
  installation.settings(randomBytes(8192, 5));
  ProgramRun run = runProgram();
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ(cp932("GGUID,NAME,DGUID\r\n" + groupLine(accountGuid(1), "利用者 1", {"m1", "m2"}, "&")),
            installation.output(groupFile));

  std::string split;
  for (int i = 0; split.size() < 1500; ++i) split += static_cast<char>('a' + i % 26);
  for (std::size_t length : {std::size_t(1023), std::size_t(1500)}) {
    SCOPED_TRACE(length);
    installation.settings("[Kexporter]\r\nGUIDSPLIT=" + split.substr(0, length) + "\r\n");
    clearOutput();
    run = runProgram();
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(cp932("GGUID,NAME,DGUID\r\n" +
                    groupLine(accountGuid(1), "利用者 1", {"m1", "m2"}, split.substr(0, 1023))),
              installation.output(groupFile));
  }
}

// Names as the data may hold them: very long, with line breaks, quotes and
// commas, bytes that are no text, and characters that CP932 lacks. Each row
// stays one field in one line; what cannot be written as it is becomes "?"
// and is reported, which fails the run.
TEST_F(FaultTest, UnusualNamesAreWrittenWholeAndSubstitutionsReported) {
  std::string longName;
  while (longName.size() < 30000) longName += "漢字かな";  // 10,000 characters
  std::string control;
  for (int c = 1; c < 0x20; ++c) control += static_cast<char>(c);
  control += '\x7F';
  std::string blob;
  char hex[3];
  for (unsigned char c : control) std::snprintf(hex, sizeof hex, "%02X", c), blob += hex;
  for (int c = 0x80; c <= 0xFF; ++c) std::snprintf(hex, sizeof hex, "%02X", c), blob += hex;
  installation.sql("insert into umAccount(ac_guid, ac_id, ac_name, ac_storeTray) values"
                   "('G1', 1, '" + longName + "', 1), ('G2', 2, 'line1' || char(13, 10) || 'line2', 1),"
                   "('G3', 3, 'say \"hi\", ok', 1), ('G4', 4, cast(X'" + blob + "' as text), 1),"
                   "('G5', 5, 'é 𠮷 😀 ok', 1), ('G6', 6, '髙橋〜−—‖', 1);");
  ProgramRun run = runProgram();

  const std::string expected = "DGUID,NAME\r\n\"G1\",\"" + cp932(longName) + "\"\r\n" +
                               "\"G2\",\"line1\r\nline2\"\r\n" + "\"G3\",\"say \"\"hi\"\", ok\"\r\n" +
                               "\"G4\",\"" + control + std::string(128, '?') + "\"\r\n" +
                               "\"G5\",\"? ? ? ok\"\r\n" + "\"G6\",\"\xFB\xFC\x8B\xB4\x81\x60\x81\x7C\x81\x5C\x81\x61\"\r\n";
  EXPECT_EQ(expected, installation.output("destination_1.csv"));
  const std::string path = (installation.outputFolder() / "destination_1.csv").string();
  const std::vector<std::string> log = installation.logLines();
  for (const char* line : {":5)", ":6)"}) {
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(),
                                   F + "CP932に変換できない文字を?に置き換えました。(" + path + line))
        << line;
  }
  EXPECT_EQ(1, run.status);
  EXPECT_TRUE(wholeLines(installation.output("Kexporter.log")));
}

// One group with 100,000 members is one line; only that line grows.
TEST_F(FaultTest, GroupOfAHundredThousandMembersIsOneLine) {
  installation.sql(accountRows(1) +
                   "with recursive n(i) as (select 1 union all select i + 1 from n where i < 100000)"
                   " insert into umGroup select '" + accountGuid(1) + "',"
                   " printf('{%08X-1111-4000-8000-%012X}', i, i) from n;");
  std::unique_ptr<ProgramProcess> program = start();
  ProgramRun run = finish(*program);
  EXPECT_EQ(0, run.status) << run.err;

  std::vector<std::string> members;
  char guid[48];
  for (int i = 1; i <= 100000; ++i) {
    std::snprintf(guid, sizeof guid, "{%08X-1111-4000-8000-%012X}", i, i);
    members.push_back(guid);
  }
  // The database orders members of one owner as it finds them; compare the
  // set by sorting both.
  const std::string file = installation.output("group_1.csv");
  const std::string header = "GGUID,NAME,DGUID\r\n";
  ASSERT_EQ(0u, file.find(header));
  const std::string prefix = header + "\"" + accountGuid(1) + "\",\"" + cp932("利用者 1") + "\",\"";
  ASSERT_EQ(0u, file.find(prefix));
  ASSERT_EQ("\"\r\n", file.substr(file.size() - 3));
  std::vector<std::string> written;
  const std::string list = file.substr(prefix.size(), file.size() - prefix.size() - 3);
  for (std::size_t start = 0, end; start <= list.size(); start = end + 1) {
    end = list.find('&', start);
    if (end == std::string::npos) end = list.size();
    written.push_back(list.substr(start, end - start));
  }
  std::sort(written.begin(), written.end());
  EXPECT_EQ(members, written);
  const std::vector<std::string> log = installation.logLines();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(S + "グループあて先数：1", log[log.size() - 4]);
  // The line is 3.9 MB; the program holds it a few times over, nothing more.
  EXPECT_LT(program->peakKib(), 96 * 1024);
  std::printf("peak memory with a group of 100,000 members: %ld KiB\n", program->peakKib());
}
