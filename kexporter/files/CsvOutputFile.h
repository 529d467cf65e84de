#ifndef KEXPORTER_FILES_CSVOUTPUTFILE_H
#define KEXPORTER_FILES_CSVOUTPUTFILE_H

#include <string>
#include <vector>

#include "Cp932Text.h"
#include "FileLines.h"
#include "LineQueue.h"

// The most lines, header included, that one CSV file holds; shared by all
// CsvOutputFile objects and set by each construction. 0 or less: no limit.
extern int maxLinesPerFile;

// The result of open and writeRow when the file cannot be opened or written.
inline constexpr int kCsvFailure = static_cast<int>(0x80004005);
// The result of writeRow when the line was written with "?" in place of
// characters that CP932 cannot hold.
inline constexpr int kCsvSubstituted = 1;

// Failure texts, logged with kTagFailure.
extern const char* const kCsvWriteFailed;     // open or write failed (shown)
extern const char* const kCsvCharsReplaced;   // "?" written (not shown)

// Where a CsvOutputFile's lines go: into the output folder, or nowhere (a
// check: every line is built and converted to CP932 as an export does, then
// dropped; no folder is needed and nothing is created).
enum class CsvTarget { OutputFolder, Nowhere };

// Writes the numbered CSV files of one kind into the output folder that
// OpenOutputFolder holds (and names them by outputFolder in its reports):
// kind + "_" + n + ".csv", n from 1, each starting with the header of its
// kind ("destination", "group" and "tsi" have one), fields joined by ","
// as given (no quoting), lines in CP932 ending in CR LF, handed to the
// system in batches of whole lines through LineQueue. A file that reaches
// maxLinesPerFile lines is followed by the next number when a further row
// arrives. Files are only ever created new: an
// existing name, a symbolic link included, is left untouched and reported
// as an open failure. Failures go to the run log with a warning box and
// never stop the export. Used by one thread.
class CsvOutputFile final : private LineFailures {
 public:
  // Sets maxLinesPerFile to maxLines.
  explicit CsvOutputFile(int maxLines, CsvTarget target = CsvTarget::OutputFolder);
  // Closes a file that is still open.
  ~CsvOutputFile();
  CsvOutputFile(const CsvOutputFile&) = delete;
  CsvOutputFile& operator=(const CsvOutputFile&) = delete;

  // Creates the next numbered file of kind and writes its header. Returns 0,
  // or kCsvFailure when the file cannot be created or its header written;
  // after a failed create every writeRow fails and reports, and the next
  // rollover tries the next number.
  int open(const std::string& kind);
  // Writes fields as one line, first rolling over to a new file when the
  // current one is full. Returns 0 when written or queued (or when no file
  // was ever opened or it was closed), kCsvFailure when this line or one
  // queued before it could not be written (each reported as it fails; the
  // same failure is returned once), and kCsvSubstituted when the line was
  // written with "?" substitutions, which it also logs with the file's path
  // and line number.
  int writeRow(const std::vector<std::string>& fields);
  // Writes the queued lines and closes the current file; closing a closed
  // object has no effect. Returns 0, or kCsvFailure when a queued line could
  // not be written and no call said so yet, or when the file no longer has
  // a name in its folder, so its rows are lost (reported like a failed
  // write).
  int close();

  const std::string& kind() const { return kind_; }
  // The rows given to writeRow so far, headers not counted.
  int rows() const { return rows_; }
  // The numbered files opened so far, failed ones included (with
  // CsvTarget::Nowhere: those an export would have created).
  int files() const { return nextSequence_ - 1; }

 private:
  bool hasFile() const { return file_ != kNoFile || failedOpen_ || openNowhere_; }
  int writeFields(const std::vector<std::string>& fields);
  bool isFull() const;
  void reportFailure();
  void lineFailed() override;
  // Whether a queued line failed since the last result that said so.
  bool takeLostLine();
  // Writes the queued lines; then takeLostLine().
  bool writeQueued();
  void reportSubstitution();

  NativeFile file_ = kNoFile;
  bool failedOpen_ = false;  // counts as a file: every write fails and reports
  CsvTarget target_;
  bool openNowhere_ = false;  // CsvTarget::Nowhere: a file that drops its lines
  int rows_ = 0;
  std::string path_;
  std::string kind_;
  int nextSequence_ = 1;
  int linesInFile_ = 0;
  bool lostLine_ = false;  // a queued line failed; not yet returned
  Cp932Text text_;
  std::string line_;  // reused for every line, so that rows cost no allocation
};

#endif
