#ifndef KEXPORTER_CONSOLE_CONSOLETEXT_H
#define KEXPORTER_CONSOLE_CONSOLETEXT_H

#include <string>

// The export's texts end lines in CR LF, as its dialogs and files want; a
// terminal wants LF alone.
std::string withTerminalLineEnds(const std::string& text);

// The text without its closing CR LF or LF, if it has one.
std::string withoutLineEnd(const std::string& text);

#endif
