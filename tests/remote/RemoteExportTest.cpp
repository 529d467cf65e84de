#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "Installation.h"
#include "PgTestServer.h"
#include "RunningProgram.h"

namespace {

// A copy of its own, so that tests running at the same time do not meet in
// the single-instance guard.
const std::string kProgramName = "Kexporterrun-remote-" + std::to_string(::getpid());
const std::string kOpenWarning =
    "KLX to MPVコンバータ[エクスポータ]: Orvel Document Routerがインストールされている環境で"
    "利用してください。\n";
const std::string kAccessWarning =
    "KLX to MPVコンバータ[エクスポータ]: データベースのアクセスが失敗しました。\n";
constexpr char kNxv5Key[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW\\VEK";

#define SKIP_WITHOUT_TEST_SERVER(server)                                  \
  const std::optional<PgServerSettings> server = sharedTestServer();     \
  if (!server) GTEST_SKIP() << "no test server: KEXPORTER_TEST_PGHOST is not set"

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string registryText(const fs::path& top, const std::string& values) {
  return std::string("Windows Registry Editor Version 5.00\r\n\r\n[") + kNxv5Key +
         "]\r\n\"VekPath\"=\"" + top.string() + "\"\r\n" + values;
}

int runDemo(const std::vector<std::string>& args) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::vector<char*> argv{const_cast<char*>(KEXPORTER_DEMO_PROGRAM)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(KEXPORTER_DEMO_PROGRAM, argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

fs::path newFolder(const Installation& installation, const std::string& name) {
  fs::create_directories(installation.root() / name);
  return installation.root() / name;
}

// The files of an export folder by name. The run log loses its time stamps;
// the "tsi" files, whose query asks for no order, give their line counts
// and, all together, their sorted rows.
std::map<std::string, std::string> exportedFiles(const fs::path& folder) {
  std::map<std::string, std::string> files;
  std::vector<std::string> tsiRows;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename();
    std::istringstream bytes(readAll(entry.path()));
    std::string& kept = files[name];
    int count = 0;
    for (std::string line; std::getline(bytes, line); ++count) {
      if (name == "Kexporter.log") kept += line.substr(std::min<size_t>(20, line.size())) + "\n";
      else if (name.rfind("tsi_", 0) == 0) tsiRows.push_back(line);
      else kept += line + "\n";
    }
    if (name.rfind("tsi_", 0) == 0) kept = std::to_string(count) + " lines";
  }
  std::sort(tsiRows.begin(), tsiRows.end());
  for (const std::string& row : tsiRows) files["tsi rows"] += row + "\n";
  return files;
}

// A loopback socket: one that nobody listens on (its port closed again), or
// one that takes connections and never answers, as a hung server does.
int loopbackSocket(bool listening, int& port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  if (listening) ::listen(s, 8);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  if (listening) return s;
  ::close(s);
  return -1;
}

// The diagnostic messages of the runs so far, then forgotten.
std::string takeMessages(const Installation& installation) {
  const fs::path file = installation.root() / "messages.log";
  const std::string text = readAll(file);
  fs::remove(file);
  return text;
}

}  // namespace

TEST(RemoteExport, SameFilesAsFromTheSqliteFile) {
  SKIP_WITHOUT_TEST_SERVER(server);
  PgTestSchema schema(*server);
  Installation installation(kProgramName);
  const fs::path demo = installation.root() / "demo";
  ASSERT_EQ(runDemo({"--dir", demo.string(), "--accounts", "3000", "--groups", "40",
                     "--members", "1200", "--tsis", "900", "--postgres", schema.conninfo()}),
            0);
  installation.settings("[Kexporter]\nCSVMAXLINE=400\n");

  installation.registry(readAll(demo / "registry.reg"));  // NXV5 set to Remote
  const fs::path fromServer = newFolder(installation, "from-server");
  ProgramRun remote = installation.run({"--console", "--yes", "--output", fromServer.string()});
  installation.registry(registryText(demo / "nxv5", "\"VekTesselConnection\"=\"InProcess\"\r\n"));
  const fs::path fromFile = newFolder(installation, "from-file");
  ProgramRun local = installation.run({"--console", "--yes", "--output", fromFile.string()});

  EXPECT_EQ(remote.status, 0) << remote.err;
  EXPECT_EQ(local.status, 0) << local.err;
  const std::map<std::string, std::string> expected = exportedFiles(fromFile);
  const std::map<std::string, std::string> got = exportedFiles(fromServer);
  EXPECT_EQ(expected.count("tsi_3.csv"), 1u) << "the files are split";
  EXPECT_EQ(expected.count("group_1.csv"), 1u);
  for (const auto& [name, bytes] : expected) {
    EXPECT_TRUE(got.count(name) == 1 && got.at(name) == bytes) << name << " differs";
  }
  EXPECT_EQ(got.size(), expected.size());
}

TEST(RemoteExport, ConnectionFailuresFailTheRunWithTheServersText) {
  SKIP_WITHOUT_TEST_SERVER(server);
  PgTestSchema schema(*server);
  schema.sql("CREATE TABLE umAccount(ac_guid text, ac_id integer, ac_name text,"
             " ac_storeTray integer);");
  Installation installation(kProgramName);
  int closedPort = 0;
  int silentPort = 0;
  loopbackSocket(false, closedPort);
  const int silent = loopbackSocket(true, silentPort);
  ::setenv("PGCONNECT_TIMEOUT", "2", 1);
  struct Failure {
    int port;
    std::string password;
    std::string serverText;
    std::string code;
  };
  const Failure failures[] = {
      {closedPort, server->password, "Connection refused", "rc = 0x800704c9"},
      {0, "not the password", "password authentication failed for user", "rc = 0x80040e4d"},
      {silentPort, server->password, "no answer within 2 seconds", "rc = 0x800705b4"},
  };
  int run = 0;
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.serverText);
    installation.registry(
        registryText(installation.root() / "nxv5", schema.registryValues(failure.port)));
    ::setenv("PGPASSWORD", failure.password.c_str(), 1);
    const auto start = std::chrono::steady_clock::now();
    const fs::path out = newFolder(installation, "out-" + std::to_string(++run));
    ProgramRun result = installation.run({"--console", "--yes", "--output", out.string()});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(kOpenWarning), std::string::npos) << result.err;
    const std::string messages = takeMessages(installation);
    EXPECT_NE(messages.find(failure.serverText), std::string::npos) << messages;
    EXPECT_NE(messages.find(failure.code), std::string::npos) << messages;
  }
  ::unsetenv("PGCONNECT_TIMEOUT");
  ::close(silent);
}

