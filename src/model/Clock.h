// Where the model gets the time from: wall-clock date-times for what is shown and stored, and a
// monotonic reading for intervals, so that a clock change cannot delay or hasten an automatic save.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>

namespace velmora::model {

// Days since 30 December 1899, local time; the whole part is the day number.
using TDateTime = double;

constexpr TDateTime kUnixEpochDateTime = 25569.0;  // 1 January 1970 as a date-time

class TClock {
 public:
  virtual ~TClock() = default;
  virtual TDateTime Now() const = 0;
  virtual std::chrono::nanoseconds Monotonic() const = 0;
  int32_t Today() const;
};

class TSystemClock final : public TClock {
 public:
  TDateTime Now() const override;
  std::chrono::nanoseconds Monotonic() const override;
};

// A clock that only moves when told to; for tests.
class TManualClock final : public TClock {
 public:
  explicit TManualClock(TDateTime now_ = 46000.5) : FNow(now_) {}
  TDateTime Now() const override { return FNow; }
  std::chrono::nanoseconds Monotonic() const override { return FMonotonic; }
  // Moves both readings forward.
  void Advance(std::chrono::nanoseconds step);
  // Moves only the wall clock, as a user or daylight-saving switch does.
  void SetWallClock(TDateTime now_) { FNow = now_; }

 private:
  TDateTime FNow;
  std::chrono::nanoseconds FMonotonic{1'000'000'000};
};

// The clock the model reads; the system clock unless a test installed another.
const TClock& CurrentClock();

// Installs a clock for the lifetime of this object.
class TScopedClock {
 public:
  explicit TScopedClock(const TClock& clock);
  ~TScopedClock();
  TScopedClock(const TScopedClock&) = delete;  // restores exactly once
  TScopedClock& operator=(const TScopedClock&) = delete;

 private:
  const TClock* FPrevious;
};

// A moment in Unix time as a local date-time.
TDateTime LocalDateTimeFromUnix(std::time_t seconds, long nanoseconds);

}  // namespace velmora::model
