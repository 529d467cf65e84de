#ifndef KEXPORTER_ENGINE_TSIEXPORT_H
#define KEXPORTER_ENGINE_TSIEXPORT_H

struct RunState;

// Exports every umTSI row, in the order the database returns them, to the
// "tsi" files as code, sender, destination GUID.
class TsiExport {
 public:
  explicit TsiExport(RunState& state) : state_(state) {}
  void run();

 private:
  RunState& state_;
};

#endif
