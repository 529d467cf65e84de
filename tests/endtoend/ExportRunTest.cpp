#include <gtest/gtest.h>

#include "Installation.h"

namespace {

const std::string kRule(54, '-');
const std::string kTitle = "KLX to MPVコンバータ[エクスポータ]: ";

std::string resultText(const Installation& installation, const std::string& body) {
  return "KLX to MPVコンバータ[エクスポータ]が終了しました。\n" + kRule + "\n\n" + body +
         "\n詳細は" + installation.outputFolder().string() + "を確認してください。\n";
}

std::vector<std::string> summary(int destinations, int groups, int excluded, int tsis) {
  const std::string s = ",【Success】, ";
  return {s + "あて先数：" + std::to_string(destinations),
          s + "グループあて先数：" + std::to_string(groups),
          s + "受信トレイが設定されていないあて先数：" + std::to_string(excluded),
          s + "TSI数：" + std::to_string(tsis), s + "KLX to MPVコンバータ[エクスポータ]が終了しました。"};
}

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string S = ",【Success】, ";
const std::string F = ",【Failure】, ";
const std::vector<std::string> kOpened = {
    S + "KLX to MPVコンバータ[エクスポータ]を開始しました", S + "データベースの初期化が成功しました。",
    S + "データベースのオープンが成功しました。"};
const std::vector<std::string> kCounted = {S + "データ件数取得が成功しました。(UMACCOUNT)",
                                           S + "データ件数取得が成功しました。(UMGROUP)",
                                           S + "データ件数取得が成功しました。(UMTSI)"};
const std::vector<std::string> kAccountsExported = {S + "umAccountのエクスポータを開始しました。",
                                                    S + "umAccountのエクスポータが終了しました。"};

}  // namespace

TEST(ExportRun, DestinationsFollowTheTrayRules) {
  Installation installation;
  installation.sql(
      "insert into umAccount(ac_guid,ac_id,ac_name,ac_storeTray) values"
      "('G10',10,'say \"hi\"',1),('G1',1,'普通',1),('G2',2,'未転送ﾄﾚｲ',1),"
      "('G3',3,'ﾌｧｸｽ受信ﾄﾚｲ',1),('G4',4,'Zero',0),('G5',5,'未転送ﾄﾚｲ',2),"
      "('G6',6,'ﾌｧｸｽ受信ﾄﾚｲ',0),('G7',7,'Nul',NULL),('G8',8,'ﾌｧｸｽ受信ﾄﾚｲ',NULL),"
      "('G9',9,'ファクス受信トレイ',1),(NULL,11,NULL,1),('G12',12,'a,b',2),('G13',13,'',1);");
  ProgramRun run = installation.exportAll();

  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ(cp932("DGUID,NAME\r\n\"G1\",\"普通\"\r\n\"G9\",\"ファクス受信トレイ\"\r\n"
                  "\"G10\",\"say \"\"hi\"\"\"\r\n\"null\",\"null\"\r\n\"G13\",\"\"\r\n"),
            installation.output("destination_1.csv"));
  EXPECT_EQ(cp932("\"G2\",\"未転送ﾄﾚｲ\"\r\n\"G3\",\"ﾌｧｸｽ受信ﾄﾚｲ\"\r\n\"G4\",\"Zero\"\r\n"
                  "\"G5\",\"未転送ﾄﾚｲ\"\r\n\"G6\",\"ﾌｧｸｽ受信ﾄﾚｲ\"\r\n\"G12\",\"a,b\"\r\n"),
            installation.output("excluded_destination_1.csv"));
  // The fax tray name in half-width katakana, byte for byte.
  EXPECT_EQ("\"G3\",\"\xCC\xA7\xB8\xBD\x8E\xF3\x90\x4D\xC4\xDA\xB2\"\r\n"
            "\"G6\",\"\xCC\xA7\xB8\xBD\x8E\xF3\x90\x4D\xC4\xDA\xB2\"\r\n",
            installation.output("faxTray_1.csv"));
  EXPECT_EQ((std::vector<std::string>{"Kexporter.log", "destination_1.csv",
                                      "excluded_destination_1.csv", "faxTray_1.csv"}),
            installation.outputNames());
  EXPECT_EQ(concat(concat(concat(kOpened, kCounted), kAccountsExported), summary(5, 0, 6, 0)),
            installation.logLines());
  EXPECT_EQ(resultText(installation, "正常終了しました。"), run.out);
}

TEST(ExportRun, GroupsJoinMembersAndReportUnconvertibleOnes) {
  Installation installation;
  installation.settings("[Kexporter]\nGUIDSPLIT=<->\n");
  installation.sql(
      "insert into umAccount(ac_guid,ac_id,ac_name,ac_storeTray) values"
      "('A',1,'営業部',NULL),('B',2,'総務',NULL),('C',3,'One',NULL),('D',4,'Lonely',NULL),"
      "('E',5,'Nulls',NULL);"
      "insert into umGroup values ('A','m1'),('A','m2'),('A','m3'),('C','solo'),"
      "('B','x'),('B','m5'),('D',''),('E',NULL),('E','m6');"
      "insert into umTSI values ('T','A','S');");
  ProgramRun run = installation.exportAll();

  EXPECT_EQ(1, run.status);
  EXPECT_EQ(cp932("GGUID,NAME,DGUID\r\n\"A\",\"営業部\",\"m1<->m2<->m3\"\r\n"
                  "\"B\",\"総務\",\"<->m5\"\r\n\"C\",\"One\",\"solo\"\r\n"
                  "\"D\",\"Lonely\",\"\"\r\n\"E\",\"Nulls\",\"null<->m6\"\r\n"),
            installation.output("group_1.csv"));
  // The unconvertible members fail the run, so the TSIs are not exported.
  EXPECT_EQ("", installation.output("tsi_1.csv"));
  EXPECT_EQ(concat(concat(concat(concat(kOpened, kCounted), kAccountsExported),
                          {S + "umGroupのエクスポータを開始しました。",
                           F + "グループ(\"B\")にはコンバータできないあて先データがあります。()",
                           F + "グループ(\"D\")にはコンバータできないあて先データがあります。()",
                           S + "umGroupのエクスポータが終了しました。"}),
                   summary(0, 5, 0, 0)),
            installation.logLines());
  EXPECT_EQ(resultText(installation, "エラーが発生しました。"), run.out);
}

