#include "SupportRoutines.h"

#include <ctime>

std::tm localTimeNow() {
  tzset();
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}
