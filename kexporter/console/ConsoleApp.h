#ifndef KEXPORTER_CONSOLE_CONSOLEAPP_H
#define KEXPORTER_CONSOLE_CONSOLEAPP_H

#include <iosfwd>
#include <optional>
#include <string>

// The start-up sequence on a terminal: the start texts and a y/N question,
// the output folder (asked until it passes the checks, or taken from
// --output), then one export run. Returns the process exit status:
// 0 ended normally, 1 ended with an error, 2 --output failed the checks,
// 3 the operator cancelled (answered no, or input ended).
class ConsoleApp {
 public:
  struct Options {
    bool yes = false;                   // the start is confirmed without asking
    std::optional<std::string> output;  // the output folder, not asked
  };

  ConsoleApp(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  int run(const Options& options);
  // A check of the installation (--check): every data problem and the
  // counts on the output stream, nothing asked, no file written. Returns 0
  // when an export would succeed, 1 when it would fail or the report could
  // not be written.
  int check();

  // The start texts and the question; true when the operator answers yes.
  bool confirmStart();
  // Asks until a folder passes the checks and stores it in outputFolder;
  // false when input ends first.
  bool askOutputFolder();
  // Checks `text` once; stores it in outputFolder when it passes, else shows
  // the check's warning and returns false.
  static bool acceptOutputFolder(const std::string& text);

 private:
  std::istream& in_;
  std::ostream& out_;
};

#endif