TEST(RemoteExport, MissingDatabaseAndStoppedServerFailTheRun) {
  SKIP_WITHOUT_TEST_SERVER(shared);
  PrivatePgServer server;
  ASSERT_TRUE(server.started());
  Installation installation(kProgramName);
  installation.registry(
      registryText(installation.root() / "nxv5", remoteRegistryValues(server.settings())));
  logInAs(server.settings());

  ProgramRun missing = installation.exportAll();
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find(kOpenWarning), std::string::npos) << missing.err;
  std::string messages = takeMessages(installation);
  EXPECT_NE(messages.find("database \"ud_gwAddress\" does not exist"), std::string::npos)
      << messages;
  EXPECT_NE(messages.find("rc = 0x80070002"), std::string::npos) << messages;

  PgTestSchema schema(server.settings());
  schema.sql(
      "CREATE TABLE umAccount(ac_guid text, ac_id integer, ac_name text, ac_storeTray integer);"
      "INSERT INTO umAccount SELECT 'guid-' || g, g, 'name ' || g, 1"
      " FROM generate_series(1, 300000) g;"
      "CREATE TABLE umGroup(gr_ownerguid text, gr_guid text);"
      "CREATE TABLE umTSI(ts_code text, ts_guid text, ts_sender text);");
  const fs::path out = newFolder(installation, "out-stopped");
  RunningProgram program(installation, {"--console", "--yes", "--output", out.string()});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!fs::exists(out / "destination_1.csv") && program.running() &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // Held while the server stops, so that the export meets it mid-way.
  ::kill(program.pid(), SIGSTOP);
  server.stop();
  ::kill(program.pid(), SIGCONT);

  ASSERT_TRUE(program.finish(60)) << "the export hangs";
  EXPECT_EQ(program.status(), 1);
  EXPECT_NE(program.err().find(kAccessWarning), std::string::npos) << program.err();
  messages = takeMessages(installation);
  EXPECT_NE(messages.find("terminating connection due to administrator command"),
            std::string::npos)
      << messages;
  EXPECT_NE(messages.find("rc = 0x800704d4"), std::string::npos) << messages;
}

TEST(RemoteExport, MillionAccountsExportInBoundedMemory) {
  SKIP_WITHOUT_TEST_SERVER(server);
  PgTestSchema schema(*server);
  Installation installation(kProgramName);
  const fs::path demo = installation.root() / "demo";
  ASSERT_EQ(runDemo({"--dir", demo.string(), "--accounts", "1000000", "--postgres",
                     schema.conninfo()}),
            0);
  installation.registry(readAll(demo / "registry.reg"));

  RunningProgram program(installation, {"--console", "--yes", "--output",
                                        installation.outputFolder().string()});
  ASSERT_TRUE(program.finish(240));
  EXPECT_EQ(program.status(), 0) << program.err();
  EXPECT_TRUE(fs::exists(installation.outputFolder() / "destination_45.csv"));
  // Rows held whole would take well over 100 MiB.
  EXPECT_LT(program.peakKibibytes(), 32 * 1024);
}
