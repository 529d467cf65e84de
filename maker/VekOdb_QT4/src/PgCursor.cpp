#include "PgCursor.h"

#include "OdbLog.h"
#include "Pelcore/PelMessage.h"
#include "PgColumn.h"
#include "PgConnection.h"

namespace {

// Rows per round trip: few enough to keep memory small, enough to keep the
// round trips cheap.
constexpr int kBatchRows = 1000;

}  // namespace

PgCursor::PgCursor(std::shared_ptr<PgConnection> connection, std::string name, unsigned snapshot,
                   std::string query, int count, ColumnBinding* bindings)
    : connection_(std::move(connection)),
      name_(std::move(name)),
      snapshot_(snapshot),
      query_(std::move(query)),
      count_(count),
      bindings_(bindings),
      texts_(count) {}

PgCursor::~PgCursor() {
  if (failure_ != VEK_S_OK || !connection_->holdsSnapshot(snapshot_)) return;
  PgResultPtr ignored;
  connection_->run("CLOSE " + name_, "Can't close a query on", ignored, query_);
}

VekRC PgCursor::start() {
  const VekRC rc = fetchBatch();
  if (rc != VEK_S_OK) return rc;
  const int columns = pq().PQnfields(batch_.get());
  if (columns > 0 && columns >= count_) return VEK_S_OK;
  failure_ = VEK_E_INVALIDARG;
  PelMessageSelection::error(kOdbMessageSource, __LINE__)
      << "Query gives " << columns << " columns, " << count_ << " bound: " << query_
      << ". rc = 0x" << PelHex << failure_ << PelEndl;
  return failure_;
}

VekRC PgCursor::fetch() {
  if (failure_ != VEK_S_OK) return failure_;
  if (nextRow_ >= pq().PQntuples(batch_.get())) {
    if (lastBatch_) return VEK_E_NOMOREROWS;
    const VekRC rc = fetchBatch();
    if (rc != VEK_S_OK) return rc;
    if (lastBatch_ && pq().PQntuples(batch_.get()) == 0) return VEK_E_NOMOREROWS;
  }
  const VekRC rc = storeRow();
  ++nextRow_;
  return rc;
}

VekRC PgCursor::fetchBatch() {
  static const std::string kFetch = "FETCH FORWARD " + std::to_string(kBatchRows) + " FROM ";
  batch_.reset();
  nextRow_ = 0;
  failure_ = connection_->run(kFetch + name_, "Can't read rows of", batch_, query_);
  if (failure_ != VEK_S_OK) return failure_;
  lastBatch_ = pq().PQntuples(batch_.get()) < kBatchRows;
  return VEK_S_OK;
}

VekRC PgCursor::storeRow() {
  for (int i = 0; i < count_; ++i) {
    const VekRC rc = storePgColumn(batch_.get(), nextRow_, i, bindings_[i], texts_[i]);
    if (rc == VEK_S_OK) continue;
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "Column " << i << " of " << query_ << " does not fit its type " << bindings_[i].type
        << ". rc = 0x" << PelHex << rc << PelEndl;
    return rc;
  }
  return VEK_S_OK;
}
