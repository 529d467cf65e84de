#ifndef KEXPORTER_STARTUP_STARTUPFLOW_H
#define KEXPORTER_STARTUP_STARTUPFLOW_H

#include <functional>
#include <optional>
#include <string>

class ExportJob;
class Frontend;

// The operator's side of the start-up, one per front end (the terminal, the
// Qt dialogs, the Windows dialogs): how it asks, and how it shows the run.
class StartupOperator {
 public:
  // How a question to the operator ended.
  enum class Answer {
    Yes,       // confirmed; or a folder passed the checks and is held
    No,        // the operator cancelled (Cancel, Esc, the close box, no, end of input)
    Refused,   // a given folder failed the checks where nobody can be asked again
    NoWindow,  // the question could not be shown at all
  };

  virtual ~StartupOperator() = default;
  // Shows the start texts and asks whether to go on.
  virtual Answer confirmStart() = 0;
  // Asks for the output folder until StartupFlow::acceptOutputFolder passes
  // one; `given` (--output) is checked first or starts the field.
  virtual Answer chooseOutputFolder(const std::optional<std::string>& given) = 0;
  // The front end through which the flow and the export reach the operator.
  virtual Frontend& frontend() = 0;
  // Calls exportRun and returns once it has returned; a front end with
  // windows serves them meanwhile.
  virtual void serveWhile(const std::function<void()>& exportRun) { exportRun(); }
};

// The program's start-up, the same for every front end: the start question
// (unless --yes), the output folder, then one export run.
class StartupFlow {
 public:
  struct Options {
    bool yes = false;                   // the start is confirmed without asking
    std::optional<std::string> output;  // the output folder (--output)
  };

  // Runs the flow with `job` and returns the exit status: 0 the export ended
  // normally, 1 it ended with an error (an exception escaping it included,
  // and questions that could not be shown), 2 a given folder failed the
  // checks, 3 the operator cancelled. The front end is in use throughout.
  static int run(const Options& options, StartupOperator& op, ExportJob& job);
  // The same with an export run of its own.
  static int run(const Options& options, StartupOperator& op);

  // Checks the operator's folder text; a text that is not empty leaves its
  // full path in outputFolder. True when it passed (the folder is then
  // held); else the failed check's warning has been shown.
  static bool acceptOutputFolder(const std::string& text);
};

#endif
