// Whole runs of the Linux program and of the Windows program (under Wine)
// on the same installations and settings files: the same CSV bytes, the same
// run log apart from its time stamps, the same exit status and the same
// texts for the operator, the output folder's spelling apart.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <thread>
#include <map>
#include <vector>

#include "Installation.h"
#include "PgTestServer.h"
#include "TestSupport.h"

namespace {

const fs::path kWindowsBin = KEXPORTER_WINDOWS_BIN;
const fs::path kScripts = KEXPORTER_SCRIPTS_DIR;

std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// `text` with every `folder` followed by either separator as "<output>/",
// any other `folder` as "<output>", and no CR.
std::string normalised(std::string text, const std::string& folder, char separator) {
  for (std::size_t at; (at = text.find(folder + separator)) != std::string::npos;)
    text.replace(at, folder.size() + 1, "<output>/");
  for (std::size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), "<output>");
  std::erase(text, '\r');
  return text;
}

// The run log without its time stamps, in UTF-8.
std::string logOf(const fs::path& folder, char separator) {
  std::string out;
  for (const std::string& line : runLogLines(readFile(folder / "Kexporter.log"))) out += line + "\n";
  return normalised(out, separator == '/' ? folder.string() : windowsPath(folder), separator);
}

// What a run left: status, terminal texts, and the output folder's files.
struct Outcome {
  int status;
  std::string out, err, log;
  std::map<std::string, std::string> csvFiles;
  bool operator==(const Outcome&) const = default;
};

std::map<std::string, std::string> csvFilesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".csv") files[entry.path().filename()] = readFile(entry.path());
  }
  return files;
}

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  os << "status " << o.status << "\n--- out\n" << o.out << "--- err\n" << o.err << "--- log\n" << o.log;
  for (const auto& [name, bytes] : o.csvFiles) os << "--- " << name << " (" << bytes.size() << " bytes)\n";
  return os;
}

