#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "Installation.h"

TEST(Program, PromptsUntilAFolderPassesAndCancelsAtEndOfInput) {
  Installation installation;
  // A relative folder, resolved against the current folder, after two refusals.
  const ScopedWorkingFolder working(installation.root());
  ProgramRun run = installation.run({"--console"}, "y\n\nmissing\n./x/../out\n");
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ(kTitle + "データ保存先を指定してください。\n" + kTitle + "指定したデータ出力先が見つかりません。\n", run.err);
  EXPECT_NE(std::string::npos, run.out.find("配信サービスの停止と実行中の配信管理ツールの終了をしてから"
                                            "実行してください。\nKLX toMPVコンバータ[エクスポータ]"
                                            "の実行を開始します。\n"));
  EXPECT_NE(std::string::npos, run.out.find("詳細は" + installation.outputFolder().string() + "を確認してください。"));

  Installation other;
  for (const auto& [args, input] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--console"}, "n\n"}, {{"--console"}, ""}, {{"--console", "--yes"}, "missing\n"}}) {
    EXPECT_EQ(3, other.run(args, input).status) << input;
  }
  EXPECT_EQ(std::vector<std::string>{}, other.outputNames());
  // Bad usage; a given folder that fails is the start-up flow's test.
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--bogus"}, {"--check", "--yes"}, {"--check", "--output", other.outputFolder().string()}}) {
    EXPECT_EQ(2, other.run(args).status) << args[0];
  }
}

TEST(Program, SecondCopyEndsAtOnceWithoutOutput) {
  Installation installation("Kexporterrun-guard");
  // The first copy holds the guard while it waits at its start question,
  // its input a pipe we hold open.
  const fs::path root = installation.root();
  FILE* first = popen(("PEL_REGISTRY=" + (root / "registry.reg").string() + " " + installation.program().string() +
                       " --console > " + (root / "first.txt").string()).c_str(),
                      "w");
  ASSERT_TRUE(waitUntil([&] { return !readFile(root / "first.txt").empty(); }));
  for (const ProgramRun& second : {installation.exportAll(), installation.run({"--check"})}) {
    EXPECT_EQ(4, second.status);
    EXPECT_EQ("", second.out);
    EXPECT_EQ("", second.err);
  }
  EXPECT_EQ(std::vector<std::string>{}, installation.outputNames());
  EXPECT_EQ(3, WEXITSTATUS(pclose(first)));  // end of input: the first copy cancels
}

// A terminal run on a SQLite file maps neither Qt nor the PostgreSQL client,
// most of a small run's memory; the dialogs load Qt with their module
// beside the program's libraries.
TEST(Program, OnlyTheDialogsMapQtAndOnlyRemoteInstallationsTheClient) {
  Installation installation("Kexporterrun-qt");
  installation.sql("with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) "
                   "insert into umAccount(ac_guid, ac_id, ac_name, ac_storeTray) select 'g' || i, i, 'a' || i, 1 from n;");
  ProgramOptions gatedRun, onDisplay;
  gatedRun.gated = true;
  onDisplay.offscreenDisplay = true;
  std::string terminal;
  RunningProgram exporting(installation, installation.exportArgs(), gatedRun);
  ASSERT_TRUE(exporting.holdWhen([&] { return !(terminal = exporting.mappedFiles()).empty(); }));
  EXPECT_EQ(std::string::npos, terminal.find("libQt6")) << terminal;
  EXPECT_EQ(std::string::npos, terminal.find("libpq")) << terminal;
  EXPECT_EQ(0, exporting.finish().status);

  RunningProgram dialogs(installation, {}, onDisplay);
  // The module is mapped before the libraries it needs.
  ASSERT_TRUE(waitUntil([&] {
    const std::string shown = dialogs.mappedFiles();
    return shown.find("libKexporterDialogs") != std::string::npos && shown.find("libQt6Widgets") != std::string::npos;
  }));
  dialogs.signal(SIGTERM);
  EXPECT_EQ(128 + SIGTERM, dialogs.finish().status);
}
