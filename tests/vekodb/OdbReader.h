#ifndef TESTS_VEKODB_ODBREADER_H
#define TESTS_VEKODB_ODBREADER_H

#include "VekOdb/OdbDataSourceTessel.h"
#include "VekOdb/OdbRowset.h"
#include "VekOdb/OdbSession.h"

// Data source, session and one rowset of the database library, released in
// order at the end, as a program of the library uses them.
class OdbReader {
 public:
  ~OdbReader() { close(); }

  VekRC open(const char16_t* database) {
    VekRC rc = source_.Initialize(u"localhost", database, u"L", u"");
    if (rc != VEK_S_OK) return rc;
    rc = source_.CreateSession(&session_);
    return rc != VEK_S_OK ? rc : session_->Initialize(&source_, 1);
  }
  VekRC query(const char16_t* text, int count, ColumnBinding* bindings) {
    session_->ReleaseRowset(&rowset_);
    const VekRC rc = session_->CreateRowset(&rowset_);
    return rc != VEK_S_OK ? rc : rowset_->Initialize(session_, text, 10, 0, 0, count, bindings);
  }
  // The single integer of a count query, or -1.
  int count(const char16_t* text) {
    ColumnBinding binding;
    binding.type = kColumnInteger;
    if (query(text, 1, &binding) != VEK_S_OK || next() != VEK_S_OK) return -1;
    return binding.value;
  }
  VekRC next() { return rowset_->GetNextRow(0); }
  void close() {
    if (session_ != nullptr) session_->ReleaseRowset(&rowset_);
    source_.ReleaseSession(&session_);
  }
  OdbDataSourceTessel& source() { return source_; }
  OdbSession* session() { return session_; }

 private:
  OdbDataSourceTessel source_;
  OdbSession* session_ = nullptr;
  OdbRowset* rowset_ = nullptr;
};

#endif
