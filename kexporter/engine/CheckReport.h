#ifndef KEXPORTER_ENGINE_CHECKREPORT_H
#define KEXPORTER_ENGINE_CHECKREPORT_H

#include <iosfwd>
#include <string>
#include <vector>

#include "Cp932Text.h"

class CsvOutputFile;

// What a check run (ExportJob::check) tells on standard output: each data
// problem as one line the moment it is found (table, the row's GUID as its
// column text, what is wrong), so that memory stays bounded however many
// there are; then per kind of CSV file the rows and files an export would
// write; then the count of problems. Used by the export's thread only.
class CheckReport {
 public:
  explicit CheckReport(std::ostream& out);
  CheckReport(const CheckReport&) = delete;
  CheckReport& operator=(const CheckReport&) = delete;

  // Writes one problem line.
  void problem(const std::string& table, const std::string& guid, const std::string& what);
  // One problem line per field of `fields` that holds a character CP932
  // cannot hold, naming the first such character and columns[i] of the field.
  void unmappableCharacters(const std::string& table, const std::string& guid,
                            const std::vector<const char*>& columns,
                            const std::vector<std::string>& fields);
  // Adds the rows and files of a finished file object to its kind.
  void countFile(const CsvOutputFile& file);
  // Writes the counts per kind and the problem count.
  void finish();

  int problems() const { return problems_; }

 private:
  struct KindCount {
    const char* kind;
    int rows;
    int files;
  };

  std::ostream& out_;
  Cp932Text text_;
  std::vector<KindCount> kinds_;
  int problems_ = 0;
};

#endif
