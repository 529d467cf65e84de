#ifndef KEXPORTER_DATABASE_CATCHBLOCKS_H
#define KEXPORTER_DATABASE_CATCHBLOCKS_H

#include "Pelcore/VekRC.h"

// The two ways the database layer handles what the libraries throw. Both
// are called from inside a `catch (...)` handler and look at the exception
// being handled; `source` and `line` name the catch block in the messages.

// Logs the exception and turns it into a code: a PelException gives
// 0x800402D6 for error number 2028, else 0x8000FFFF; a thrown VekRC is
// returned as it is; anything else gives 0x8000FFFF.
VekRC standardCatch(const char* source, int line);

// The standard catch block's handling of a code raised as a plain value,
// without raising it: logs rc as that block logs a caught VekRC and returns
// it. For the operations whose own failures end in their catch block's
// message.
VekRC standardCatchOf(VekRC rc, const char* source, int line);

// Logs the exception (a PelException only when its level asks for it) and
// throws it on.
[[noreturn]] void rethrowingCatch(const char* source, int line);

#endif
