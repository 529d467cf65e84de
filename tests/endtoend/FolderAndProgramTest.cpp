#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "Installation.h"

namespace {

const std::string kTitle = "KLX to MPVコンバータ[エクスポータ]: ";

std::string checkFailure(const Installation& installation, const std::string& folder) {
  ProgramRun run = installation.run({"--console", "--yes", "--output", folder});
  EXPECT_EQ(2, run.status) << folder;
  EXPECT_EQ("", run.out);
  return run.err;
}

}  // namespace

TEST(Program, OutputFolderChecksRefuseBadFolders) {
  Installation installation;
  const fs::path root = installation.root();
  EXPECT_EQ(kTitle + "データ保存先を指定してください。\n", checkFailure(installation, ""));
  EXPECT_EQ(kTitle + "指定したデータ出力先が見つかりません。\n",
            checkFailure(installation, (root / "missing").string()));

  fs::create_directory(root / "readonly");
  fs::permissions(root / "readonly", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(kTitle + "指定したデータ出力先が見つかりません。\n",
            checkFailure(installation, (root / "readonly").string()));

  fs::create_directory(root / "hidden");
  std::ofstream(root / "hidden" / ".keep");
  EXPECT_EQ(kTitle + "指定したデータ出力先が空ではありません。\n",
            checkFailure(installation, (root / "hidden").string()));

  // 240 bytes pass, 241 fail, counted as CP932 bytes: each 漢 counts two.
  // Folders of at most 60 such characters keep each name within NAME_MAX.
  std::string fitting = root.string() + "/";
  int left = 240 - static_cast<int>(fitting.size()), inName = 0;
  while (left >= 2) {
    if (inName == 60) {
      fitting += "/", left -= 1, inName = 0;
    } else {
      fitting += "漢", left -= 2, ++inName;
    }
  }
  if (left == 1) fitting += "a";
  fs::create_directories(fitting);
  fs::create_directory(fitting + "x");
  EXPECT_EQ(kTitle + "データ出力先パスが長すぎます。240バイト以内で指定してください。\n",
            checkFailure(installation, fitting + "x"));
  ProgramRun run = installation.run({"--console", "--yes", "--output", fitting});
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_TRUE(fs::exists(fs::path(fitting) / "Kexporter.log"));
}

TEST(Program, PromptsUntilAFolderPassesAndCancelsAtEndOfInput) {
  Installation installation;
  // A relative folder, resolved against the current folder, after two refusals.
  fs::current_path(installation.root());
  ProgramRun run = installation.run({"--console"}, "y\n\nmissing\n./x/../out\n");
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ(kTitle + "データ保存先を指定してください。\n" + kTitle +
                "指定したデータ出力先が見つかりません。\n",
            run.err);
  EXPECT_NE(std::string::npos, run.out.find("配信サービスの停止と実行中の配信管理ツールの終了をしてから"
                                            "実行してください。\nKLX toMPVコンバータ[エクスポータ]"
                                            "の実行を開始します。\n"));
  EXPECT_NE(std::string::npos,
            run.out.find("詳細は" + installation.outputFolder().string() + "を確認してください。"));

  Installation other;
  EXPECT_EQ(3, other.run({"--console"}, "n\n").status);
  EXPECT_EQ(3, other.run({"--console"}, "").status);
  EXPECT_EQ(3, other.run({"--console", "--yes"}, "missing\n").status);
  EXPECT_EQ(std::vector<std::string>{}, other.outputNames());
}

TEST(Program, UsageHelpAndVersion) {
  Installation installation;
  ProgramRun help = installation.run({"--help"});
  EXPECT_EQ(0, help.status);
  for (const char* text : {"--output", "データ出力先", "output folder"}) {
    EXPECT_NE(std::string::npos, help.out.find(text)) << text;
  }
  EXPECT_EQ(0, installation.run({"--version"}).status);
  EXPECT_EQ(2, installation.run({"--bogus"}).status);
  EXPECT_EQ(std::vector<std::string>{}, installation.outputNames());
}

TEST(Program, SecondCopyEndsAtOnceWithoutOutput) {
  Installation installation("Kexporterrun-guard");
  // The first copy waits at its start question on a pipe we hold open.
  int input[2];
  ASSERT_EQ(0, pipe(input));
  const fs::path firstOut = installation.root() / "first.txt";
  pid_t first = fork();
  if (first == 0) {
    dup2(input[0], 0);
    close(input[1]);
    dup2(open(firstOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open("/dev/null", O_WRONLY), 2);
    setenv("PEL_REGISTRY", (installation.root() / "registry.reg").c_str(), 1);
    execl(installation.program().c_str(), "Kexporterrun-guard", "--console", nullptr);
    _exit(127);
  }
  close(input[0]);
  // The question is asked after the guard is taken.
  auto asked = [&] {
    std::error_code error;
    return fs::file_size(firstOut, error) > 0 && !error;
  };
  for (int wait = 0; wait < 500 && !asked(); ++wait) usleep(10000);
  ProgramRun second =
      installation.run({"--console", "--yes", "--output", installation.outputFolder()});
  EXPECT_EQ(4, second.status);
  EXPECT_EQ("", second.out);
  EXPECT_EQ("", second.err);
  EXPECT_EQ(std::vector<std::string>{}, installation.outputNames());

  close(input[1]);  // end of input: the first copy cancels
  int status = 0;
  waitpid(first, &status, 0);
  EXPECT_EQ(3, WEXITSTATUS(status));
}
