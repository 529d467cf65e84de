#ifndef KEXPORTER_CONSOLE_CONSOLEAPP_H
#define KEXPORTER_CONSOLE_CONSOLEAPP_H

#include <iosfwd>
#include <optional>
#include <string>

#include "ConsoleFrontend.h"
#include "StartupFlow.h"

// The start-up on a terminal: the start texts and a y/N question, the
// output folder asked until it passes the checks (or taken from --output,
// refused at once when it fails them), then one export run
// (StartupFlow::run gives the exit status). Also the dry run, --check.
class ConsoleApp : public StartupOperator {
 public:
  ConsoleApp(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  int run(const StartupFlow::Options& options) { return StartupFlow::run(options, *this); }
  // A check of the installation (--check): every data problem and the
  // counts on the output stream, nothing asked, no file written. Returns 0
  // when an export would succeed, 1 when it would fail or the report could
  // not be written.
  int check();

  // Yes when the operator answers yes; No for anything else or end of input.
  Answer confirmStart() override;
  // `given` is checked once (Refused when it fails); else the prompt asks
  // until a folder passes (No when input ends first).
  Answer chooseOutputFolder(const std::optional<std::string>& given) override;
  Frontend& frontend() override { return console_; }

 private:
  std::istream& in_;
  std::ostream& out_;
  ConsoleFrontend console_;
};

#endif
