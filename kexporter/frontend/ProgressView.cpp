#include "ProgressView.h"

int ProgressView::percentOf(long long done, long long total) {
  if (total <= 0) return 0;
  return static_cast<int>(done * 100 / total);
}

void ProgressView::setTotal(int total) {
  total_ = total;
  percent_ = 0;
  showPercent(0);
}

void ProgressView::setPosition(int done) {
  int percent = percentOf(done, total_);
  if (percent == percent_) return;
  percent_ = percent;
  showPercent(percent);
}
