#include "crosscheck/site/hour_labels.h"

#include <array>
#include <cstdint>
#include <optional>

namespace qxqy::crosscheck::site {
namespace {

struct UtcHour {
  int64_t year;
  int month;  // 1..12
  int day;    // 1..31
  int hour;   // 0..23
};

bool IsLeap(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

std::optional<int> Digits(const std::string& text, size_t pos, size_t count) {
  int value = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// "YYYY-MM-DD HHZ" with a real date and an hour 00 to 23.
std::optional<UtcHour> ParseHour(const std::string& text) {
  if (text.size() != 14 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != 'Z') {
    return std::nullopt;
  }
  const auto year = Digits(text, 0, 4);
  const auto month = Digits(text, 5, 2);
  const auto day = Digits(text, 8, 2);
  const auto hour = Digits(text, 11, 2);
  if (!year || !month || !day || !hour || *month < 1 || *month > 12 || *day < 1 ||
      *day > DaysInMonth(*year, *month) || *hour > 23) {
    return std::nullopt;
  }
  return UtcHour{*year, *month, *day, *hour};
}

void NextHour(UtcHour& at) {
  if (++at.hour < 24) return;
  at.hour = 0;
  if (++at.day <= DaysInMonth(at.year, at.month)) return;
  at.day = 1;
  if (++at.month <= 12) return;
  at.month = 1;
  ++at.year;
}

// `value` with leading zeros to `width` digits.
std::string Padded(int64_t value, size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

HourLabel LabelOf(const UtcHour& at, bool first) {
  static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string hour = Padded(at.hour, 2);
  hour += 'Z';
  std::string full = Padded(at.year, 4);
  full += '-';
  full += Padded(at.month, 2);
  full += '-';
  full += Padded(at.day, 2);
  full += ' ';
  full += hour;
  HourLabel label{full, hour, "", at.hour % 6 == 0};
  if (first || at.hour == 0) label.day = std::to_string(at.day) + " " + kMonths[at.month - 1];
  return label;
}

}  // namespace

std::vector<HourLabel> HourLabels(const std::string& first_hour, size_t count) {
  std::vector<HourLabel> labels;
  labels.reserve(count);
  std::optional<UtcHour> at = ParseHour(first_hour);
  for (size_t i = 0; i < count; ++i) {
    if (at) {
      labels.push_back(LabelOf(*at, i == 0));
      NextHour(*at);
    } else {
      const std::string offset = "+" + std::to_string(i) + " h";
      std::string full = first_hour;
      full += ' ';
      full += offset;
      labels.push_back({full, offset, "", i % 6 == 0});
    }
  }
  return labels;
}

}  // namespace qxqy::crosscheck::site
