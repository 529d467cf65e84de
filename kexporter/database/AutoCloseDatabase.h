#ifndef KEXPORTER_DATABASE_AUTOCLOSEDATABASE_H
#define KEXPORTER_DATABASE_AUTOCLOSEDATABASE_H

#include "Pelcore/PelUnicodeString.h"
#include "Pelcore/VekRC.h"
#include "VekOdb/ColumnBinding.h"

class OdbDataSource;
class OdbRowset;
class OdbSession;

// The source name of the messages of AutoCloseDatabase and AutoCloseRowset.
inline constexpr const char* kAutoCloseDatabaseSource = "AutoCloseDatabase";

// The one way into a database: owns a data source, its session and at most
// one open rowset, and releases them (rowset, session, data source) when
// closed or destroyed. Every failure is logged under the source name
// "AutoCloseDatabase" and reported as a VekRC. Used by one thread at a time.
//
// Two limits of the hooks: the destructor is not virtual, so a derived
// database must be destroyed as itself, never through a pointer to this
// class; and the destructor's Close runs after the derived part is gone, so
// AfterClose is reached only through an explicit Close.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AutoCloseDatabase {
 public:
  // The four connection texts are copied; what the third and fourth mean is
  // the database library's business.
  AutoCloseDatabase(const char16_t* host, const char16_t* database, const char16_t* third,
                    const char16_t* fourth);
  // Closes with 0, discarding the result.
  ~AutoCloseDatabase();
  AutoCloseDatabase(const AutoCloseDatabase&) = delete;
  AutoCloseDatabase& operator=(const AutoCloseDatabase&) = delete;

  // Connects and begins the session. 0 when open; otherwise the failing
  // step's code (0x800402D2 when an object was not created). What is built
  // stays held until Close; what an earlier Open built is closed first.
  // Exceptions of the library pass through.
  VekRC Open();
  // Releases rowset, session and data source, whatever is held. Returns rc
  // when it is nonzero, else 0 or the code of an exception caught while
  // releasing. A second Close changes nothing.
  VekRC Close(VekRC rc);

  // Releases the current rowset and runs `query` into `bindings` (`count`
  // records whose types the caller has set). 0 when the rowset is open;
  // otherwise the code, logged. Without an open session 0x8000FFFF.
  VekRC CreateRowset(const char16_t* query, int reserved1, int reserved2, int columnCount,
                     ColumnBinding* bindings);
  // The next row into the bindings: 0; 0x8004021A after the last row;
  // another code on a failure, also when no rowset is open (0x8000FFFF).
  VekRC GetNextRow(int x);
  // Releases the current rowset; without one, nothing changes. Exceptions
  // are logged and passed on.
  void CloseRowset();

  // The option the session is begun with: 1.
  virtual int SessionOption();
  // Called by Close after it has deleted a data source; does nothing here.
  virtual void AfterClose();

 private:
  OdbDataSource* dataSource_ = nullptr;  // owned
  OdbSession* session_ = nullptr;
  OdbRowset* rowset_ = nullptr;
  int columnCount_ = 0;
  ColumnBinding* bindings_ = nullptr;  // the caller's, of the open rowset
  PelUnicodeString host_;
  PelUnicodeString database_;
  PelUnicodeString third_;
  PelUnicodeString fourth_;
};
#pragma GCC diagnostic pop

#endif
