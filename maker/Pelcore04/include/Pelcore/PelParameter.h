#ifndef PELCORE_PELPARAMETER_H
#define PELCORE_PELPARAMETER_H

#include <cstdint>

#include "Pelcore/PelTypes.h"
#include "Pelcore/PelUnicodeString.h"

// Typed registry parameters. `source` is a registry key's full text, hive
// first ("HKEY_LOCAL_MACHINE\SOFTWARE\..."; "HKLM" stands for the hive), and
// `key` names a value below it. Key paths and value names match without
// regard to ASCII letter case.
//
// On Windows the registry is the system's own: strings are REG_SZ values,
// numbers and booleans REG_DWORD values; a key that cannot be opened for
// another reason than its absence is reported with one diagnostic message.
//
// On POSIX systems the registry is the regedit export file named by
// PEL_REGISTRY, else /etc/opt/tarvik/registry.reg; a missing file is an
// empty registry. Only a regular file of at most 64 MiB is read; anything
// else is refused with one diagnostic message and read as an empty
// registry. The file is read again only when it changed (size, modification
// time, inode, device), so a write by this or another process is seen at
// the next call. A malformed line is skipped with one diagnostic message
// naming the file and line, at each read of the file.
class PelParameter {
 public:
  // Value forms: the value, or 0 / the empty text when it is missing or of
  // another type.
  static PelUnicodeString getString(const PelUnicodeString& source, const PelUnicodeString& key);
  static int getInteger(const PelUnicodeString& source, const PelUnicodeString& key);
  static std::uint32_t getUnsignedInteger(const PelUnicodeString& source, const PelUnicodeString& key);
  static PelBoolean getBoolean(const PelUnicodeString& source, const PelUnicodeString& key);

  // Output forms: PelTrue and the value when it exists with the asked type
  // (strings are "..." values, the others dword values; booleans are any
  // dword, nonzero true). Otherwise PelFalse and `value` is left alone.
  static PelBoolean getString(const PelUnicodeString& source, const PelUnicodeString& key, PelUnicodeString& value);
  static PelBoolean getInteger(const PelUnicodeString& source, const PelUnicodeString& key, int& value);
  static PelBoolean getUnsignedInteger(const PelUnicodeString& source, const PelUnicodeString& key, std::uint32_t& value);
  static PelBoolean getBoolean(const PelUnicodeString& source, const PelUnicodeString& key, PelBoolean& value);

  // Writes create the key where needed; on POSIX they rewrite the file
  // atomically under an exclusive lock and keep every other key, value and
  // comment. A key without a hive, or a key, name or text with a line break,
  // is refused with one diagnostic message. PelTrue when done.
  static PelBoolean setString(const PelUnicodeString& source, const PelUnicodeString& key, const PelUnicodeString& value);
  static PelBoolean setInteger(const PelUnicodeString& source, const PelUnicodeString& key, int value);
  static PelBoolean setUnsignedInteger(const PelUnicodeString& source, const PelUnicodeString& key, std::uint32_t value);
  static PelBoolean setBoolean(const PelUnicodeString& source, const PelUnicodeString& key, PelBoolean value);
  // PelTrue when the value existed and was removed.
  static PelBoolean deleteValue(const PelUnicodeString& source, const PelUnicodeString& key);

  // Number of value reads from the store in this process, for tests that
  // check how often a cache goes to the store.
  static std::uint64_t storeReadCount();
  // Number of times this process has read the registry file from disk, for
  // diagnostics; always 0 on Windows, which has no such file.
  static std::uint64_t fileReadCount();
};

#endif
