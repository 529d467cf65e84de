#ifndef TESTS_VEKODB_ODBTESTSUPPORT_H
#define TESTS_VEKODB_ODBTESTSUPPORT_H

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Pelcore/PelMessage.h"

// The database client, the parameter source and the installation settings
// live for the whole process. Each scenario runs in a forked child of a
// test process that never touches them, so it meets them as a new process
// does. The child reports its own failures; its exit status carries them.
void inFreshProcess(const std::function<void()>& scenario);

inline const char16_t* const kGwKey = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW";

// One server key of a registry file and the value lines below its "\VEK".
struct RegistryInstallation {
  std::string serverKey;  // e.g. "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW"
  std::string values;     // e.g. "\"VekPath\"=\"/tmp/x\"\n"
};

// A temporary folder holding installations and the registry file, which
// PEL_REGISTRY names while the object lives. Removed afterwards.
class TestInstallation {
 public:
  TestInstallation();
  ~TestInstallation();
  TestInstallation(const TestInstallation&) = delete;
  TestInstallation& operator=(const TestInstallation&) = delete;

  // The top folder of installation `name`, with its data folder created.
  std::string topPath(const std::string& name = "inst") const;
  // <top path>/data/<database>.db of installation `name`.
  std::string databasePath(const std::string& database, const std::string& name = "inst") const;

  // Writes the registry file with these installations.
  void writeRegistry(const std::vector<RegistryInstallation>& installations) const;
  // The usual case: the NXV5 GW server with VekPath at installation "inst"
  // and `moreValues` below it.
  void writeRegistry(const std::string& moreValues = "") const;
  std::string vekPathValue(const std::string& name = "inst") const;

 private:
  std::filesystem::path root_;
  std::string registryPath_;
};

// Runs `sql` on the SQLite file at `path`, creating it; fails the test on
// an error.
void runSql(const std::string& path, const std::string& sql);

// A connection of another program, for writers and lock holders.
class OtherConnection {
 public:
  explicit OtherConnection(const std::string& path);
  ~OtherConnection();
  OtherConnection(const OtherConnection&) = delete;
  OtherConnection& operator=(const OtherConnection&) = delete;
  // Runs `sql`; fails the test on an error.
  void run(const std::string& sql);

 private:
  sqlite3* db_ = nullptr;
};

std::string fileBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// How many descriptors of this process refer to the file at `path`.
int openDescriptorsOf(const std::string& path);

// The recorded messages in the form "level source:line text".
std::vector<std::string> messageLines(const PelMessageRecorder& recorder);

// Seconds that `call` took.
double secondsTaken(const std::function<void()>& call);

#endif
