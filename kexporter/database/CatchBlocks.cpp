#include "CatchBlocks.h"

#include "Pelcore/PelException.h"
#include "Pelcore/PelMessage.h"

namespace {

// The one error number of the common library that callers tell apart.
constexpr int kPelErrorWithOwnCode = 2028;

}  // namespace

VekRC standardCatch(const char* source, int line) {
  try {
    throw;
  } catch (const PelException& e) {
    PelMessageSelection::error(source, line) << e << PelEndl;
    return e.errorNumber() == kPelErrorWithOwnCode ? VEK_E_PELEXCEPTION : VEK_E_UNEXPECTED;
  } catch (VekRC rc) {
    return standardCatchOf(rc, source, line);
  } catch (...) {
    PelMessageSelection::error(source, line) << "Exception occurred" << PelEndl;
    return VEK_E_UNEXPECTED;
  }
}

VekRC standardCatchOf(VekRC rc, const char* source, int line) {
  if (rc == VEK_E_UNEXPECTED) {
    PelMessageSelection::error(source, line) << "Unexpected exception occurred" << PelEndl;
  } else {
    PelMessageSelection::normal(source, line) << "VekRC caught: 0x" << PelHex << rc << PelEndl;
  }
  return rc;
}

void rethrowingCatch(const char* source, int line) {
  try {
    throw;
  } catch (const PelException& e) {
    if (PelErrorHandle::shouldOutputMessage(e)) {
      PelMessageSelection::error(source, line) << e << PelEndl;
    }
    throw;
  } catch (VekRC rc) {
    PelMessageSelection::normal(source, line) << "VekRC caught: 0x" << PelHex << rc << PelEndl;
    throw;
  } catch (...) {
    PelMessageSelection::normal(source, line) << "Unknown exception occurred" << PelEndl;
    throw;
  }
}
