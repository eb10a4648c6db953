#include "model/Clock.h"

#include <cmath>

namespace velmora::model {

namespace {

const TClock* installedClock = nullptr;

const TClock& SystemClock() {
  static const TSystemClock clock;
  return clock;
}

}  // namespace

int32_t TClock::Today() const {
  return static_cast<int32_t>(std::floor(Now()));
}

TDateTime TSystemClock::Now() const {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now);
  const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(now - seconds);
  return LocalDateTimeFromUnix(static_cast<std::time_t>(seconds.count()),
                               static_cast<long>(nanoseconds.count()));
}

std::chrono::nanoseconds TSystemClock::Monotonic() const {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

void TManualClock::Advance(std::chrono::nanoseconds step) {
  FMonotonic += step;
  FNow += std::chrono::duration<double, std::ratio<86400>>(step).count();
}

const TClock& CurrentClock() {
  return installedClock ? *installedClock : SystemClock();
}

TScopedClock::TScopedClock(const TClock& clock) : FPrevious(installedClock) {
  installedClock = &clock;
}
TScopedClock::~TScopedClock() {
  installedClock = FPrevious;
}

TDateTime LocalDateTimeFromUnix(std::time_t seconds, long nanoseconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  const double localSeconds = static_cast<double>(seconds) + static_cast<double>(local.tm_gmtoff);
  return kUnixEpochDateTime + (localSeconds + static_cast<double>(nanoseconds) * 1e-9) / 86400.0;
}

}  // namespace velmora::model
