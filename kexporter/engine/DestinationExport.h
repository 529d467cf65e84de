#ifndef KEXPORTER_ENGINE_DESTINATIONEXPORT_H
#define KEXPORTER_ENGINE_DESTINATIONEXPORT_H

#include <string>

struct RunState;

// Exports umAccount in ac_id order: accounts with receive tray 1 go to the
// "destination" files, the others with a tray to "excluded_destination", the
// fax receive tray also to "faxTray"; accounts without a tray are skipped.
class DestinationExport {
 public:
  explicit DestinationExport(RunState& state) : state_(state) {}
  void run();

 private:
  RunState& state_;
};

#endif