TEST(ExportRun, TsisKeepFieldOrderNullsAndQuotes) {
  Installation installation;
  installation.sql(
      "insert into umTSI values ('+81-3-1234','G1','本社'),('a,\"b\"','G2',NULL),"
      "('c','G3','');");
  ProgramRun run = installation.exportAll();

  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ(cp932("NAME,SENDER,DGUID\r\n\"+81-3-1234\",\"本社\",\"G1\"\r\n"
                  "\"a,\"\"b\"\"\",\"null\",\"G2\"\r\n\"c\",\"\",\"G3\"\r\n"),
            installation.output("tsi_1.csv"));
  EXPECT_EQ((std::vector<std::string>{"Kexporter.log", "tsi_1.csv"}), installation.outputNames());
}

TEST(ExportRun, EmptyTablesSayThereWasNothingToExport) {
  Installation installation;
  ProgramRun run = installation.exportAll();

  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ(std::vector<std::string>{"Kexporter.log"}, installation.outputNames());
  EXPECT_EQ(concat(concat(kOpened, kCounted), summary(0, 0, 0, 0)), installation.logLines());
  EXPECT_EQ(resultText(installation,
                       "正常終了しました。\nエクスポートすべきデータはありませんでした。"
                       "インポート実行の必要はありません。"),
            run.out);
}

TEST(ExportRun, DatabaseFailuresAreLoggedShownAndFailTheRun) {
  const std::string failed = F + "データベースのアクセスが失敗しました。";
  struct Case {
    const char* statements;
    std::vector<std::string> log;  // before the summary
    std::string progress;          // shown before the warning
  };
  const Case cases[] = {
      // A count fails: no later count, no export.
      {"insert into umAccount(ac_guid,ac_id) values ('G',1); drop table umGroup;",
       concat(kOpened, {kCounted[0], failed}), ""},
      // The export query fails although the count worked.
      {"alter table umAccount drop column ac_storeTray;"
       "insert into umAccount(ac_guid,ac_id) values ('G',1);",
       concat(concat(kOpened, kCounted), {S + "umAccountのエクスポータを開始しました。", failed}),
       "あて先をエクスポート中です。\n"},
      // Group rows whose owner is no account: the join is empty; TSIs skipped.
      {"insert into umGroup values ('nobody','m'); insert into umTSI values ('t','g','s');",
       concat(concat(kOpened, kCounted), {S + "umGroupのエクスポータを開始しました。", failed}),
       "グループあて先をエクスポート中です。\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statements);
    Installation installation;
    installation.sql(c.statements);
    ProgramRun run = installation.exportAll();
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(c.progress + kTitle + "データベースのアクセスが失敗しました。\n", run.err);
    EXPECT_EQ(concat(c.log, summary(0, 0, 0, 0)), installation.logLines());
    EXPECT_EQ(std::vector<std::string>{"Kexporter.log"}, installation.outputNames());
    EXPECT_EQ(resultText(installation, "エラーが発生しました。"), run.out);
  }
}

TEST(ExportRun, EarlyFailuresEndWithoutResult) {
  const std::string notInstalled = "Orvel Document Routerがインストールされている環境で利用してください。";
  struct Case {
    bool installed;  // else the registry names no installation
    std::string warning;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {false, "データベースの初期化が失敗しました。", {kOpened[0], F + "データベースの初期化が失敗しました。"}},
      {true, notInstalled, {kOpened[0], kOpened[1], F + notInstalled}},  // without its database
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.warning);
    Installation installation;
    if (c.installed) {
      fs::remove(installation.database());
    } else {
      installation.registry("Windows Registry Editor Version 5.00\r\n");
    }
    ProgramRun run = installation.exportAll();
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ(kTitle + c.warning + "\n", run.err);
    EXPECT_EQ(c.log, installation.logLines());
    if (c.installed) {
      EXPECT_FALSE(fs::exists(installation.database()));  // not created
    }
  }
}

TEST(ExportRun, SettingsChooseGenerationAndLineLimit) {
  Installation installation;
  installation.settings("[kexporter]\n  version = \"V3\"\nCSVMAXLINE=3\n");
  installation.sql("insert into umTSI values ('five','G','S');");
  installation.sql("insert into umTSI values ('1','a','s'),('2','b','s'),('3','c','s'),"
                   "('4','d','s'),('5','e','s');",
                   "nxv4");
  ProgramRun run = installation.exportAll();

  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ("NAME,SENDER,DGUID\r\n\"1\",\"s\",\"a\"\r\n\"2\",\"s\",\"b\"\r\n",
            installation.output("tsi_1.csv"));
  EXPECT_EQ("NAME,SENDER,DGUID\r\n\"3\",\"s\",\"c\"\r\n\"4\",\"s\",\"d\"\r\n",
            installation.output("tsi_2.csv"));
  EXPECT_EQ("NAME,SENDER,DGUID\r\n\"5\",\"s\",\"e\"\r\n", installation.output("tsi_3.csv"));
  EXPECT_EQ((std::vector<std::string>{"Kexporter.log", "tsi_1.csv", "tsi_2.csv", "tsi_3.csv"}),
            installation.outputNames());
}
