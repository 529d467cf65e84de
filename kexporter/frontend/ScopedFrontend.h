#ifndef KEXPORTER_FRONTEND_SCOPEDFRONTEND_H
#define KEXPORTER_FRONTEND_SCOPEDFRONTEND_H

#include "Frontend.h"

// Makes a front end the one in use for this object's lifetime and puts the
// default back on every way out, so the process-wide pointer never outlives
// the front end it points to. REQUIRES: one at a time; the front end
// outlives this object.
class ScopedFrontend {
 public:
  explicit ScopedFrontend(Frontend& frontend) { setFrontend(&frontend); }
  ~ScopedFrontend() { setFrontend(nullptr); }
  ScopedFrontend(const ScopedFrontend&) = delete;
  ScopedFrontend& operator=(const ScopedFrontend&) = delete;
};

#endif
