#include "ProgressView.h"

#include <algorithm>
#include <climits>

int ProgressView::percentOf(long long done, long long total) {
  if (total <= 0) return 0;
  return static_cast<int>(done * 100 / total);
}

void ProgressView::setTotal(int total) {
  total_ = total;
  percent_ = 0;
  samePercentFrom_ = samePercentTo_ = 0;
  showPercent(0);
}

void ProgressView::setPosition(int done) {
  // Called for every row: most calls fall into the range of the percentage
  // computed last and need no division.
  if (done >= samePercentFrom_ && done < samePercentTo_) return;
  const int percent = percentOf(done, total_);
  rememberRange(percent);
  if (percent == percent_) return;
  percent_ = percent;
  showPercent(percent);
}

void ProgressView::rememberRange(int percent) {
  if (total_ <= 0) {
    samePercentFrom_ = INT_MIN;
    samePercentTo_ = INT_MAX;
    return;
  }
  if (percent < 0) {
    samePercentFrom_ = samePercentTo_ = 0;
    return;
  }
  // done * 100 / total == percent exactly for done from ceil(percent *
  // total / 100) up to, not including, ceil((percent + 1) * total / 100).
  const long long total = total_;
  const auto clamp = [](long long value) {
    return static_cast<int>(std::min<long long>(value, INT_MAX));
  };
  samePercentFrom_ = clamp((percent * total + 99) / 100);
  samePercentTo_ = clamp(((percent + 1) * total + 99) / 100);
}
