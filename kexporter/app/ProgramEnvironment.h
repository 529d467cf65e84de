#ifndef KEXPORTER_APP_PROGRAMENVIRONMENT_H
#define KEXPORTER_APP_PROGRAMENVIRONMENT_H

#include <string>
#include <vector>

// What the program learns from the system at its start.

// The command line's arguments in UTF-8, the program's own first. On POSIX
// argv as it is; on Windows read as UTF-16 (GetCommandLineW), as argv holds
// them in the ANSI code page and loses what that lacks.
std::vector<std::string> programArguments(int argc, char** argv);

// The executable's file name without folder and ".exe" (pelProgramName);
// the name in argv0 when the system does not tell.
std::string executableBaseName(const char* argv0);

// Whether the dialogs can be shown: on POSIX a graphical display (DISPLAY or
// WAYLAND_DISPLAY set); on Windows a desktop on which a window can be made.
bool hasDisplay();

#endif
