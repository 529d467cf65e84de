#ifndef TESTS_DATABASE_DATABASETESTSUPPORT_H
#define TESTS_DATABASE_DATABASETESTSUPPORT_H

#include <string>
#include <vector>

#include "Pelcore/PelMessage.h"

// The three tables the exporter reads, with rows that exercise the value
// conversions: quotes, empty text, a surrogate pair, a negative number and
// nulls.
inline const char* const kUserTables =
    "CREATE TABLE umAccount(ac_guid TEXT, ac_id INTEGER, ac_name TEXT, ac_storeTray INTEGER);"
    "INSERT INTO umAccount VALUES('g1', -5, 'say \"hi\"', 1);"
    "INSERT INTO umAccount VALUES('g2', 7, '', 0);"
    "INSERT INTO umAccount VALUES('g3', NULL, '𠮷野家', NULL);"
    "CREATE TABLE umGroup(gr_ownerguid TEXT, gr_guid TEXT);"
    "CREATE TABLE umTSI(ts_code TEXT, ts_guid TEXT, ts_sender TEXT);";

// The recorded messages of the error and normal levels, leaving out the
// traces, as "level source:line text"; the libraries' own lines, whose line
// numbers are theirs, as "level source text".
inline std::vector<std::string> reportedLines(const PelMessageRecorder& recorder) {
  std::vector<std::string> lines;
  for (const PelMessage& m : recorder.messages()) {
    if (m.level == PelMessageLevel::Debug) continue;
    const bool library = m.source == "VekOdb" || m.source == "VekPel";
    const std::string where = library ? m.source : m.source + ":" + std::to_string(m.line);
    lines.push_back(std::string(pelMessageLevelName(m.level)) + " " + where + " " + m.text);
  }
  return lines;
}

#endif
