// The time rule: which Cabrillo and ADIF dates and times give a key, and
// that the keys sort as the contacts' times do.
#include "logfile/qso_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logfile/reader_test_support.h"

namespace qxqy::logfile {
namespace {

constexpr std::optional<int64_t> kNone = std::nullopt;

// "YYYY-MM-DD" of a Cabrillo line as "YYYYMMDD" for ADIF.
std::string AdifDate(const std::string& cabrillo_date) {
  std::string date = cabrillo_date;
  date.erase(std::remove(date.begin(), date.end(), '-'), date.end());
  return date;
}

// Both forms of one date and time must agree: a key, or none.
void ExpectKey(const std::string& date, const std::string& time, std::optional<int64_t> key) {
  EXPECT_EQ(CabrilloTimeKey(date, time), key) << "Cabrillo '" << date << " " << time << "'";
  EXPECT_EQ(AdifTimeKey(AdifDate(date), time), key)
      << "ADIF '" << AdifDate(date) << " " << time << "'";
}

TEST(QsoTimeTest, EveryMonthRunsFromItsFirstDayToItsLast) {
  struct Month {
    const char* number;
    const char* last_day;       // in 2026
    const char* last_leap_day;  // in 2024
  };
  const Month months[] = {
      {"01", "31", "31"}, {"02", "28", "29"}, {"03", "31", "31"}, {"04", "30", "30"},
      {"05", "31", "31"}, {"06", "30", "30"}, {"07", "31", "31"}, {"08", "31", "31"},
      {"09", "30", "30"}, {"10", "31", "31"}, {"11", "30", "30"}, {"12", "31", "31"},
  };
  for (const Month& month : months) {
    for (const auto& [year, last] : {std::pair<std::string, std::string>{"2026", month.last_day},
                                     {"2024", month.last_leap_day}}) {
      const std::string prefix = year + "-" + month.number + "-";
      const int64_t month_key = (std::stoll(year) * 100 + std::stoll(month.number)) * 100;
      ExpectKey(prefix + "00", "1200", kNone);
      ExpectKey(prefix + "01", "1200", (month_key + 1) * 1000000 + 120000);
      ExpectKey(prefix + last, "1200", (month_key + std::stoll(last)) * 1000000 + 120000);
      ExpectKey(prefix + std::to_string(std::stoi(last) + 1), "1200", kNone);
    }
    ExpectKey(std::string("2026-") + month.number + "-32", "1200", kNone);
  }
}

TEST(QsoTimeTest, KnowsTheLeapYearsOfTheGregorianCalendar) {
  const std::pair<const char*, bool> cases[] = {
      {"2024", true},  {"2025", false}, {"2026", false}, {"2027", false}, {"2028", true},
      {"1900", false}, {"2000", true},  {"2100", false}, {"2400", true},  {"1996", true},
  };
  for (const auto& [year, leap] : cases) {
    const std::string date = std::string(year) + "-02-29";
    const std::optional<int64_t> key =
        leap ? std::optional<int64_t>((std::stoll(year) * 10000 + 229) * 1000000) : kNone;
    ExpectKey(date, "0000", key);
    ExpectKey(std::string(year) + "-02-28", "0000", (std::stoll(year) * 10000 + 228) * 1000000);
    ExpectKey(std::string(year) + "-02-30", "0000", kNone);
  }
}

TEST(QsoTimeTest, ReadsEveryMinuteOfTheDayAndNoOther) {
  const std::pair<const char*, std::optional<int64_t>> cases[] = {
      {"0000", 20260101000000},
      {"0001", 20260101000100},
      {"0059", 20260101005900},
      {"0100", 20260101010000},
      {"0959", 20260101095900},
      {"1000", 20260101100000},
      {"1959", 20260101195900},
      {"2000", 20260101200000},
      {"2300", 20260101230000},
      {"2359", 20260101235900},
      {"2400", kNone},
      {"2360", kNone},
      {"0060", kNone},
      {"9999", kNone},
      {"000", kNone},
      {"00000", kNone},
      {"", kNone},
  };
  for (const auto& [time, key] : cases) ExpectKey("2026-01-01", time, key);
}

TEST(QsoTimeTest, TakesSecondsOnlyFromAdif) {
  const std::pair<const char*, std::optional<int64_t>> cases[] = {
      {"000000", 20261231000000}, {"000001", 20261231000001}, {"000059", 20261231000059},
      {"235959", 20261231235959}, {"000060", kNone},          {"240000", kNone},
      {"235960", kNone},          {"12000", kNone},           {"1200000", kNone},
  };
  for (const auto& [time, key] : cases) {
    EXPECT_EQ(AdifTimeKey("20261231", time), key) << time;
    EXPECT_EQ(CabrilloTimeKey("2026-12-31", time), kNone) << time;
  }
}

// Each field read digit by digit: the characters next to '0' and '9' in
// ASCII ('/' and ':'), a letter O and a sign are not digits.
TEST(QsoTimeTest, RefusesAnythingButDigitsInEveryField) {
  const std::pair<const char*, const char*> cabrillo_cases[] = {
      {"2026-03-14", "12/0"}, {"2026-03-14", "12:0"},  {"2026-03-14", "/200"},
      {"2026-03-14", ":200"}, {"2026-03-14", "12O0"},  {"2026-03-14", "+120"},
      {"/026-03-14", "1200"}, {"202:-03-14", "1200"},  {"2O26-03-14", "1200"},
      {"2026-0/-14", "1200"}, {"2026-:3-14", "1200"},  {"2026-03-1/", "1200"},
      {"2026-03-:4", "1200"}, {"2026-03-1O", "1200"},  {"-026-03-14", "1200"},
      {"2026/03/14", "1200"}, {"2026-03_14", "1200"},  {"20260314", "1200"},
      {"2026-3-14", "1200"},  {"2026-03-014", "1200"},
  };
  for (const auto& [date, time] : cabrillo_cases) {
    EXPECT_EQ(CabrilloTimeKey(date, time), kNone) << "'" << date << " " << time << "'";
  }
  const std::pair<const char*, const char*> adif_cases[] = {
      {"20260314", "12000/"}, {"20260314", "12000:"}, {"20260314", "12/000"}, {"2026031/", "1200"},
      {"2026031:", "1200"},   {"202603/4", "1200"},   {"/0260314", "1200"},   {"2026:314", "1200"},
      {"2026-314", "1200"},   {"2026314", "1200"},    {"202603140", "1200"},  {"", "1200"},
  };
  for (const auto& [date, time] : adif_cases) {
    EXPECT_EQ(AdifTimeKey(date, time), kNone) << "'" << date << " " << time << "'";
  }
  // Every year of four digits is read; whether it fits the contest is
  // another rule's business.
  ExpectKey("0000-01-01", "0000", 101000000);
  ExpectKey("9999-12-31", "2359", 99991231235900);
}

TEST(QsoTimeTest, KeysSortAcrossMidnightTheMonthAndTheNewYear) {
  // A contest from the last evening of the year into the new one, in the
  // order the contacts were made.
  const std::pair<const char*, const char*> in_order[] = {
      {"2026-12-30", "2359"}, {"2026-12-31", "0000"}, {"2026-12-31", "2358"},
      {"2026-12-31", "2359"}, {"2027-01-01", "0000"}, {"2027-01-01", "0001"},
      {"2027-01-01", "2359"}, {"2027-01-02", "0000"}, {"2027-01-31", "2359"},
      {"2027-02-01", "0000"}, {"2027-02-28", "2359"}, {"2027-03-01", "0000"},
  };
  std::optional<int64_t> previous;
  for (const auto& [date, time] : in_order) {
    const std::optional<int64_t> key = CabrilloTimeKey(date, time);
    ASSERT_TRUE(key.has_value()) << date << " " << time;
    if (previous) {
      EXPECT_LT(*previous, *key) << date << " " << time;
    }
    previous = key;
  }
  // Seconds order the contacts of one minute, and come before the next.
  EXPECT_LT(*AdifTimeKey("20261231", "235959"), *AdifTimeKey("20270101", "000000"));
  EXPECT_LT(*AdifTimeKey("20261231", "235900"), *AdifTimeKey("20261231", "235901"));
  EXPECT_EQ(AdifTimeKey("20261231", "2359"), AdifTimeKey("20261231", "235900"));
}

TEST(QsoTimeTest, ReadersReportAContactOnADayThatDoesNotExist) {
  using testing::ReadText;
  const auto cabrillo = ReadText(
      "QSO: 14025 CW 2026-02-30 1200 QX1OWN 599 001 QY2CD 599 BEX\n"
      "QSO: 14025 CW 2026-02-28 2359 QX1OWN 599 002 QY3EF 599 BEX\n",
      LogFormat::kCabrillo);
  EXPECT_EQ(cabrillo.contacts, std::vector<std::string>{"2 QY3EF 14 CW [599 BEX]  20260228235900"});
  EXPECT_EQ(cabrillo.findings, std::vector<std::string>{"1: cannot read the date and time "
                                                        "'2026-02-30 1200' (YYYY-MM-DD hhmm)"});
  const auto adif = ReadText(
      "<CALL:5>QY3EF<BAND:3>20m<MODE:2>CW<QSO_DATE:8>20260228<TIME_ON:4>2359<EOR>\n"
      "<CALL:5>QY2CD<BAND:3>20m<MODE:2>CW<QSO_DATE:8>20260431<TIME_ON:4>0000<EOR>\n",
      LogFormat::kAdif);
  EXPECT_EQ(adif.contacts, (std::vector<std::string>{"1 QY3EF 14 CW []  20260228235900",
                                                     "2 QY2CD 14 CW []  20260228235900"}));
  EXPECT_EQ(adif.findings, std::vector<std::string>{"2: cannot read QSO_DATE and TIME_ON "
                                                    "(YYYYMMDD, hhmm[ss]); taken to follow the "
                                                    "contact before it"});
}

}  // namespace
}  // namespace qxqy::logfile
