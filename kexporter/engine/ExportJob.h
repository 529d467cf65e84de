#ifndef KEXPORTER_ENGINE_EXPORTJOB_H
#define KEXPORTER_ENGINE_EXPORTJOB_H

// One export run: settings, database client, the three counts, the three
// table exports, the summary in the run log and the result text. It talks to
// the operator only through the front end (frontend()), writes into the
// process-wide outputFolder, held open from the run's start
// (OpenOutputFolder), and makes every database call on the thread that
// calls run().
class ExportJob {
 public:
  enum class Outcome {
    NotRun,     // run() has not been called
    Succeeded,  // ended normally, also when there was nothing to export
    Failed,     // ended with an error, early or late
  };

  ExportJob() = default;
  virtual ~ExportJob() = default;

  // REQUIRES: outputFolder holds a checked folder; the front end is set.
  void run();

  // How the last run() ended, for the program's exit status.
  Outcome outcome() const { return outcome_; }

 private:
  Outcome outcome_ = Outcome::NotRun;
};

#endif
