#include "ProgramOptions.h"

#include <CLI/CLI.hpp>

#include "DialogLayout.h"
#include "ExitStatus.h"

namespace {
const char* const kVersionText = "Kexporterrun " KEXPORTER_VERSION;
}  // namespace

std::optional<int> ProgramOptions::parse(int argc, char** argv) {
  CLI::App app(
      KEXPORTER_TITLE ": Orvel Document Routerのユーザー管理データをCSVに"
      "エクスポートします。\n"
      "Exports the user-management data of Orvel Document Router to CSV files.",
      "Kexporterrun");
  app.set_help_flag("-h,--help", "この説明を表示します / Print this help");
  app.set_version_flag("--version", kVersionText, "版を表示します / Print the version");
  app.add_flag("--console", console,
               "画面があっても端末で実行します / Run in the terminal even where a display exists");
  CLI::Option* yesOption =
      app.add_flag("--yes", yes, "開始の確認をしません / Confirm the start without asking");
  CLI::Option* outputOption =
      app.add_option("--output", output,
                     "データ出力先のフォルダ(空のフォルダ) / The output folder (an empty folder)")
          ->type_name("DIR");
  // A check writes nothing and asks nothing, so a folder or a confirmation
  // given with it is a mistake.
  app.add_flag("--check", check,
               "ファイルを書かずにデータの問題をすべて表示します / "
               "List every data problem without writing any file")
      ->excludes(yesOption)
      ->excludes(outputOption);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int status = app.exit(e);
    return status == 0 ? kExitNormal : kExitBadUsage;
  }
  return std::nullopt;
}
