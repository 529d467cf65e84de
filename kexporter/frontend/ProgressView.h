#ifndef KEXPORTER_FRONTEND_PROGRESSVIEW_H
#define KEXPORTER_FRONTEND_PROGRESSVIEW_H

#include <string>

// What the export shows while it works: a phase text and a bar from 0 to 100
// percent over all rows. The percentage arithmetic lives here, so every front
// end shows the same numbers; a front end redraws only when the whole
// percentage changes. Every call returns after the view applied it.
class ProgressView {
 public:
  virtual ~ProgressView() = default;

  // Replaces the phase text (the export's texts end in CR LF).
  void setMessage(const std::string& text) { showMessage(text); }
  // The row count that makes 100 percent; the bar goes back to 0.
  void setTotal(int total);
  // done * 100 / total in whole percent, truncated; 0 while total is 0 or
  // less. Computed in 64 bits, so large counts cannot overflow.
  void setPosition(int done);
  // Ends the view: the window goes away, the terminal line is finished.
  virtual void end() = 0;

  int percent() const { return percent_; }
  static int percentOf(long long done, long long total);

 protected:
  virtual void showMessage(const std::string& text) = 0;
  // Called only when the whole percentage differs from the last one shown.
  virtual void showPercent(int percent) = 0;

 private:
  // The positions that give percent_ again, [from, to): no need to divide.
  void rememberRange(int percent);

  int total_ = 100;
  int percent_ = 0;
  int samePercentFrom_ = 0;
  int samePercentTo_ = 0;
};

#endif
