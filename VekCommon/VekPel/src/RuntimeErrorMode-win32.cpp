#include <stdlib.h>

#include "RuntimeErrorMode.h"

void sendRuntimeErrorsToStandardError() { _set_error_mode(_OUT_TO_STDERR); }
