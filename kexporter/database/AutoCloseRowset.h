#ifndef KEXPORTER_DATABASE_AUTOCLOSEROWSET_H
#define KEXPORTER_DATABASE_AUTOCLOSEROWSET_H

#include "Pelcore/VekRC.h"
#include "VekOdb/ColumnBinding.h"

class AutoCloseDatabase;

// One query of an AutoCloseDatabase: opened by Initialize, closed when
// destroyed. Query text and bindings are the caller's and must outlive it.
class AutoCloseRowset {
 public:
  AutoCloseRowset(AutoCloseDatabase* database, const char16_t* query, int reserved1,
                  int reserved2, int columnCount, ColumnBinding* bindings);
  // Closes the database's rowset if Initialize opened it.
  ~AutoCloseRowset();
  AutoCloseRowset(const AutoCloseRowset&) = delete;
  AutoCloseRowset& operator=(const AutoCloseRowset&) = delete;

  // Opens the rowset through the database's CreateRowset and returns its
  // code; VEK_E_INVALIDARG without a database.
  VekRC Initialize();

 private:
  AutoCloseDatabase* database_;
  const char16_t* query_;
  int reserved1_;
  int reserved2_;
  int columnCount_;
  ColumnBinding* bindings_;
  bool open_ = false;
};

#endif
