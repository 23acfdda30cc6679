#include "logfile/qso_time.h"

#include <string>

namespace qxqy::logfile {
namespace {

// The number written by the digits of `text`, or -1 when it holds anything
// else or nothing.
int64_t Digits(std::string_view text) {
  if (text.empty()) return -1;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The days of `month` (1 to 12) in `year` of the Gregorian calendar.
int64_t DaysInMonth(int64_t year, int64_t month) {
  constexpr int64_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The key of a date and time that exist: a day past its month's end (the
// 30th of February, the 31st of April) or a 24th hour is refused, not
// carried into the next month or day.
std::optional<int64_t> Key(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                           int64_t second) {
  if (year < 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    return std::nullopt;
  }
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return std::nullopt;
  }
  return ((((year * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
}

std::optional<int64_t> KeyOfDateAndClock(int64_t year, int64_t month, int64_t day,
                                         std::string_view clock) {
  if (clock.size() != 4 && clock.size() != 6) return std::nullopt;
  const int64_t second = clock.size() == 6 ? Digits(clock.substr(4, 2)) : 0;
  return Key(year, month, day, Digits(clock.substr(0, 2)), Digits(clock.substr(2, 2)), second);
}

}  // namespace

std::optional<int64_t> CabrilloTimeKey(std::string_view date, std::string_view time) {
  if (date.size() != 10 || date[4] != '-' || date[7] != '-' || time.size() != 4) {
    return std::nullopt;
  }
  return KeyOfDateAndClock(Digits(date.substr(0, 4)), Digits(date.substr(5, 2)),
                           Digits(date.substr(8, 2)), time);
}

std::optional<int64_t> AdifTimeKey(std::string_view date, std::string_view time) {
  if (date.size() != 8) return std::nullopt;
  return KeyOfDateAndClock(Digits(date.substr(0, 4)), Digits(date.substr(4, 2)),
                           Digits(date.substr(6, 2)), time);
}

}  // namespace qxqy::logfile
