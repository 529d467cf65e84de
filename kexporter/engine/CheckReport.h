#ifndef KEXPORTER_ENGINE_CHECKREPORT_H
#define KEXPORTER_ENGINE_CHECKREPORT_H

#include <iosfwd>
#include <string>
#include <vector>

#include "Cp932Text.h"

class CsvOutputFile;

// What a check run (ExportJob::check) tells on standard output: each data
// problem (what fails an export) and each note (what an export carries out
// but an operator should know first) as one line the moment it is found
// (table, the row's GUID as its column text, what is wrong), so that memory
// stays bounded however many there are; then per kind of CSV file the rows
// and files an export would write; then the count of problems and notes.
// Database texts are printed with their control characters made visible,
// so that one line is always one problem. Used by the export's thread only.
class CheckReport {
 public:
  explicit CheckReport(std::ostream& out);
  CheckReport(const CheckReport&) = delete;
  CheckReport& operator=(const CheckReport&) = delete;

  // Writes one problem line; an empty `guid` is left out (the problem is
  // the table's, not a row's).
  void problem(const std::string& table, const std::string& guid, const std::string& what);
  // Writes one note line, as problem() but marked "note:".
  void note(const std::string& table, const std::string& guid, const std::string& what);
  // One problem line per field of `fields` that holds a character CP932
  // cannot hold, naming the first such character and columns[i] of the field.
  void unmappableCharacters(const std::string& table, const std::string& guid,
                            const std::vector<const char*>& columns,
                            const std::vector<std::string>& fields);
  // Adds the rows and files of a finished file object to its kind.
  void countFile(const CsvOutputFile& file);
  // Writes the counts per kind and the count of problems and notes.
  void finish();

  int problems() const { return problems_; }

 private:
  struct KindCount {
    const char* kind;
    int rows;
    int files;
  };

  void line(const std::string& table, const std::string& guid, const std::string& what);

  std::ostream& out_;
  Cp932Text text_;
  std::vector<KindCount> kinds_;
  int problems_ = 0;
  int notes_ = 0;
};

// `text` with every control character (C0, DEL, C1) and the backslash
// written as an escape (\n, \r, \t, \\, \x1b, \u009b), so that it prints on
// one line and cannot steer a terminal.
std::string visibleText(const std::string& text);

#endif
