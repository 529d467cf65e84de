#ifndef VEKPEL_VEKCONFIGURATION_H
#define VEKPEL_VEKCONFIGURATION_H

#include "Pelcore/PelTypes.h"
#include "Pelcore/PelUnicodeString.h"

// The installation's settings below the parameter source. Each is read from
// the store once per process and then answered from memory; a missing
// "VekPath" and a port number of 0 are read again at the next call.
class VekConfiguration {
 public:
  // "VekPath", the installation's top folder. A missing value writes one
  // error message and raises the VekRC 0x8000FFFF; nothing is kept then.
  static const PelUnicodeString& getTopPath();
  // The top path, the platform's separator ("/", "\" on Windows), then
  // `name`; raises as getTopPath.
  static PelUnicodeString getPath(const char16_t* name);
  // "VekFullTextOnMemory"; PelFalse when missing.
  static PelBoolean getFullTextOnMemory();
  // "VekTesselConnection": 2 for "Remote", else 1 ("InProcess", any other
  // text, missing). Letter case is ignored.
  static int getTesselConnection();
  // "VekTesselHostName", or "localhost" when missing or empty. Never empty.
  static const PelUnicodeString& getTesselHostName();
  // "VekTesselPortNumber"; 0 when missing, and 0 is read again next time.
  static int getTesselPortNumber();
};

#endif
