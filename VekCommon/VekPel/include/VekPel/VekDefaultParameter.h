#ifndef VEKPEL_VEKDEFAULTPARAMETER_H
#define VEKPEL_VEKDEFAULTPARAMETER_H

#include "Pelcore/PelTypes.h"
#include "Pelcore/PelUnicodeString.h"

// Typed configuration parameters below one process-wide parameter source, a
// registry key's full text. A key is a zero-terminated UTF-16 value name
// below the source. Nothing here catches what the common library raises.
class VekDefaultParameter {
 public:
  // Sets the parameter source to `source` followed by "\VEK" and writes one
  // debug message "set [<source>]". Only the first call in a process takes
  // effect; later calls change nothing and write nothing. Set it before
  // other threads use the library: until then the source is the empty text.
  static void setParameterSource(const char16_t* source);
  // The parameter source as set, or the empty text before it is set.
  static PelUnicodeString parameterSource();

  // Value forms: what the common library's value reads give, so 0 or the
  // empty text for a missing value or one of another type.
  static PelUnicodeString getString(const char16_t* key);
  static int getInteger(const char16_t* key);
  static PelULong getUnsignedLong(const char16_t* key);
  static PelSize getPelSize(const char16_t* key);
  // The stored 32-bit unsigned value, zero-extended: never sign-extended.
  static PelFileSize getPelFileSize(const char16_t* key);
  static PelBoolean getBoolean(const char16_t* key);

  // Output forms: PelTrue and `value` set when the value was read; PelFalse
  // and `value` as it was otherwise.
  static PelBoolean getString(PelUnicodeString& value, const char16_t* key);
  static PelBoolean getInteger(int& value, const char16_t* key);
  static PelBoolean getUnsignedLong(PelULong& value, const char16_t* key);
  static PelBoolean getPelSize(PelSize& value, const char16_t* key);
  static PelBoolean getPelFileSize(PelFileSize& value, const char16_t* key);
  static PelBoolean getBoolean(PelBoolean& value, const char16_t* key);
  // Writes the value, or the empty text when nothing was read, with its
  // terminating zero into `buffer`; returns whether it was read.
  // REQUIRES: buffer has room for the whole value and its terminator.
  static PelBoolean getString(char16_t* buffer, const char16_t* key);

  // Writes and deletion: PelTrue when done. The caches below keep what they
  // hold.
  static PelBoolean setString(const char16_t* key, const char16_t* value);
  static PelBoolean setInteger(const char16_t* key, int value);
  static PelBoolean setUnsignedLong(const char16_t* key, PelULong value);
  static PelBoolean setBoolean(const char16_t* key, PelBoolean value);
  static PelBoolean deleteValue(const char16_t* key);

  // Cached forms: the first request for a key reads it with the value form
  // above; every later one returns that first value for the life of the
  // process, without the store. Each family has its own cache, and a key is
  // read at most once per cache however many threads ask at once. A string
  // reference stays valid until the library is unloaded.
  static const PelUnicodeString& getCachedString(const char16_t* key);
  static int getCachedInteger(const char16_t* key);
  static PelULong getCachedUnsignedLong(const char16_t* key);
  static PelSize getCachedPelSize(const char16_t* key);
  static PelFileSize getCachedPelFileSize(const char16_t* key);
  static PelBoolean getCachedBoolean(const char16_t* key);
};

#endif
