#ifndef KEXPORTER_FILES_SUPPORTROUTINES_H
#define KEXPORTER_FILES_SUPPORTROUTINES_H

#include <ctime>
#include <string>

// The folder of the running program's executable (from /proc/self/exe; on
// Windows from GetModuleFileNameW), ending in its separator ("/", on Windows
// a backslash) so that a file name can be appended directly; "/" for a
// program in the root folder, the drive and one backslash for a program on a
// drive root. The empty text when the path cannot be read.
std::string programFolder();

// The machine's local time now, its time zone read anew.
std::tm localTimeNow();

// value in decimal: a leading "-" for negative values, no leading zeros.
std::string intToText(int value);

#endif
