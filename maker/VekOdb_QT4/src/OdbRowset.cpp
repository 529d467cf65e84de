#include "VekOdb/OdbRowset.h"

#include "OdbClient.h"
#include "OdbConnection.h"
#include "OdbCursor.h"
#include "OdbLog.h"
#include "Pelcore/PelMessage.h"
#include "VekOdb/OdbSession.h"

namespace {

bool isColumnType(std::int32_t type) {
  return type == kColumnBool || type == kColumnDateTime || type == kColumnInteger ||
         type == kColumnText || type == kColumnBool15;
}

bool bindingsUsable(int count, const ColumnBinding* bindings) {
  if (count < 0 || (count > 0 && bindings == nullptr)) return false;
  for (int i = 0; i < count; ++i) {
    if (isColumnType(bindings[i].type)) continue;
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "Column " << i << " has the unknown type " << bindings[i].type << ". rc = 0x" << PelHex
        << VEK_E_INVALIDARG << PelEndl;
    return false;
  }
  return true;
}

}  // namespace

OdbRowset::OdbRowset() = default;

OdbRowset::~OdbRowset() = default;

VekRC OdbRowset::Initialize(OdbSession* session, const char16_t* query, int /*mode*/,
                            int /*reserved1*/, int /*reserved2*/, int count,
                            ColumnBinding* bindings) {
  const VekRC rc = OdbClient::checkCaller();
  if (rc != VEK_S_OK) return rc;
  cursor_.reset();
  if (session == nullptr || !session->connection_ || query == nullptr) return VEK_E_INVALIDARG;
  if (!bindingsUsable(count, bindings)) return VEK_E_INVALIDARG;
  return session->connection_->execute(query, count, bindings, cursor_);
}

VekRC OdbRowset::GetNextRow(int /*reserved*/) {
  const VekRC rc = OdbClient::checkCaller();
  if (rc != VEK_S_OK) return rc;
  if (!cursor_) {
    PelMessageSelection::error(kOdbMessageSource, __LINE__)
        << "GetNextRow without a query. rc = 0x" << PelHex << VEK_E_UNEXPECTED << PelEndl;
    return VEK_E_UNEXPECTED;
  }
  return cursor_->fetch();
}