class Parity : public ::testing::Test {
 protected:
  // The Linux program copy's name, its own per test: CTest runs the tests
  // side by side, and the single-instance guard is keyed by the name.
  static std::string programName() {
    return std::string("Kexporterrun-parity-") + testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  static void SetUpTestSuite() {
    if (!fs::exists(kWindowsBin / "Kexporterrun.exe")) return;
    prefix_ = new TempFolder;
    ready_ = script("wine-prefix.sh start " + shellQuoted(prefix_->path())) == 0;
  }
  static void TearDownTestSuite() {
    if (prefix_ == nullptr) return;
    script("wine-prefix.sh stop " + shellQuoted(prefix_->path()));
    delete prefix_;
    prefix_ = nullptr;
  }
  void SetUp() override {
    if (!ready_) GTEST_SKIP() << "no Windows build in " << kWindowsBin << " or no Wine prefix";
  }

  // Runs one of the project's scripts in the suite's Wine prefix, its
  // output to `redirections` (by default nowhere), through `wrapper` when
  // given; its exit status.
  static int script(const std::string& command, const std::string& redirections = ">/dev/null 2>&1",
                    const std::string& wrapper = "") {
    const std::string line = "WINEPREFIX=" + shellQuoted(prefix_ ? prefix_->path() : "") + " " + wrapper +
                             shellQuoted((kScripts / "").string()) + command + " </dev/null " + redirections;
    return WEXITSTATUS(std::system(line.c_str()));
  }

  // The installation's registry in the Wine prefix, as regedit imports it,
  // NXV5's connection values `connection`.
  static void importRegistry(const Installation& installation, const std::string& topFolder,
                             const std::string& connection = kInProcessConnection) {
    writeFile(installation.root() / "windows.reg", installation.registryText(topFolder, connection, true));
    ASSERT_EQ(0, script("wine-run.sh regedit /S " + shellQuoted(windowsPath(installation.root() / "windows.reg"))));
  }

  // `resolver`, when given, is what the run sees as /etc/resolv.conf.
  static Outcome linuxRun(const Installation& installation, const std::vector<std::string>& args,
                          const fs::path& resolver = {}) {
    const fs::path out = installation.outputFolder();
    fs::remove_all(out);
    fs::create_directories(out);
    const ProgramRun run = RunningProgram(installation, args, {"", false, RLIM_INFINITY, resolver, {}}).finish();
    return {run.status, normalised(run.out, out.string(), '/'), normalised(run.err, out.string(), '/'),
            logOf(out, '/'), csvFilesIn(out)};
  }

  // The Windows run's output folder: a Japanese name with a space, through
  // the command line, the checks and the result text.
  static fs::path windowsOutput(const Installation& installation) {
    return installation.root() / "出力 ｳｨﾝﾄﾞｳｽﾞ";
  }

  static Outcome windowsRun(const Installation& installation, std::vector<std::string> args,
                            const fs::path& resolver = {}) {
    const fs::path bin = installation.root() / "wbin", out = windowsOutput(installation);
    if (!fs::exists(bin)) fs::copy(kWindowsBin, bin, fs::copy_options::recursive);
    fs::copy_file(installation.root() / "bin" / "Kexporter.ini", bin / "Kexporter.ini",
                  fs::copy_options::overwrite_existing);
    fs::remove_all(out);
    fs::create_directories(out);
    std::string command = "wine-run.sh " + shellQuoted(windowsPath(bin / "Kexporterrun.exe"));
    for (std::string& arg : args) {
      if (arg == installation.outputFolder().string()) arg = windowsPath(out);
      command += " " + shellQuoted(arg);
    }
    const fs::path stdoutFile = installation.root() / "wine.out", stderrFile = installation.root() / "wine.err";
    // Its diagnostic messages go to a file, as the Linux run's do.
    const ScopedEnvironment messages("PEL_MESSAGE_FILE", windowsPath(installation.root() / "wine-messages.log").c_str());
    // The resolver in a mount namespace of the run's own, a hang cut short.
    const std::string wrapper =
        resolver.empty() ? ""
                         : "timeout 120 unshare -m --propagation private sh -c 'mount --bind " + resolver.string() +
                               " /etc/resolv.conf && exec \"$@\"' sh ";
    const int status =
        script(command, ">" + shellQuoted(stdoutFile.string()) + " 2>" + shellQuoted(stderrFile.string()), wrapper);
    const std::string folder = windowsPath(out);
    return {status, normalised(readFile(stdoutFile), folder, '\\'), normalised(readFile(stderrFile), folder, '\\'),
            logOf(out, '\\'), csvFilesIn(out)};
  }

  static TempFolder* prefix_;
  static bool ready_;
};

TempFolder* Parity::prefix_ = nullptr;
bool Parity::ready_ = false;

const char* const kAccounts =
    "insert into umAccount(ac_guid,ac_id,ac_name,ac_storeTray) values"
    "('G1',1,'普通 髙',1),('G2',2,'未転送ﾄﾚｲ',1),('G3',3,'ﾌｧｸｽ受信ﾄﾚｲ',0),('G4',4,'〜−—‖',1),"
    "('A',5,'営業部',NULL),('B',6,'総務',NULL);"
    "insert into umGroup values ('A','m1'),('A','m2'),('A','m3'),('B','m4');"
    "insert into umTSI values ('+81-3-1234','G1','本社'),('c','G3','');";

// The settings file's rules are the settings reader's test, on both builds;
// here one file goes through whole runs.
TEST_F(Parity, BothBuildsExportAlike) {
  const struct {
    const char* what;
    std::string sql;
    std::string settings;
    bool check = false;
    const char* topFolder = "nxv5";
  } cases[] = {
      {"rollover and CP932 texts", kAccounts, "[Kexporter]\r\nCSVMAXLINE=3\r\n"},
      {"an unconvertible member and a value that does not fit",
       std::string(kAccounts) + "insert into umGroup values ('B','');"
                                "insert into umAccount(ac_guid,ac_id,ac_name,ac_storeTray) values ('X',9,'x','y');",
       ""},
      {"group rows without an owner, a shared GUID",
       std::string(kAccounts) + "insert into umGroup values ('ghost','m9');"
                                "insert into umAccount(ac_guid,ac_id,ac_name,ac_storeTray) values ('A',7,'営業部',NULL);",
       ""},
      {"the same, checked", std::string(kAccounts) + "insert into umGroup values ('ghost','m9'), ('B','');", "", true},
      {"no installation there", "", "", false, "missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Installation installation(programName());
    installation.sql(c.sql);
    installation.settings(c.settings);
    installation.registry(installation.registryText(c.topFolder));
    importRegistry(installation, c.topFolder);
    const std::vector<std::string> args =
        c.check ? std::vector<std::string>{"--check"} : installation.exportArgs();
    const Outcome linux = linuxRun(installation, args);
    const Outcome windows = windowsRun(installation, args);
    EXPECT_EQ(linux, windows);
  }
}

// Remote installations: the demo on the test server, exported by both
// builds over a plain connection and over TLS with the server's certificate
// checked against the test CA, and the failures an operator may meet, each
// build's diagnostic message naming the cause and its code. The CA file
// reaches each build as its own path.
TEST_F(Parity, RemoteInstallationsExportAlike) {
  SKIP_WITHOUT_TEST_SERVER(server);
  PgTestSchema schema(*server);
  Installation installation(programName());
  ASSERT_TRUE(schema.loadDemo(installation.root() / "demo", "--accounts 600 --groups 20 --members 300 --tsis 90"));
  installation.settings("[Kexporter]\nCSVMAXLINE=200\n");
  PrivateServer empty;  // a server without the database
  ASSERT_TRUE(empty.settings);
  SilentResolver silent(installation.root());
  ASSERT_TRUE(silent.bound);
  const SilentPort hung;
  const struct {
    const char* what;
    std::string host, port, sslMode, password;
    int status;
    std::vector<std::string> messages = {};  // in both builds' diagnostic messages
    fs::path resolver = {};
  } cases[] = {
      {"plain", server->host, server->port, "disable", server->password, 0},
      {"TLS, the certificate checked", "localhost", server->port, "verify-full", server->password, 0},
      {"TLS, a certificate for another name", server->host, server->port, "verify-full", server->password, 1},
      {"a wrong password", server->host, server->port, "prefer", "not the password", 1,
       {"password authentication failed for user", "rc = 0x80040e4d"}},
      {"no database", empty.settings->host, empty.settings->port, "prefer", empty.settings->password, 1,
       {"database \"ud_gwAddress\" does not exist", "rc = 0x80070002"}},
      {"nothing listening", server->host, "1", "prefer", server->password, 1, {"Connection refused", "rc = 0x800704c9"}},
      {"a server that never answers", server->host, hung.port, "prefer", server->password, 1,
       {"no answer within 5 seconds", "rc = 0x800705b4"}},
      // The program gives up at PGCONNECT_TIMEOUT; Wine itself waits for the
      // name server a few seconds more as it starts and ends the process.
      {"a name server that never answers", "server.example.test", server->port, "prefer", server->password, 1,
       {"no answer within 5 seconds (host name lookup)", "rc = 0x800705b4"}, silent.conf},
  };
  const ScopedEnvironment connectLimit("PGCONNECT_TIMEOUT", "5");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string connection = remoteConnectionValues(c.host, c.port);
    installation.registry(installation.registryText("nxv5", connection));
    importRegistry(installation, "nxv5", connection);
    const ScopedEnvironment sslMode("PGSSLMODE", c.sslMode.c_str()), password("PGPASSWORD", c.password.c_str());
    for (const char* file : {"messages.log", "wine-messages.log"}) fs::remove(installation.root() / file);
    const Outcome linux = [&] {
      const ScopedEnvironment ca("PGSSLROOTCERT", server->caFile.c_str());
      return linuxRun(installation, installation.exportArgs(), c.resolver);
    }();
    const ScopedEnvironment ca("PGSSLROOTCERT", windowsPath(server->caFile).c_str());
    const Outcome windows = windowsRun(installation, installation.exportArgs(), c.resolver);
    EXPECT_EQ(linux, windows);
    EXPECT_EQ(c.status, windows.status);
    EXPECT_TRUE(c.status != 0 || windows.csvFiles.size() > 5) << windows;
    for (const char* file : {"messages.log", "wine-messages.log"}) {
      const std::string written = readFile(installation.root() / file);
      for (const std::string& message : c.messages)
        EXPECT_NE(std::string::npos, written.find(message)) << file << ":\n" << written;
    }
  }
}

// The server's backend stops while a build reads from it: the run fails
// within VEKODB_SERVER_TIMEOUT instead of waiting for ever, each build's
// message naming the limit.
TEST_F(Parity, AStalledServerFailsTheRunInTime) {
  SKIP_WITHOUT_TEST_SERVER(server);
  PgTestSchema schema(*server);
  schema.sql("CREATE TABLE umAccount(ac_guid text, ac_id integer, ac_name text, ac_storeTray integer);"
             "INSERT INTO umAccount SELECT 'guid-' || g, g, 'name ' || g, 1 FROM generate_series(1, 300000) g;"
             "CREATE TABLE umGroup(gr_ownerguid text, gr_guid text);"
             "CREATE TABLE umTSI(ts_code text, ts_guid text, ts_sender text);");
  Installation installation(programName());
  installation.settings("");
  const std::string connection = remoteConnectionValues(server->host, server->port);
  installation.registry(installation.registryText("nxv5", connection));
  importRegistry(installation, "nxv5", connection);
  const std::string name = "kexporter-stall-" + std::to_string(::getpid());
  const ScopedEnvironment limit("VEKODB_SERVER_TIMEOUT", "2"), application("PGAPPNAME", name.c_str());
  for (const bool windows : {false, true}) {
    SCOPED_TRACE(windows ? "Windows" : "Linux");
    const fs::path output = windows ? windowsOutput(installation) : installation.outputFolder();
    const fs::path messages = installation.root() / (windows ? "wine-messages.log" : "messages.log");
    fs::remove(messages);
    Outcome run{};
    std::thread exporting([&] {
      run = windows ? windowsRun(installation, installation.exportArgs())
                    : linuxRun(installation, installation.exportArgs());
    });
    std::string backend;
    EXPECT_TRUE(waitUntil([&] {
      return fs::exists(output / "destination_1.csv") &&
             pgRun(*server, "postgres",
                   "SELECT pid FROM pg_stat_activity WHERE application_name = '" + name + "'", &backend)
                 .empty() &&
             !backend.empty();
    }));
    const pid_t stopped = backend.empty() ? 0 : std::stoi(backend);
    if (stopped > 0) ::kill(stopped, SIGSTOP);
    const auto stoppedAt = std::chrono::steady_clock::now();
    exporting.join();
    const auto waited = std::chrono::steady_clock::now() - stoppedAt;
    if (stopped > 0) ::kill(stopped, SIGCONT);
    EXPECT_EQ(1, run.status) << run;
    EXPECT_LT(waited, std::chrono::seconds(15));
    EXPECT_NE(std::string::npos, run.err.find(kAccessFailed)) << run;
    EXPECT_NE(std::string::npos, readFile(messages).find("no answer within 2 seconds (VEKODB_SERVER_TIMEOUT)"));
  }
}

}  // namespace
