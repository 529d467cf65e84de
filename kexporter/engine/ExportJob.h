#ifndef KEXPORTER_ENGINE_EXPORTJOB_H
#define KEXPORTER_ENGINE_EXPORTJOB_H

class CheckReport;
struct RunState;

// One export run: settings, database client, the three counts, the three
// table exports, the summary in the run log and the result text. It talks to
// the operator only through the front end (frontend()), writes into the
// output folder that passed the checks, held open since
// (OpenOutputFolder::hold), and makes every database call on the thread
// that calls run().
class ExportJob {
 public:
  enum class Outcome {
    NotRun,     // run() has not been called
    Succeeded,  // ended normally, also when there was nothing to export
    Failed,     // ended with an error, early or late
  };

  ExportJob() = default;
  virtual ~ExportJob() = default;

  // REQUIRES: outputFolder names the folder that checkOutputFolder passed
  // and holds; the front end is set.
  // Virtual so that the start-up's handling of a run that throws can be
  // shown with one that does.
  virtual void run();

  // A check: the export's steps on the same snapshot with the same rules,
  // but CSV files that write nothing, no run log, no result, and all three
  // tables whatever fails; every data problem goes to `report`, then its
  // counts. Needs no output folder; early failures are shown as in run().
  // Outcome: Succeeded when an export would succeed.
  // REQUIRES: the front end is set.
  void check(CheckReport& report);

  // How the last run() or check() ended, for the program's exit status.
  Outcome outcome() const { return outcome_; }

 private:
  // From the database client's start to the summary in the run log. False
  // after an early failure (client or database open), which it reports.
  bool exportAll(RunState& state);

  Outcome outcome_ = Outcome::NotRun;
};

#endif
