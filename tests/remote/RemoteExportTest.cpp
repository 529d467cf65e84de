// Export runs of an installation set to "Remote" against a PostgreSQL
// server. They skip unless KEXPORTER_TEST_PGHOST and its companions name one.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "Installation.h"
#include "PgTestServer.h"
#include "TestSupport.h"

namespace {

using std::chrono::seconds;

// A copy of its own, so that tests running at the same time do not meet in
// the single-instance guard.
const std::string kProgramName = "Kexporterrun-remote-" + std::to_string(::getpid());
const std::string kAccessWarning = kTitle + kAccessFailed + "\n";

// The files of an export folder by name, the run log's as its lines; the
// "tsi" files, whose query asks for no order, give their line counts and,
// all together, their sorted rows.
std::map<std::string, std::string> exportedFiles(const fs::path& folder) {
  std::map<std::string, std::string> files;
  std::vector<std::string> tsiRows;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename();
    const bool tsi = name.rfind("tsi_", 0) == 0;
    std::istringstream bytes(readFile(entry.path()));
    int count = 0;
    for (std::string line; std::getline(bytes, line); ++count) {
      if (tsi) tsiRows.push_back(line);
      else files[name] += line + "\n";
    }
    if (tsi) files[name] = std::to_string(count) + " lines";
    if (name == "Kexporter.log") files[name] = testing::PrintToString(runLogLines(readFile(entry.path())));
  }
  std::sort(tsiRows.begin(), tsiRows.end());
  for (const std::string& row : tsiRows) files["tsi rows"] += row + "\n";
  return files;
}

// The program's diagnostic messages so far, then forgotten.
std::string takeMessages(const Installation& installation) {
  const std::string text = readFile(installation.root() / "messages.log");
  fs::remove(installation.root() / "messages.log");
  return text;
}

}  // namespace

TEST(RemoteExport, SameFilesAsFromTheSqliteFile) {
  SKIP_WITHOUT_TEST_SERVER(server);
  PgTestSchema schema(*server);
  Installation installation(kProgramName);
  const fs::path demo = installation.root() / "demo";
  ASSERT_TRUE(schema.loadDemo(demo, "--accounts 3000 --groups 40 --members 1200 --tsis 900"));
  installation.settings("[Kexporter]\nCSVMAXLINE=400\n");
  const fs::path fromServer = installation.root() / "from-server";
  const fs::path fromFile = installation.root() / "from-file";
  fs::create_directories(fromServer);
  fs::create_directories(fromFile);

  installation.registry(readFile(demo / "registry.reg"));  // NXV5 set to Remote
  const ProgramRun remote =
      installation.run({"--console", "--yes", "--output", fromServer.string()});
  installation.registry(installation.registryText());
  fs::copy_file(demo / "nxv5" / "data" / "ud_gwAddress.db", installation.database(),
                fs::copy_options::overwrite_existing);
  const ProgramRun local = installation.run({"--console", "--yes", "--output", fromFile.string()});

  // An account twice and group rows without an owner, which both engines'
  // checks note alike (the exports above keep the join's member order,
  // which a dropped index would change).
  const std::string notable =
      "drop index umAccount_ac_guid;"
      "insert into umAccount(ac_guid, ac_id, ac_name, ac_storeTray) select ac_guid, "
      "(select max(ac_id) + 1 from umAccount), ac_name, ac_storeTray from umAccount where ac_id = 1;"
      "insert into umGroup values ('ghost', 'x');";
  installation.sql(notable);
  const ProgramRun localCheck = installation.run({"--check"});
  schema.sql(notable);
  installation.registry(readFile(demo / "registry.reg"));
  const ProgramRun remoteCheck = installation.run({"--check"});

  EXPECT_EQ(remote.status, 0) << remote.err;
  EXPECT_EQ(local.status, 0) << local.err;
  EXPECT_EQ(remoteCheck.status, 0) << remoteCheck.err;
  EXPECT_EQ(localCheck.out, remoteCheck.out);
  EXPECT_NE(std::string::npos, localCheck.out.find("\n0 problems, 2 notes\n")) << localCheck.out;
  const std::map<std::string, std::string> expected = exportedFiles(fromFile);
  EXPECT_EQ(expected.count("tsi_3.csv"), 1u) << "the files are split";
  EXPECT_EQ(expected.count("group_1.csv"), 1u);
  EXPECT_TRUE(exportedFiles(fromServer) == expected);
}

// A server of the test's own, stopped in the middle of an export. (Failed
// connections and a backend that stops answering: the parity test, on both
// builds.)
TEST(RemoteExport, AServerStoppedMidExportFailsTheRun) {
  SKIP_WITHOUT_TEST_SERVER(shared);
  PrivateServer server;
  ASSERT_TRUE(server.settings);
  const PgServer& settings = *server.settings;
  Installation installation(kProgramName);
  installation.registry(installation.registryText("nxv5", remoteConnectionValues(settings.host, settings.port)));
  PgTestSchema schema(settings);
  schema.sql("CREATE TABLE umAccount(ac_guid text, ac_id integer, ac_name text,"
             " ac_storeTray integer);"
             "INSERT INTO umAccount SELECT 'guid-' || g, g, 'name ' || g, 1"
             " FROM generate_series(1, 300000) g;"
             "CREATE TABLE umGroup(gr_ownerguid text, gr_guid text);"
             "CREATE TABLE umTSI(ts_code text, ts_guid text, ts_sender text);");
  const fs::path first = installation.outputFolder() / "destination_1.csv";
  RunningProgram program(installation, installation.exportArgs());
  waitUntil([&] { return fs::exists(first); });
  // Held while the server stops, so that the export meets it mid-way.
  program.signal(SIGSTOP);
  server.stop();
  program.signal(SIGCONT);
  const ProgramRun run = program.finish(seconds(60));
  EXPECT_EQ(run.status, 1) << "-1: the export hangs";
  EXPECT_NE(run.err.find(kAccessWarning), std::string::npos) << run.err;
  const std::string messages = takeMessages(installation);
  EXPECT_NE(messages.find("terminating connection due to administrator command"), std::string::npos)
      << messages;
  EXPECT_NE(messages.find("rc = 0x800704d4"), std::string::npos) << messages;
}
