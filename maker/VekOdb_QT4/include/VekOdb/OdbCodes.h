#ifndef VEKODB_ODBCODES_H
#define VEKODB_ODBCODES_H

#include "Pelcore/VekRC.h"

// Codes of the database library beyond those of VekRC.h, in the COM result
// layout. Each names the one cause it stands for.
constexpr VekRC ODB_E_NOTSTARTED = 0x800401F0;       // the client is not started
constexpr VekRC ODB_E_WRONGTHREAD = 0x8001010E;      // called from another thread than the client's
constexpr VekRC ODB_E_NOTIMPL = 0x80004001;          // the installation's connection mode is not available
constexpr VekRC ODB_E_FILENOTFOUND = 0x80070002;     // the database (file) does not exist
constexpr VekRC ODB_E_ACCESSDENIED = 0x80070005;     // the database (file) may not be read
constexpr VekRC ODB_E_OUTOFMEMORY = 0x8007000E;
constexpr VekRC ODB_E_NOTADATABASE = 0x80070570;     // the file is not a database, or is damaged
constexpr VekRC ODB_E_TIMEOUT = 0x800705B4;          // locked beyond the busy timeout, or no answer in time
constexpr VekRC ODB_E_CANTCONNECT = 0x800704C9;      // the database server cannot be reached
constexpr VekRC ODB_E_CONNECTIONLOST = 0x800704D4;   // the connection to the server broke off
constexpr VekRC ODB_E_AUTHFAILED = 0x80040E4D;       // the server refused the user or password
constexpr VekRC ODB_E_OBJECTOPEN = 0x80040E05;       // the data source already has a session reading
constexpr VekRC ODB_E_CANTCONVERTVALUE = 0x80040E07; // a value does not fit the column's bound type
constexpr VekRC ODB_E_ERRORSINCOMMAND = 0x80040E14;  // the query text has an error
constexpr VekRC ODB_E_NOTABLE = 0x80040E37;          // the query names a table that does not exist
constexpr VekRC ODB_E_DATAOVERFLOW = 0x80040E57;     // an integer beyond 32 bits

// A database locked by another process is waited for this long, then the
// call fails with ODB_E_TIMEOUT. The environment variable
// VEKODB_BUSY_TIMEOUT_MS, a positive whole number of milliseconds, sets
// another wait (tests use a short one).
constexpr int kOdbBusyTimeoutMilliseconds = 5000;
inline constexpr const char* kOdbBusyTimeoutVariable = "VEKODB_BUSY_TIMEOUT_MS";

#endif
