#ifndef VEKODB_PGCURSOR_H
#define VEKODB_PGCURSOR_H

#include <memory>
#include <string>
#include <vector>

#include "OdbCursor.h"
#include "PgResult.h"
#include "VekOdb/ColumnBinding.h"

class PgConnection;

// A cursor declared on the server and its rows, fetched in batches so that
// only one batch is held in memory however many rows the query gives.
class PgCursor : public OdbCursor {
 public:
  // The cursor `name`, declared in the connection's snapshot `snapshot` for
  // `query` (UTF-8, for messages); keeps the connection open while it runs.
  PgCursor(std::shared_ptr<PgConnection> connection, std::string name, unsigned snapshot,
           std::string query, int count, ColumnBinding* bindings);
  // Closes the server's cursor while its snapshot lasts.
  ~PgCursor() override;
  PgCursor(const PgCursor&) = delete;
  PgCursor& operator=(const PgCursor&) = delete;

  // Fetches the first batch and checks that the query gives the bound
  // columns, so that it fails here rather than at the first fetch. 0, or
  // the code, logged.
  VekRC start();
  VekRC fetch() override;

 private:
  VekRC fetchBatch();
  VekRC storeRow();

  std::shared_ptr<PgConnection> connection_;
  std::string name_;
  unsigned snapshot_;
  std::string query_;
  int count_;
  ColumnBinding* bindings_;
  std::vector<std::u16string> texts_;  // the text values of the current row
  PgResultPtr batch_;
  int nextRow_ = 0;          // the row of batch_ that fetch stores next
  bool lastBatch_ = false;   // the server has no rows beyond batch_
  // A cursor whose fetch failed is gone with the failed statement.
  VekRC failure_ = VEK_S_OK;
};

#endif
