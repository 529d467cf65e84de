#include "VekOdb/OdbDataSource.h"

#include <new>

#include "OdbClient.h"
#include "OdbConnection.h"
#include "VekOdb/OdbSession.h"

VekRC OdbDataSource::InitializeTessel(const char16_t* key) { return OdbClient::start(key); }

VekRC OdbDataSource::TerminateTessel() { return OdbClient::stop(); }

OdbDataSource::OdbDataSource() = default;

OdbDataSource::~OdbDataSource() = default;

VekRC OdbDataSource::CreateSession(OdbSession** session) {
  if (session == nullptr) return VEK_E_INVALIDARG;
  *session = nullptr;
  const VekRC rc = OdbClient::checkCaller();
  if (rc != VEK_S_OK) return rc;
  if (!connection_) return VEK_E_UNEXPECTED;
  *session = new (std::nothrow) OdbSession();
  return *session == nullptr ? VEK_E_NOTCREATED : VEK_S_OK;
}

VekRC OdbDataSource::ReleaseSession(OdbSession** session) {
  if (session == nullptr) return VEK_S_OK;
  delete *session;
  *session = nullptr;
  return VEK_S_OK;
}
