#include "QueryTesStub.h"

#include "CatchBlocks.h"
#include "Pelcore/PelMessage.h"
#include "VekOdb/OdbDataSource.h"
#include "VekPel/VekDefaultParameter.h"

namespace {

const char* const kSource = "QueryTesStub";
constexpr int kLineInitializeTrace = 85;
constexpr int kLineBadServerType = 107;
constexpr int kLineInitializeTesselError = 125;
constexpr int kLineInitializeCatch = 131;
constexpr int kLineTerminateTrace = 150;
constexpr int kLineTerminateCatch = 161;

constexpr int kNoServerType = 2;

const char16_t* const kKeyNxv4Gw = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV4\\GW";
const char16_t* const kKeyNxv5Gw = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\GW";
const char16_t* const kKeyNxv5EdK1 = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvik\\Fenwick\\NXV5\\ED-K1";

// Process-wide; see the class comment.
int clientStartedFlag = 0;
int requestedServerType = kNoServerType;

// The registry key of the installed server, or null for an unknown type.
const char16_t* serverKey(int serverType, const std::string& version) {
  switch (serverType) {
    case 0:
      return version == "V2" || version == "V3" ? kKeyNxv4Gw : kKeyNxv5Gw;
    case 1:
      return kKeyNxv5EdK1;
    default:
      return nullptr;
  }
}

}  // namespace

VekRC QueryTesStub::initializeTessel(int serverType, std::string version) {
  PelMessageSelection::debug(kSource, kLineInitializeTrace) << "initializeTessel" << PelEndl;
  try {
    if (clientStartedFlag != 0) return VEK_S_OK;
    const char16_t* key = serverKey(serverType, version);
    if (key == nullptr) {
      PelMessageSelection::error(kSource, kLineBadServerType)
          << "Bad Parameter : ServerType is " << serverType << ". rc = 0x" << PelHex
          << VEK_E_INVALIDARG << PelEndl;
      return standardCatchOf(VEK_E_INVALIDARG, kSource, kLineInitializeCatch);
    }
    requestedServerType = serverType;
    // The thread needs no set-up of its own: the database library ties its
    // client to the thread that starts it.
    VekDefaultParameter::setParameterSource(key);
    const VekRC rc = OdbDataSource::InitializeTessel(key);
    if (rc != VEK_S_OK) {
      if (rc != VEK_E_PASSON) {
        PelMessageSelection::error(kSource, kLineInitializeTesselError)
            << "OdbDataSource::InitializeTessel Error. rc = 0x" << PelHex << rc << PelEndl;
      }
      return standardCatchOf(rc, kSource, kLineInitializeCatch);
    }
    clientStartedFlag = 1;
    return VEK_S_OK;
  } catch (...) {
    return standardCatch(kSource, kLineInitializeCatch);
  }
}

VekRC QueryTesStub::terminateTessel() {
  PelMessageSelection::debug(kSource, kLineTerminateTrace) << "terminateTessel" << PelEndl;
  try {
    if (clientStartedFlag != 0) {
      OdbDataSource::TerminateTessel();
      clientStartedFlag = 0;
      requestedServerType = kNoServerType;
    }
    return VEK_S_OK;
  } catch (...) {
    return standardCatch(kSource, kLineTerminateCatch);
  }
}

bool QueryTesStub::clientStarted() { return clientStartedFlag != 0; }

int QueryTesStub::serverType() { return requestedServerType; }
