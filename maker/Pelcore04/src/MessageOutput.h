#ifndef PELCORE_MESSAGEOUTPUT_H
#define PELCORE_MESSAGEOUTPUT_H

#include <ctime>
#include <string>

// What the message sink needs of the operating system, one implementation
// per platform (MessageOutput-posix.cpp, MessageOutput-win32.cpp).

// The process id that messages show.
long currentProcessId();

// The local time of `when`.
std::tm localTimeOf(std::time_t when);

// Writes `line` whole with one write: appended to the file named by
// PEL_MESSAGE_FILE when that is set and can be opened (created if missing),
// else to standard error. Never fails visibly: a message that cannot be
// written anywhere is lost.
void writeMessageLine(const std::string& line);

#endif
