#ifndef KEXPORTER_APP_PROGRAMOPTIONS_H
#define KEXPORTER_APP_PROGRAMOPTIONS_H

#include <optional>
#include <string>

// The program's command line. Without options the program behaves as
// designed: dialogs where a display exists, the terminal elsewhere.
struct ProgramOptions {
  bool console = false;               // the terminal flow even with a display
  bool yes = false;                   // the start is confirmed without asking
  std::optional<std::string> output;  // the output folder
  bool check = false;                 // a dry run that lists every data problem

  // Parses argv. Returns an exit status when the program should end at once
  // (0 after --help or --version, 2 for bad usage, with the text printed),
  // or nothing to go on.
  std::optional<int> parse(int argc, char** argv);
};

#endif
