#ifndef KEXPORTER_FRONTEND_FRONTEND_H
#define KEXPORTER_FRONTEND_FRONTEND_H

#include <memory>
#include <string>

#include "ProgressView.h"

// The one way the export reaches the operator. The program sets the front end
// in use once at start (Qt dialogs, the terminal); tests set a recorder.
class Frontend {
 public:
  virtual ~Frontend() = default;

  // A warning with the program title, an exclamation icon and OK; returns
  // when the operator has closed it (the terminal does not wait).
  virtual void showWarning(const std::string& text) = 0;
  // Shows the progress view and returns once it is ready for updates.
  virtual std::unique_ptr<ProgressView> startProgress() = 0;
  // Shows the closing summary; returns when the operator has closed it.
  virtual void showResult(const std::string& text) = 0;
};

// The program title, caption of every window and prefix of terminal warnings.
extern const char* const kProgramTitle;
// The texts every front end shows before the operator confirms the start.
extern const char* const kStopServiceText;
extern const char* const kStartText;

// Makes frontend the one in use; null puts the default back. Set through
// ScopedFrontend, which puts the default back on every way out.
void setFrontend(Frontend* frontend);
// The front end in use. Before setFrontend, warnings go to standard error and
// the progress and result are not shown.
Frontend& frontend();

// The program's warning box: frontend().showWarning(text).
void showWarning(const char* text);

#endif
