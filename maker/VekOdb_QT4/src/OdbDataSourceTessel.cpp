#include "VekOdb/OdbDataSourceTessel.h"

#include <string>

#include "OdbClient.h"
#include "OdbConnection.h"
#include "OdbEngine.h"

namespace {

// The name becomes part of a file path; it must not lead out of the data
// folder, by either platform's separator.
bool isDatabaseName(const char16_t* database) {
  if (database == nullptr || *database == u'\0') return false;
  return std::u16string_view(database).find_first_of(u"/\\") == std::u16string_view::npos;
}

}  // namespace

OdbDataSourceTessel::OdbDataSourceTessel() = default;

OdbDataSourceTessel::~OdbDataSourceTessel() = default;

VekRC OdbDataSourceTessel::Initialize(const char16_t* /*host*/, const char16_t* database,
                                      const char16_t* /*third*/, const char16_t* /*fourth*/) {
  const VekRC rc = OdbClient::checkCaller();
  if (rc != VEK_S_OK) return rc;
  if (connection_) return VEK_E_UNEXPECTED;
  if (!isDatabaseName(database)) return VEK_E_INVALIDARG;
  return openOdbConnection(OdbClient::settings(), database, connection_);
}
