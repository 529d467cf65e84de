#ifndef VEKODB_ODBCURSOR_H
#define VEKODB_ODBCURSOR_H

#include "Pelcore/VekRC.h"

// The running query of a rowset.
class OdbCursor {
 public:
  virtual ~OdbCursor() = default;

  // Stores the next row in the bindings: 0; VEK_E_NOMOREROWS after the last
  // row and on every later call; another code, with an error message, when
  // the row cannot be read.
  virtual VekRC fetch() = 0;
};

#endif
