#ifndef KEXPORTER_DATABASE_QUERYTESSTUB_H
#define KEXPORTER_DATABASE_QUERYTESSTUB_H

#include <string>

#include "Pelcore/VekRC.h"

// Starts and ends the database client for the whole process. Its state is
// process-wide and not locked: the export run starts the client, uses the
// database and ends the client on one thread.
class QueryTesStub {
 public:
  // Starts the client for the installed server: server type 0 chooses the
  // NXV4 key for version "V2" or "V3" and the NXV5 key for any other text,
  // type 1 the ED-K1 key. 0 when started, or when it ran already (nothing
  // is done then). 0x80070057 for another server type (nothing changes);
  // otherwise the database library's code. Failures are logged under
  // "QueryTesStub".
  static VekRC initializeTessel(int serverType, std::string version);
  // Ends the client if it runs and resets the state; 0.
  static VekRC terminateTessel();

  // The process-wide state: whether the client runs, and the server type
  // last requested (2: none).
  static bool clientStarted();
  static int serverType();
};

#endif
