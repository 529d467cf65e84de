#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "DatabaseTestSupport.h"
#include "DialogDriver.h"
#include "DialogResources.h"
#include "Frontend.h"
#include "OutputFolder.h"
#include "Pelcore/PelWin32Text.h"

namespace fs = std::filesystem;

namespace {

const char* const kSchema =
    "create table umAccount(ac_guid TEXT, ac_id INTEGER, ac_name TEXT, ac_storeTray INTEGER);"
    "create table umGroup(gr_ownerguid TEXT, gr_guid TEXT);"
    "create table umTSI(ts_code TEXT, ts_guid TEXT, ts_sender TEXT);"
    "insert into umAccount values('{A1}', 1, '営業部', 1);"
    "insert into umTSI values('0312345678', '{A1}', '営業部');";

// The program copy under a name of its own, so that the single-instance
// guard of a run of another test does not meet it; an installation of one
// account and one TSI in the registry; an empty output folder.
class Installation : public TestInstallation {
 public:
  Installation() {
    std::string built = "Z:" KEXPORTERRUN_PATH;
    std::replace(built.begin(), built.end(), '/', '\\');
    CopyFileW(widened(built).c_str(), widened(program()).c_str(), FALSE);
    CreateDirectoryW(widened(output()).c_str(), nullptr);
    runSql(databasePath("ud_gwAddress"), kSchema);
    writeRegistry();
  }

  std::string at(const std::string& name) const { return path() + "\\" + name; }
  std::string output() const { return at("out"); }
  std::string program() const { return at("KexporterDialogs.exe"); }
  std::vector<std::string> outputNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(output())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// The program started with arguments, as a double-click or a shortcut would.
struct Program : ChildProcess {
  Program(const std::string& path, const std::string& arguments) : ChildProcess("\"" + path + "\" " + arguments) {
    EXPECT_TRUE(started()) << path;
  }
  DWORD pid() const { return id(); }
};

// Types text into the folder dialog's field, clicks OK, and expects a
// warning box with message that leaves the dialog open once closed.
void expectWarning(const Program& program, HWND folder, const std::string& text,
                   const std::string& message, const char* screenshot = nullptr) {
  setControlText(folder, IDC_FOLDER_FIELD, text);
  click(folder, IDOK);
  HWND box = waitForWindow(program.pid(), [](HWND window) { return GetDlgItem(window, 0xFFFF) != nullptr; });
  ASSERT_NE(box, nullptr) << "no warning for " << text;
  EXPECT_EQ(windowText(box), kProgramTitle);
  EXPECT_EQ(controlText(box, 0xFFFF), message) << text;
  if (screenshot) saveScreenshot(box, screenshot);
  click(box, IDOK);
  EXPECT_TRUE(waitUntilGone(box));
  EXPECT_TRUE(IsWindowVisible(folder));
  EXPECT_EQ(controlText(folder, IDC_FOLDER_FIELD), text);
}

}  // namespace

// Start, output folder (a check's warning, the folder browser), export,
// result: the export's files and exit 0. A second copy meanwhile brings the
// start dialog to the front and ends with 4.
TEST(DialogFlowTest, WholeFlowExportsIntoTheChosenFolder) {
  Installation installation;
  Program program(installation.program(), "");
  HWND start = waitForDialog(program.pid(), IDC_VERSION);
  ASSERT_NE(start, nullptr);
  saveScreenshot(start, "start");

  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  Program second(installation.program(), "");
  EXPECT_EQ(second.finish(), 4);
  // The window manager activates the window when it gets to it.
  EXPECT_TRUE(waitUntil([start] { return GetForegroundWindow() == start; }));
  DestroyWindow(other);

  click(start, IDOK);
  HWND folder = waitForDialog(program.pid(), IDC_FOLDER_FIELD);
  ASSERT_NE(folder, nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(folder, IDOK)));
  saveScreenshot(folder, "output-folder");

  // One failed check: the checks themselves are the files tests'.
  expectWarning(program, folder, installation.at(std::string(240, 'a')), kFolderTooLong, "warning");

  // The browser opens at the typed folder and gives it back tidied; cancelled, it empties the field.
  const std::string browsed = "C:\\KexporterBrowse" + std::to_string(GetCurrentProcessId());
  CreateDirectoryW(widened(browsed).c_str(), nullptr);
  setControlText(folder, IDC_FOLDER_FIELD, browsed + "\\.\\");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(folder, IDOK)));
  const auto browse = [&](int button, const std::string& field, const char* screenshot) {
    click(folder, IDC_BROWSE);
    HWND browser = waitForWindow(program.pid(), [folder](HWND window) { return GetWindow(window, GW_OWNER) == folder; });
    ASSERT_NE(browser, nullptr);
    if (screenshot) saveScreenshot(browser, screenshot);
    click(browser, button);
    ASSERT_TRUE(waitUntilGone(browser));
    EXPECT_TRUE(waitUntil([&] { return controlText(folder, IDC_FOLDER_FIELD) == field; }))
        << controlText(folder, IDC_FOLDER_FIELD);
  };
  browse(IDOK, browsed, "folder-browser");
  RemoveDirectoryW(widened(browsed).c_str());
  browse(IDCANCEL, "", nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(folder, IDOK)));

  setControlText(folder, IDC_FOLDER_FIELD, installation.output());
  click(folder, IDOK);
  HWND result = waitForDialog(program.pid(), IDC_RESULT_TEXT);
  ASSERT_NE(result, nullptr);
  saveScreenshot(result, "result");
  const std::string summary = controlText(result, IDC_RESULT_TEXT);
  EXPECT_NE(summary.find("正常終了しました。"), std::string::npos) << summary;
  EXPECT_NE(summary.find("詳細は" + installation.output() + "を確認してください。"), std::string::npos)
      << summary;
  click(result, IDOK);
  EXPECT_EQ(program.finish(), 0);
  EXPECT_EQ(installation.outputNames(),
            (std::vector<std::string>{"Kexporter.log", "destination_1.csv", "excluded_destination_1.csv",
                                      "faxTray_1.csv", "tsi_1.csv"}));
}

// Cancel at the start dialog (its close box) and at the output folder dialog
// (Cancel): exit 3, nothing written.
TEST(DialogFlowTest, CancelAtEitherDialogWritesNothing) {
  Installation installation;
  {
    Program program(installation.program(), "");
    HWND start = waitForDialog(program.pid(), IDC_VERSION);
    ASSERT_NE(start, nullptr);
    PostMessageW(start, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.finish(), 3);
  }
  {
    Program program(installation.program(), "--yes --output \"" + installation.output() + "\"");
    HWND folder = waitForDialog(program.pid(), IDC_FOLDER_FIELD);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(controlText(folder, IDC_FOLDER_FIELD), installation.output());
    click(folder, IDCANCEL);
    EXPECT_EQ(program.finish(), 3);
  }
  EXPECT_TRUE(installation.outputNames().empty());
}
