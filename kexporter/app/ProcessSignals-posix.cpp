#include "ProcessSignals.h"

#include <signal.h>

#include "FileLines.h"

namespace {

void onEndingSignal(int sig) { endBetweenLines(sig); }

}  // namespace

void ProcessSignals::install() {
  struct sigaction ending {};
  ending.sa_handler = onEndingSignal;
  sigemptyset(&ending.sa_mask);
  // A second ending signal waits until the first has done its work.
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&ending.sa_mask, sig);
  ending.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &ending, nullptr);

  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGXFSZ, &ignore, nullptr);
  sigaction(SIGPIPE, &ignore, nullptr);
}
