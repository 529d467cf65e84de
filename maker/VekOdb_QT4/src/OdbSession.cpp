#include "VekOdb/OdbSession.h"

#include <new>

#include "OdbClient.h"
#include "OdbConnection.h"
#include "VekOdb/OdbDataSource.h"
#include "VekOdb/OdbRowset.h"

OdbSession::OdbSession() = default;

OdbSession::~OdbSession() {
  if (connection_) connection_->endSnapshot();
}

VekRC OdbSession::Initialize(OdbDataSource* dataSource, int /*option*/) {
  const VekRC rc = OdbClient::checkCaller();
  if (rc != VEK_S_OK) return rc;
  if (dataSource == nullptr || !dataSource->connection_) return VEK_E_INVALIDARG;
  if (connection_) return VEK_E_UNEXPECTED;
  const VekRC begun = dataSource->connection_->beginSnapshot();
  if (begun != VEK_S_OK) return begun;
  connection_ = dataSource->connection_;
  return VEK_S_OK;
}

VekRC OdbSession::CreateRowset(OdbRowset** rowset) {
  if (rowset == nullptr) return VEK_E_INVALIDARG;
  *rowset = nullptr;
  const VekRC rc = OdbClient::checkCaller();
  if (rc != VEK_S_OK) return rc;
  if (!connection_) return VEK_E_UNEXPECTED;
  *rowset = new (std::nothrow) OdbRowset();
  return *rowset == nullptr ? VEK_E_NOTCREATED : VEK_S_OK;
}

VekRC OdbSession::ReleaseRowset(OdbRowset** rowset) {
  if (rowset == nullptr) return VEK_S_OK;
  delete *rowset;
  *rowset = nullptr;
  return VEK_S_OK;
}
