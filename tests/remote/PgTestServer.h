#ifndef TESTS_REMOTE_PGTESTSERVER_H
#define TESTS_REMOTE_PGTESTSERVER_H

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// A PostgreSQL server of scripts/postgres-test-server.sh: where it listens,
// its user and password, and the CA file that signed its TLS certificate
// (for the name "localhost").
struct PgServer {
  std::string host, port, user, password, caFile;
};

// The server that scripts/test.sh started for all tests (KEXPORTER_TEST_PGHOST
// and its companions); nullopt when none was.
std::optional<PgServer> sharedServer();

#define SKIP_WITHOUT_TEST_SERVER(server)                  \
  const std::optional<PgServer> server = sharedServer(); \
  if (!server) GTEST_SKIP() << "no test server: KEXPORTER_TEST_PGHOST is not set"

// The registry values (regedit lines, CR LF) of an installation set to
// Remote that reads from `host` at `port`.
std::string remoteConnectionValues(const std::string& host, const std::string& port);

// A server of the test's own, which the test may stop; removed at the end.
struct PrivateServer {
  PrivateServer();
  ~PrivateServer() { stop(); }
  void stop();

  const std::string folder;
  std::optional<PgServer> settings;
};

// A name server that takes questions and never answers, at a loopback
// address of this process's own, and a resolver configuration naming it,
// which a program sees as /etc/resolv.conf in a mount namespace of its own.
struct SilentResolver {
  explicit SilentResolver(const std::filesystem::path& folder);
  ~SilentResolver();

  int socket;
  std::filesystem::path conf;
  bool bound = false;
};

// A loopback port that takes connections and never answers, as a hung
// server does.
struct SilentPort {
  SilentPort();
  ~SilentPort();

  int socket;
  std::string port;
};

// Runs `sql` in `database`; the server's error text, empty on success. The
// first value of its rows, if any, goes to `value`.
std::string pgRun(const PgServer& server, const std::string& database, const std::string& sql,
                  std::string* value = nullptr);

// A schema of its own in the database ud_gwAddress, which this process and
// the programs it starts log in to and read (PGUSER, PGPASSWORD, PGOPTIONS)
// while it lives, so that tests running at the same time do not meet.
class PgTestSchema {
 public:
  explicit PgTestSchema(const PgServer& server);
  ~PgTestSchema();

  void sql(const std::string& statements) const;
  // Loads the demo data into the schema and writes a registry file naming
  // the server into `folder`; true when it worked.
  bool loadDemo(const std::filesystem::path& folder, const std::string& options) const;

 private:
  PgServer server_;
  std::string name_;
};

#endif
