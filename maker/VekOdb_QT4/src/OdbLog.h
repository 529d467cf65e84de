#ifndef VEKODB_ODBLOG_H
#define VEKODB_ODBLOG_H

// Source name of the database library's diagnostic messages; the line is
// that of the statement in this library.
constexpr const char* kOdbMessageSource = "VekOdb";

#endif
