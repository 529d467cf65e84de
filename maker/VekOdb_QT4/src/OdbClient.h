#ifndef VEKODB_ODBCLIENT_H
#define VEKODB_ODBCLIENT_H

#include <string>

#include "Pelcore/VekRC.h"

// How the installation's database engine is reached, read once at start.
struct OdbClientSettings {
  int connection = 1;  // 1 InProcess, 2 Remote
  std::u16string topPath;
  std::u16string hostName;
  int portNumber = 0;
};

constexpr int kOdbConnectionInProcess = 1;
constexpr int kOdbConnectionRemote = 2;

// The process-wide database client: whether it runs, for which
// installation, and on which thread. Safe to call from any thread.
class OdbClient {
 public:
  // Starts the client on the calling thread; see OdbDataSource::InitializeTessel.
  static VekRC start(const char16_t* key);
  // Ends it; see OdbDataSource::TerminateTessel.
  static VekRC stop();
  // 0 when the client runs and the caller is its thread; otherwise
  // ODB_E_NOTSTARTED or ODB_E_WRONGTHREAD.
  static VekRC checkCaller();
  // The settings read at start. REQUIRES: checkCaller() returned 0.
  static OdbClientSettings settings();
};

#endif
