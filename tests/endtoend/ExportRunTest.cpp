#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "Installation.h"

namespace {

const std::vector<std::string> kOpened = {kStarted, S + "データベースの初期化が成功しました。",
                                          S + "データベースのオープンが成功しました。"};
const std::vector<std::string> kCounted = {S + "データ件数取得が成功しました。(UMACCOUNT)",
                                           S + "データ件数取得が成功しました。(UMGROUP)",
                                           S + "データ件数取得が成功しました。(UMTSI)"};

std::string resultText(const Installation& installation, const std::string& body) {
  return "KLX to MPVコンバータ[エクスポータ]が終了しました。\n" + std::string(54, '-') + "\n\n" + body +
         "\n詳細は" + installation.outputFolder().string() + "を確認してください。\n";
}

std::vector<std::string> summary(int destinations, int groups, int excluded, int tsis) {
  return {S + "あて先数：" + std::to_string(destinations), S + "グループあて先数：" + std::to_string(groups),
          S + "受信トレイが設定されていないあて先数：" + std::to_string(excluded),
          S + "TSI数：" + std::to_string(tsis), S + "KLX to MPVコンバータ[エクスポータ]が終了しました。"};
}

// The run log's lines: the parts one after the other.
std::vector<std::string> lines(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The files of a kind, kind_1.csv, kind_2.csv ..., one after the other.
std::string files(const Installation& installation, const std::string& kind) {
  std::string all;
  for (int n = 1; fs::exists(installation.outputFolder() / (kind + "_" + std::to_string(n) + ".csv")); ++n)
    all += installation.output(kind + "_" + std::to_string(n) + ".csv");
  return all;
}

std::vector<std::string> exported(const std::string& table) {
  return {S + table + "のエクスポータを開始しました。", S + table + "のエクスポータが終了しました。"};
}

}  // namespace

// Files of at most three lines: every kind rolls over at the settings file's limit.
TEST(ExportRun, DestinationsFollowTheTrayRulesAndTsisKeepTheirFieldOrder) {
  Installation installation;
  installation.settings("[Kexporter]\nCSVMAXLINE=3\n");
  installation.sql(
      "insert into umAccount(ac_guid,ac_id,ac_name,ac_storeTray) values"
      "('G10',10,'say \"hi\"',1),('G1',1,'普通',1),('G2',2,'未転送ﾄﾚｲ',1),"
      "('G3',3,'ﾌｧｸｽ受信ﾄﾚｲ',1),('G4',4,'Zero',0),('G5',5,'未転送ﾄﾚｲ',2),"
      "('G6',6,'ﾌｧｸｽ受信ﾄﾚｲ',0),('G7',7,'Nul',NULL),('G8',8,'ﾌｧｸｽ受信ﾄﾚｲ',NULL),"
      "('G9',9,'ファクス受信トレイ',1),(NULL,11,NULL,1),('G12',12,'a,b',2),('G13',13,'',1);"
      "insert into umTSI values ('+81-3-1234','G1','本社'),('a,\"b\"','G2',NULL),('c','G3','');");
  ProgramRun run = installation.exportAll();

  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ(cp932("DGUID,NAME\r\n\"G1\",\"普通\"\r\n\"G9\",\"ファクス受信トレイ\"\r\nDGUID,NAME\r\n"
                  "\"G10\",\"say \"\"hi\"\"\"\r\n\"null\",\"null\"\r\nDGUID,NAME\r\n\"G13\",\"\"\r\n"),
            files(installation, "destination"));
  EXPECT_EQ(cp932("\"G2\",\"未転送ﾄﾚｲ\"\r\n\"G3\",\"ﾌｧｸｽ受信ﾄﾚｲ\"\r\n\"G4\",\"Zero\"\r\n"
                  "\"G5\",\"未転送ﾄﾚｲ\"\r\n\"G6\",\"ﾌｧｸｽ受信ﾄﾚｲ\"\r\n\"G12\",\"a,b\"\r\n"),
            files(installation, "excluded_destination"));
  EXPECT_EQ(cp932("\"G3\",\"ﾌｧｸｽ受信ﾄﾚｲ\"\r\n\"G6\",\"ﾌｧｸｽ受信ﾄﾚｲ\"\r\n"), installation.output("faxTray_1.csv"));
  EXPECT_EQ(cp932("NAME,SENDER,DGUID\r\n\"+81-3-1234\",\"本社\",\"G1\"\r\n"
                  "\"a,\"\"b\"\"\",\"null\",\"G2\"\r\nNAME,SENDER,DGUID\r\n\"c\",\"\",\"G3\"\r\n"),
            files(installation, "tsi"));
  // Six excluded rows fill two files exactly: no third.
  EXPECT_EQ((std::vector<std::string>{"Kexporter.log", "destination_1.csv", "destination_2.csv", "destination_3.csv",
                                      "excluded_destination_1.csv", "excluded_destination_2.csv", "faxTray_1.csv",
                                      "tsi_1.csv", "tsi_2.csv"}),
            installation.outputNames());
  EXPECT_EQ(lines({kOpened, kCounted, exported("umAccount"), exported("umTSI"), summary(5, 0, 6, 3)}),
            installation.logLines());
  EXPECT_EQ(resultText(installation, "正常終了しました。"), run.out);
}

// From the older generation's database, which the settings file chooses as
// it sets the separator and the line limit.
TEST(ExportRun, GroupsJoinMembersAndReportUnconvertibleOnes) {
  Installation installation;
  installation.settings("[kexporter]\n  version = \"V3\"\nGUIDSPLIT=<->\nCSVMAXLINE=3\n");
  installation.sql(
      "insert into umAccount(ac_guid,ac_id,ac_name,ac_storeTray) values"
      "('A',1,'営業部',NULL),('B',2,'総務',NULL),('C',3,'One',NULL),('D',4,'Lonely',NULL),"
      "('E',5,'Nulls',NULL);"
      "insert into umGroup values ('A','m1'),('A','m2'),('A','m3'),('C','solo'),"
      "('B','x'),('B','m5'),('D',''),('E',NULL),('E','m6');"
      "insert into umTSI values ('T','A','S');",
      "nxv4");
  ProgramRun run = installation.exportAll();

  EXPECT_EQ(1, run.status);
  EXPECT_EQ(cp932("GGUID,NAME,DGUID\r\n\"A\",\"営業部\",\"m1<->m2<->m3\"\r\n\"B\",\"総務\",\"<->m5\"\r\n"
                  "GGUID,NAME,DGUID\r\n\"C\",\"One\",\"solo\"\r\n\"D\",\"Lonely\",\"\"\r\n"
                  "GGUID,NAME,DGUID\r\n\"E\",\"Nulls\",\"null<->m6\"\r\n"),
            files(installation, "group"));
  // The unconvertible members fail the run, so the TSIs are not exported.
  EXPECT_EQ((std::vector<std::string>{"Kexporter.log", "destination_1.csv", "excluded_destination_1.csv",
                                      "faxTray_1.csv", "group_1.csv", "group_2.csv", "group_3.csv"}),
            installation.outputNames());
  EXPECT_EQ(lines({kOpened, kCounted, exported("umAccount"),
                   {S + "umGroupのエクスポータを開始しました。",
                    F + "グループ(\"B\")にはコンバータできないあて先データがあります。()",
                    F + "グループ(\"D\")にはコンバータできないあて先データがあります。()",
                    S + "umGroupのエクスポータが終了しました。"},
                   summary(0, 5, 0, 0)}),
            installation.logLines());
  EXPECT_EQ(resultText(installation, "エラーが発生しました。"), run.out);
}

// Runs that export no file: nothing to export, failures after the database
// opened (logged, shown, then the result). Failures before it opened: the
// bad-input tests.
TEST(ExportRun, RunsWithoutFilesAreLoggedAndShown) {
  const struct {
    const char* what;
    const char* sql;
    std::string err;  // progress texts and warnings; empty for a run that ends well
    std::vector<std::string> log;
    std::string result;  // the result text's body
  } cases[] = {
      {"empty tables", "", "", lines({kOpened, kCounted, summary(0, 0, 0, 0)}),
       "正常終了しました。\nエクスポートすべきデータはありませんでした。インポート実行の必要はありません。"},
      {"a count fails: no later count, no export",
       "insert into umAccount(ac_guid,ac_id) values ('G',1); drop table umGroup;", kTitle + kAccessFailed + "\n",
       lines({kOpened, {kCounted[0], F + kAccessFailed}, summary(0, 0, 0, 0)}), kErrorResult},
      {"the export query fails although the count worked",
       "alter table umAccount drop column ac_storeTray; insert into umAccount(ac_guid,ac_id) values ('G',1);",
       "あて先をエクスポート中です。\n" + kTitle + kAccessFailed + "\n",
       lines({kOpened, kCounted, {exported("umAccount")[0], F + kAccessFailed}, summary(0, 0, 0, 0)}), kErrorResult},
      {"group rows whose owner is no account: the join is empty, TSIs skipped",
       "insert into umGroup values ('nobody','m'); insert into umTSI values ('t','g','s');",
       "グループあて先をエクスポート中です。\n" + kTitle + kAccessFailed + "\n",
       lines({kOpened, kCounted, {exported("umGroup")[0], F + kAccessFailed}, summary(0, 0, 0, 0)}),
       kErrorResult},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Installation installation;
    installation.sql(c.sql);
    ProgramRun run = installation.exportAll();
    EXPECT_EQ(c.err.empty() ? 0 : 1, run.status);
    EXPECT_EQ(c.err, run.err);
    EXPECT_EQ(c.log, installation.logLines());
    EXPECT_EQ(std::vector<std::string>{"Kexporter.log"}, installation.outputNames());
    EXPECT_EQ(resultText(installation, c.result), run.out);
  }
}

// Group rows whose owner is no account are left out by the join without a
// word, and an account GUID twice doubles its group's members: the export
// writes what the join gives and ends normally; a check notes both.
TEST(ExportRun, RowsTheJoinDropsOrDoublesExportCleanlyAndTheCheckNotesThem) {
  Installation installation;
  installation.sql(
      "insert into umAccount(ac_guid,ac_id,ac_name,ac_storeTray) values"
      "('{A}',1,'Sales',1),('{A}',2,'Sales',1),('{B}',3,'Desk',1),(NULL,4,'x',1),(NULL,5,'y',1);"
      "insert into umGroup values ('{A}','{M1}'),('ghost','{X1}'),('{A}','{M2}'),('ghost','{X2}'),"
      "('{B}','{M3}'),('phantom','{X3}');"
      "insert into umTSI values ('T','{A}','S');");
  ProgramRun run = installation.exportAll();

  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ("DGUID,NAME\r\n\"{A}\",\"Sales\"\r\n\"{A}\",\"Sales\"\r\n\"{B}\",\"Desk\"\r\n"
            "\"null\",\"x\"\r\n\"null\",\"y\"\r\n",
            installation.output("destination_1.csv"));
  EXPECT_EQ("GGUID,NAME,DGUID\r\n\"{A}\",\"Sales\",\"{M1}&{M1}&{M2}&{M2}\"\r\n\"{B}\",\"Desk\",\"{M3}\"\r\n",
            installation.output("group_1.csv"));
  EXPECT_EQ("NAME,SENDER,DGUID\r\n\"T\",\"S\",\"{A}\"\r\n", installation.output("tsi_1.csv"));
  EXPECT_EQ(lines({kOpened, kCounted, exported("umAccount"), exported("umGroup"), exported("umTSI"),
                   summary(5, 2, 0, 1)}),
            installation.logLines());
  EXPECT_EQ(resultText(installation, "正常終了しました。"), run.out);

  ProgramRun check = installation.run({"--check"});
  EXPECT_EQ(0, check.status) << check.err;
  EXPECT_EQ("umAccount  \"{A}\"  note: 2 accounts have this GUID: each is written, and a group it owns lists "
            "every member 2 times\n"
            "umGroup  \"ghost\"  note: no account has this GUID: the group rows of this owner are not exported "
            "(2 rows)\n"
            "umGroup  \"phantom\"  note: no account has this GUID: the group rows of this owner are not exported "
            "(1 row)\n"
            "destination  5 rows  1 file\nexcluded_destination  0 rows  1 file\nfaxTray  0 rows  1 file\n"
            "group  2 rows  1 file\ntsi  1 row  1 file\n0 problems, 3 notes\n",
            check.out);
}

// Problems of every kind over the tables, one missing: a check lists them
// all on lines of their own, whatever the database texts hold; the export
// stops at the first.
TEST(ExportRun, CheckListsEveryProblemWhereTheExportStopsAtTheFirst) {
  Installation installation("Kexporterrun-check");
  installation.sql(
      "insert into umAccount(ac_guid,ac_id,ac_name,ac_storeTray) values"
      "('G1',1,'café',1),(char(13,10)||'0 problems'||char(27)||'[2J\\'||char(155),2,'Tray','x'),"
      "('G3',3,'Owner',NULL);"
      "insert into umGroup values ('G3','m1'),('G3','y'),('nobody','m2');"
      "drop table umTSI;");
  ProgramRun check = installation.run({"--check"});

  EXPECT_EQ(1, check.status);
  EXPECT_EQ("umTSI  the rows cannot be counted: the database access failed\n"
            "umAccount  \"G1\"  ac_name: U+00E9 \"é\" cannot be written in CP932\n"
            "umAccount  \"\\r\\n0 problems\\x1b[2J\\\\\\u009b\"  a value does not fit its column (rc = 0x80040E07)\n"
            "umGroup  \"G3\"  gr_guid: the member \"y\" cannot be converted\n"
            "umGroup  \"nobody\"  note: no account has this GUID: the group rows of this owner are not exported "
            "(1 row)\n"
            "destination  1 row  1 file\nexcluded_destination  0 rows  1 file\nfaxTray  0 rows  1 file\n"
            "group  1 row  1 file\ntsi  0 rows  0 files\n4 problems, 1 note\n",
            check.out);
  EXPECT_EQ(kTitle + kAccessFailed + "\nあて先をエクスポート中です。\nグループあて先をエクスポート中です。\n", check.err);
  EXPECT_EQ(std::vector<std::string>{}, installation.outputNames());

  ProgramRun run = installation.exportAll();
  EXPECT_EQ(1, run.status);
  EXPECT_EQ(kTitle + kAccessFailed + "\n", run.err);
  EXPECT_EQ(lines({kOpened, {kCounted[0], kCounted[1], F + kAccessFailed}, summary(0, 0, 0, 0)}),
            installation.logLines());

  // A report that cannot be written is no clean check.
  ProgramRun full = RunningProgram(installation, {"--check"}, {"", false, RLIM_INFINITY, {}, "/dev/full"}).finish();
  EXPECT_EQ(1, full.status);
  EXPECT_NE(std::string::npos, full.err.find("the check's report could not be written")) << full.err;
}

// On the demo installation a check agrees with an export on every count,
// rollover included, and leaves every folder as it was.
TEST(ExportRun, CheckCountsWhatTheExportWritesAndWritesNothing) {
  Installation installation("Kexporterrun-checkdemo");
  const fs::path demo = installation.root() / "demo";
  ASSERT_EQ(0, makeDemoInstallation("--dir " + demo.string()));
  installation.registry(readFile(demo / "registry.reg"));
  installation.settings("[Kexporter]\nCSVMAXLINE=50\n");
  // The files the harness itself writes for each run aside.
  const auto tree = [](const fs::path& root) {
    return folderTree(root, [](const std::string& name) {
      return name == "stdin.txt" || name == "stdout.txt" || name == "stderr.txt";
    });
  };
  const auto installationBefore = tree(installation.root());
  const auto workingFolderBefore = tree(fs::current_path());
  ProgramRun check = installation.run({"--check"});
  EXPECT_EQ(0, check.status) << check.err;
  EXPECT_EQ(installationBefore, tree(installation.root()));
  EXPECT_EQ(workingFolderBefore, tree(fs::current_path()));

  ProgramRun run = installation.exportAll();
  ASSERT_EQ(0, run.status) << run.err;
  // The rows (without headers) and files of each kind, as a check names them.
  std::map<std::string, int> rows;
  std::string counts;
  for (const std::string kind : {"destination", "excluded_destination", "faxTray", "group", "tsi"}) {
    int files = 0;
    for (const std::string& name : installation.outputNames()) {
      if (name.rfind(kind + "_", 0) != 0) continue;
      ++files;
      const std::string text = installation.output(name);
      for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++rows[kind];
      if (kind == "destination" || kind == "group" || kind == "tsi") --rows[kind];
    }
    counts += kind + "  " + std::to_string(rows[kind]) + (rows[kind] == 1 ? " row  " : " rows  ") +
              std::to_string(files) + (files == 1 ? " file\n" : " files\n");
    EXPECT_TRUE(kind != "destination" || files > 1) << "the limit of 50 rolls the destinations over";
  }
  EXPECT_EQ(counts + "0 problems, 0 notes\n", check.out);
  const std::vector<std::string> log = installation.logLines();
  EXPECT_EQ(summary(rows["destination"], rows["group"], rows["excluded_destination"], rows["tsi"]),
            std::vector<std::string>(log.end() - 5, log.end()));
}
