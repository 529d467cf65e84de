#ifndef PELCORE_PELWIN32TEXT_H
#define PELCORE_PELWIN32TEXT_H

#include <string>

// The program's UTF-8 text and the Windows encodings the system calls take:
// UTF-16 for the wide calls, the ANSI code page (932 on a Japanese system)
// for the narrow ones. Windows build only.

// utf8 as UTF-16; an invalid byte becomes U+FFFD.
std::wstring widened(const std::string& utf8);
// UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8Of(const std::wstring& wide);
// Text in the ANSI code page as UTF-8.
std::string utf8FromAnsi(const std::string& ansi);
// utf8 in the ANSI code page; a character the code page lacks becomes "?".
std::string ansiFromUtf8(const std::string& utf8);

#endif
