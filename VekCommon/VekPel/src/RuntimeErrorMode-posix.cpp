#include "RuntimeErrorMode.h"

// The POSIX runtime writes its errors to standard error already.
void sendRuntimeErrorsToStandardError() {}
