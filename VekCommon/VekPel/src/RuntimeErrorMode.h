#ifndef VEKPEL_RUNTIMEERRORMODE_H
#define VEKPEL_RUNTIMEERRORMODE_H

// Sends the C runtime's own error messages to standard error rather than to
// a message box, as the library does when it is loaded. One implementation
// per platform (RuntimeErrorMode-posix.cpp, RuntimeErrorMode-win32.cpp).
void sendRuntimeErrorsToStandardError();

#endif
