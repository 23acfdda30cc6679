// The contest check's rules, one table row or small contest at a time, and
// its invariants on generated contests.
#include "crosscheck/contest_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "crosscheck/contact_rows.h"
#include "crosscheck/contest_logs.h"
#include "crosscheck/contest_test_support.h"
#include "crosscheck/decide.h"
#include "crosscheck/result_writers.h"
#include "logfile/log_checker.h"
#include "logfile/log_file.h"
#include "tests/support/temp_dir.h"

namespace qxqy::crosscheck {
namespace {

// The decisions of a file's contact lines in file order, "word" or
// "word:evidence" when `evidence`.
std::vector<std::string> DecisionsOf(const ContestResults& results, const std::string& file,
                                     bool evidence = false) {
  std::vector<std::string> words;
  for (size_t l = 0; l < results.logs.size(); ++l) {
    if (results.logs[l].file != file) continue;
    ForEachContactRow(results, l, [&](const ContactRow& row) {
      std::string word(DecisionWord(row.decision));
      if (evidence && !row.evidence.empty()) word += ":" + row.evidence;
      words.push_back(word);
    });
  }
  return words;
}

const LogResult& LogNamed(const ContestResults& results, const std::string& file) {
  for (const LogResult& log : results.logs) {
    if (log.file == file) return log;
  }
  throw std::runtime_error("no log " + file);
}

using Words = std::vector<std::string>;

struct RuleCase {
  const char* name;
  std::vector<LogInput> logs;
  std::map<std::string, Words> want;  // file -> decisions with evidence
};

TEST(CheckContest, EachRuleDecidesAsItSays) {
  const std::vector<RuleCase> cases = {
      {"confirmed, and the exchange compared ignoring case",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB bbb"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1201 QX1AA AAA"})},
       {{"a", {"ok:BBB"}}, {"b", {"ok:AAA"}}}},
      {"busted exchange: the evidence is what the other side sent",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBX"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1200 QX1AA AAA"})},
       {{"a", {"busted-exchange:BBB"}}, {"b", {"ok:AAA"}}}},
      {"window inclusive: 3 minutes pairs, 4 do not",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB", "7 CW 1300 QY2BB BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1203 QX1AA AAA", "7 CW 1304 QX1AA AAA"})},
       {{"a", {"ok:BBB", "nil"}}, {"b", {"ok:AAA", "nil"}}}},
      {"a dupe is never evidence",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB", "14 CW 1230 QY2BB BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1230 QX1AA AAA"})},
       {{"a", {"nil", "dupe"}}, {"b", {"nil"}}}},
      {"one line of B cannot confirm two of A's: the nearer is paired",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB", "14 CW 1202 QY2BB/P BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1202 QX1AA AAA"})},
       {{"a", {"nil", "ok:BBB"}}, {"b", {"ok:AAA"}}}},
      {"equally near: the earlier line is paired",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB", "14 CW 1202 QY2BB/P BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1201 QX1AA AAA"})},
       {{"a", {"ok:BBB", "nil"}}, {"b", {"ok:AAA"}}}},
      {"band-or-mode: both sides' lines",
       {Log("a", "QX1AA", "AAA", {"7 CW 1220 QY2BB BBB"}),
        Log("b", "QY2BB", "BBB", {"3.5 CW 1222 QX1AA AAA"})},
       {{"a", {"band-or-mode:QY2BB logged 3.5 CW 2026-03-14 1222"}},
        {"b", {"band-or-mode:QX1AA logged 7 CW 2026-03-14 1220"}}}},
      {"another mode counts as well",
       {Log("a", "QX1AA", "AAA", {"14 CW 1220 QY2BB BBB"}),
        Log("b", "QY2BB", "BBB", {"14 PH 1220 QX1AA AAA"})},
       {{"a", {"band-or-mode:QY2BB logged 14 SSB 2026-03-14 1220"}},
        {"b", {"band-or-mode:QX1AA logged 14 CW 2026-03-14 1220"}}}},
      {"moved band, one side missed the second contact: nil, B's line is paired already",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB", "7 CW 1202 QY2BB BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1200 QX1AA AAA"})},
       {{"a", {"ok:BBB", "nil"}}, {"b", {"ok:AAA"}}}},
      {"nil-their-bust and the other side's busted-call",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1201 QX1AB AAA"})},
       {{"a", {"nil-their-bust:QX1AB"}}, {"b", {"busted-call:QX1AA"}}}},
      {"rule 4's call belongs to a station whose own log explains it: nil",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1201 QX1AB ABA"}),
        Log("c", "QX1AB", "ABA", {"14 CW 1201 QY2BB BBB"})},
       {{"a", {"nil"}}, {"b", {"ok:ABA"}}, {"c", {"ok:BBB"}}}},
      {"busted-call to a station that sent no log",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BC BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1200 QX1AA AAA"})},
       {{"a", {"busted-call:QY2BB"}}, {"b", {"nil-their-bust:QY2BC"}}}},
      {"busted-call by a swap of neighbours",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB"}),
        Log("b", "QYB2B", "BBB", {"14 CW 1200 QX1AA AAA"})},
       {{"a", {"busted-call:QYB2B"}}, {"b", {"nil-their-bust:QY2BB"}}}},
      {"no log from the other side: unverified when another log has it, else unique",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 DL1XX 001", "14 CW 1210 DL2YY 002"}),
        Log("b", "QY2BB", "BBB", {"7 CW 1300 DL1XX 005"})},
       {{"a", {"unverified", "unique"}}, {"b", {"unverified"}}}},
      {"a log's own call is unique, not nil",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 QX1AA AAA"})},
       {{"a", {"unique"}}}},
      {"calls compare without /P and in any letter case",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 qy2bb/p BBB"}),
        Log("b", "QY2BB/P", "BBB", {"14 CW 1200 QX1AA/QRP AAA"})},
       {{"a", {"ok:BBB"}}, {"b", {"ok:AAA"}}}},
      {"a designator that counts keeps the stations apart",
       {Log("a", "QX1AA", "AAA", {"14 CW 1200 EA8/QY2BB BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1200 QX1AA AAA"})},
       {{"a", {"unique"}}, {"b", {"nil"}}}},
      {"pairs across midnight",
       {Log("a", "QX1AA", "AAA", {"14 CW 2359 QY2BB BBB"}),
        Log("b", "QY2BB", "BBB", {"14 CW 1+0001 QX1AA AAA"})},
       {{"a", {"ok:BBB"}}, {"b", {"ok:AAA"}}}},
  };
  for (const RuleCase& c : cases) {
    const ContestResults results = CheckContest(c.logs, TestOptions());
    for (const auto& [file, want] : c.want) {
      EXPECT_EQ(DecisionsOf(results, file, true), want) << c.name << ", log " << file;
    }
  }
}

TEST(CheckContest, ListsWhoLoggedTheStationAndWhoBustedItsCall) {
  const ContestResults results = CheckContest({Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB"}),
                                               Log("b", "QY2BB", "BBB", {"14 CW 1201 QX1AB AAA"}),
                                               Log("c", "QY3CC", "CCC", {"7 CW 1300 QX1AA AAA"})},
                                              TestOptions());
  const LogResult& a = LogNamed(results, "a");
  EXPECT_EQ(a.not_in_log, Words{"QY3CC"});
  EXPECT_EQ(a.busted_our_call, Words{"QY2BB"});
  EXPECT_TRUE(LogNamed(results, "b").busted_our_call.empty());
}

// `partners` stations log QX1AA ten minutes before its own clock says.
std::vector<LogInput> ContestWithOneClockOff(size_t partners) {
  std::vector<LogInput> logs;
  std::vector<std::string> own;
  for (size_t p = 0; p < partners; ++p) {
    // Calls at least two edits apart, so that no busted call explains a nil.
    const std::string call =
        "QY" + std::to_string(p % 10) + std::string(3, static_cast<char>('A' + p));
    const int minute = static_cast<int>(p) * 5;
    char theirs[24], ours[24];
    std::snprintf(theirs, sizeof theirs, "%02d%02d", 12 + minute / 60, minute % 60);
    std::snprintf(ours, sizeof ours, "%02d%02d", 12 + (minute + 10) / 60, (minute + 10) % 60);
    own.push_back(std::string("14 CW ") + ours + " " + call + " P");
    logs.push_back(Log(call, call, "P", {std::string("14 CW ") + theirs + " QX1AA AAA"}));
  }
  logs.push_back(Log("a", "QX1AA", "AAA", own));
  return logs;
}

TEST(CheckContest, ClockOffsetAppliedFromTenMatches) {
  const ContestResults ten = CheckContest(ContestWithOneClockOff(10), TestOptions());
  EXPECT_EQ(LogNamed(ten, "a").clock_offset, 10);
  EXPECT_EQ(LogNamed(ten, "a").clock_matches, 10u);
  EXPECT_EQ(DecisionsOf(ten, "a"), Words(10, "ok"));

  const ContestResults nine = CheckContest(ContestWithOneClockOff(9), TestOptions());
  EXPECT_EQ(LogNamed(nine, "a").clock_offset, 0);
  EXPECT_EQ(DecisionsOf(nine, "a"), Words(9, "nil"));
}

// QX1AA's clock is right but its twelve partners' are all 5 minutes fast;
// each partner also works fifteen stations whose clocks are right and who
// work each other.
TEST(CheckContest, ALogWhosePartnersAreOffKeepsItsOwnClock) {
  std::map<std::string, std::vector<std::string>> lines;
  const auto hhmm = [](int minute) {
    char text[24];
    std::snprintf(text, sizeof text, "%02d%02d", 10 + minute / 60, minute % 60);
    return std::string(text);
  };
  std::vector<std::string> partners, right;
  for (int p = 0; p < 12; ++p) partners.push_back("QY" + std::to_string(p + 10) + "P");
  for (int q = 0; q < 15; ++q) right.push_back("QX" + std::to_string(q + 10) + "R");
  int minute = 0;
  const auto contact = [&](const std::string& x, int x_skew, const std::string& y, int y_skew) {
    lines[x].push_back("14 CW " + hhmm(minute + x_skew) + " " + y + " E");
    lines[y].push_back("14 CW " + hhmm(minute + y_skew) + " " + x + " E");
    minute += 1;
  };
  for (const std::string& p : partners) contact("QX1AA", 0, p, 5);
  for (const std::string& p : partners) {
    for (const std::string& r : right) contact(p, 5, r, 0);
  }
  for (size_t a = 0; a < right.size(); ++a) {
    for (size_t b = a + 1; b < right.size(); ++b) contact(right[a], 0, right[b], 0);
  }
  std::vector<LogInput> logs;
  for (const auto& [station, contacts] : lines)
    logs.push_back(Log(station, station, "E", contacts));
  const ContestResults results = CheckContest(logs, TestOptions());
  EXPECT_EQ(LogNamed(results, "QX1AA").clock_offset, 0);
  for (const std::string& p : partners) EXPECT_EQ(LogNamed(results, p).clock_offset, 5) << p;
  for (const std::string& r : right) EXPECT_EQ(LogNamed(results, r).clock_offset, 0) << r;
  for (const LogResult& log : results.logs) {
    EXPECT_EQ(log.decisions[static_cast<size_t>(Decision::kOk)], log.log.contacts().size())
        << log.file;
  }
}

TEST(CheckContest, SecondLogOfAStationIsSetAside) {
  const ContestResults results =
      CheckContest({Log("a1", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB"}),
                    Log("a2", "QX1AA/P", "AAA", {"14 CW 1200 QY2BB BBB", "7 CW 1210 QY2BB BBB"}),
                    Log("a3", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB", "7 CW 1210 QY2BB BBB"}),
                    Log("b", "QY2BB", "BBB", {"14 CW 1200 QX1AA AAA"})},
                   TestOptions());
  EXPECT_EQ(LogNamed(results, "a1").status, LogStatus::kSetAside);
  EXPECT_EQ(LogNamed(results, "a2").status, LogStatus::kChecked);
  EXPECT_EQ(LogNamed(results, "a3").status, LogStatus::kSetAside);
  EXPECT_EQ(DecisionsOf(results, "a3"), (Words{"set-aside", "set-aside"}));
  EXPECT_EQ(DecisionsOf(results, "a2"), (Words{"ok", "nil"}));
  EXPECT_NE(LogNamed(results, "a3").note.find("a2"), std::string::npos);
}

TEST(CheckContest, FilesThatAreNotLogsAreReportedNeverChecked) {
  const ContestResults results =
      CheckContest({{"empty", "", std::string()},
                    {"text", "", std::string("hello\n")},
                    {"nostation", "", std::string("START-OF-LOG: 3.0\nEND-OF-LOG:\n")},
                    {"binary", "", std::string("START-OF-LOG:\0\x01\x02", 16)},
                    {"missing", "/nonexistent/file.log", std::nullopt},
                    Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB"})},
                   TestOptions());
  for (const char* file : {"empty", "text", "nostation", "binary", "missing"}) {
    EXPECT_EQ(LogNamed(results, file).status, LogStatus::kUnreadable) << file;
    EXPECT_FALSE(LogNamed(results, file).note.empty()) << file;
  }
  EXPECT_EQ(DecisionsOf(results, "a"), Words{"unique"});
  EXPECT_GE(results.reported, 5u);
}

TEST(CheckContest, AFileThatCannotBeOpenedOrIsUtf16IsSetAsideWithItsReason) {
  const qxqy::testing::TempDir folder;
  const std::string gone = folder.File("gone.log");
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("START-OF-LOG: 3.0\r\nEND-OF-LOG:\r\n")) utf16 += std::string{c, '\0'};
  const ContestResults results = CheckContest({{"gone", gone, std::nullopt},
                                               {"utf16", "", utf16},
                                               Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB"})},
                                              TestOptions());
  EXPECT_EQ(LogNamed(results, "gone").status, LogStatus::kUnreadable);
  EXPECT_EQ(LogNamed(results, "gone").note,
            "Cannot open file " + gone + ": No such file or directory");
  EXPECT_EQ(LogNamed(results, "utf16").status, LogStatus::kUnreadable);
  EXPECT_EQ(LogNamed(results, "utf16").note.rfind("the log is UTF-16 text", 0), 0u)
      << LogNamed(results, "utf16").note;
  EXPECT_EQ(DecisionsOf(results, "a"), Words{"unique"});
}

TEST(CheckContest, LinesNotScoredKeepTheReadersReason) {
  const std::string text =
      "START-OF-LOG: 3.0\nCALLSIGN: QX1AA\n"
      "QSO: 14025 CW 2026-03-14 1200 QX1AA 599 AAA QY2BB 599 BBB\n"
      "QSO: 5360 CW 2026-03-14 1201 QX1AA 599 AAA QY2BB 599 BBB\n"
      "X-QSO: 14025 CW 2026-03-14 1202 QX1AA 599 AAA QY3CC 599 CCC\n"
      "QSO: broken\n"
      "END-OF-LOG:\n"
      "QSO: 14025 CW 2026-03-14 1203 QX1AA 599 AAA QY4DD 599 DDD\n";
  const ContestResults results = CheckContest({{"a", "", text}}, TestOptions());
  const Words words = DecisionsOf(results, "a", true);
  ASSERT_EQ(words.size(), 5u);
  EXPECT_EQ(words[0], "unique");
  for (size_t i = 1; i < words.size(); ++i) {
    EXPECT_EQ(words[i].rfind("not-scored:", 0), 0u) << words[i];
  }
  EXPECT_NE(words[1].find("outside the contest bands"), std::string::npos);
  EXPECT_NE(words[2].find("X-QSO"), std::string::npos);
}

TEST(CheckContest, AdifLogsNameTheirStationAndSentExchange) {
  const std::string adif =
      "<EOH>\n<STATION_CALLSIGN:5>QY2BB<CALL:5>QX1AA<BAND:3>20m<MODE:2>CW<QSO_DATE:8>20260314"
      "<TIME_ON:4>1201<SRX_STRING:3>AAA<STX_STRING:3>BBB<EOR>\n";
  const ContestResults results = CheckContest(
      {Log("a", "QX1AA", "AAA", {"14 CW 1200 QY2BB BBB"}), {"b.adi", "", adif}}, TestOptions());
  EXPECT_EQ(LogNamed(results, "b.adi").station, "QY2BB");
  EXPECT_EQ(DecisionsOf(results, "a", true), Words{"ok:BBB"});
  EXPECT_EQ(DecisionsOf(results, "b.adi", true), Words{"ok:AAA"});
}

TEST(CheckContest, StationFromTheMostCommonSentCallWithoutCallsignHeader) {
  logfile::Report report;
  const std::string text =
      "START-OF-LOG: 3.0\n"
      "QSO: 14025 CW 2026-03-14 1200 QX9ZZ 599 AAA QY2BB 599 BBB\n"
      "QSO: 14025 CW 2026-03-14 1201 QX1AA 599 AAA QY3CC 599 BBB\n"
      "QSO: 14025 CW 2026-03-14 1202 QX1AA/P 599 AAA QY4DD 599 BBB\n"
      "END-OF-LOG:\n";
  logfile::ByteSource source(logfile::ByteSource::InMemory{}, text);
  const logfile::ParsedLog log = logfile::ReadLog(source, std::nullopt, report);
  // QX1AA and QX1AA/P are two sent calls as written; the first most common wins.
  EXPECT_EQ(StationOfLog(log), "QX9ZZ");
}

TEST(CheckContest, ScoresRawAsTheLogCheckAndCheckedWithPenalties) {
  std::vector<LogInput> logs = {
      Log("a", "QX1AA", "AAA",
          {"14 CW 1200 QY2BB BBB", "7 CW 1210 QY2BB BBB", "21 CW 1220 QY2BB BBB",
           "28 CW 1230 DL1XX 001", "28 CW 1231 DL1XX 001"}),
      Log("b", "QY2BB", "BBB", {"14 CW 1200 QX1AA AAA", "21 CW 1220 QX1AA AAA"})};
  ContestOptions options = TestOptions();
  options.nil_penalty = 2;
  const ContestResults results = CheckContest(logs, options);
  const LogResult& a = LogNamed(results, "a");
  EXPECT_EQ(DecisionsOf(results, "a"), (Words{"ok", "nil", "ok", "unique", "dupe"}));

  // Raw: exactly what the one-log check gives.
  logfile::Report report;
  logfile::ByteSource source(logfile::ByteSource::InMemory{}, *logs[0].bytes);
  logfile::ParsedLog parsed = logfile::ReadLog(source, std::nullopt, report);
  logfile::CheckOptions check;
  check.plugins_folder = options.plugins_folder;
  const logfile::CheckResult raw = logfile::CheckLog(parsed, check, report);
  int64_t points = 0;
  for (const TStatistic& band : raw.bands) points += band.Points;
  EXPECT_EQ(a.raw.points, points);
  EXPECT_EQ(a.raw.qsos, 4);

  // Checked: the nil line's points, twice, come off the credited points.
  int64_t nil_points = 0;
  for (uint32_t i = a.first_line; i < a.first_line + a.log.contacts().size(); ++i) {
    if (results.lines[i].decision == Decision::kNil) nil_points += results.lines[i].points;
  }
  EXPECT_GT(nil_points, 0);
  EXPECT_EQ(a.penalty_points, 2 * nil_points);
  EXPECT_EQ(a.credited.qsos, 3);
  EXPECT_EQ(a.checked_score,
            std::max<int64_t>(0, (a.credited.points - 2 * nil_points) *
                                     (a.credited.districts + a.credited.prefixes)));

  options.remove_uniques = true;
  const ContestResults removed = CheckContest(logs, options);
  EXPECT_EQ(LogNamed(removed, "a").credited.qsos, 2);
}

// ---- Invariants on generated contests ----

// Each log's rows keyed by station, not file: what must not depend on
// names or order.
std::map<std::string, Words> RowsByStation(const ContestResults& results) {
  std::map<std::string, Words> rows;
  for (size_t l = 0; l < results.logs.size(); ++l) {
    ForEachContactRow(results, l, [&](const ContactRow& row) {
      rows[results.logs[l].station].push_back(std::to_string(row.line) + " " +
                                              std::string(DecisionWord(row.decision)) + " " +
                                              row.evidence);
    });
  }
  return rows;
}

TEST(CheckContestInvariants, EveryLineOneDecisionWhateverTheOrderAndNames) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    GeneratedContest contest = Generate(seed, 2 + seed % 7);
    const ContestResults results = CheckContest(contest.logs, TestOptions());
    size_t rows = 0;
    for (size_t l = 0; l < results.logs.size(); ++l) {
      size_t counted = 0;
      for (size_t n : results.logs[l].decisions) counted += n;
      size_t walked = 0;
      ForEachContactRow(results, l, [&](const ContactRow&) { ++walked; });
      EXPECT_EQ(counted, walked) << "seed " << seed << " " << results.logs[l].file;
      rows += walked;
    }
    EXPECT_EQ(rows, contest.contact_lines) << "seed " << seed;

    const auto expected = RowsByStation(results);
    std::mt19937 random(seed);
    std::shuffle(contest.logs.begin(), contest.logs.end(), random);
    for (size_t i = 0; i < contest.logs.size(); ++i) {
      contest.logs[i].name = "renamed-" + std::to_string(contest.logs.size() - i);
    }
    ContestOptions one_thread = TestOptions();
    one_thread.threads = 1;
    EXPECT_EQ(RowsByStation(CheckContest(contest.logs, one_thread)), expected) << "seed " << seed;
  }
}

// Every output the same, byte for byte, on any number of threads: also
// for logs of very different sizes and for logs with no scored line.
TEST(CheckContestInvariants, OutputsDoNotDependOnTheThreads) {
  const auto outputs = [](const std::vector<LogInput>& logs, unsigned threads) {
    ContestOptions options = TestOptions();
    options.threads = threads;
    const ContestResults results = CheckContest(logs, options);
    std::ostringstream out;
    WriteQsosCsv(out, results);
    WriteResultsCsv(out, results);
    for (size_t l = 0; l < results.logs.size(); ++l) WriteStationReport(out, results, l);
    return out.str();
  };
  std::vector<std::vector<LogInput>> contests;
  for (unsigned seed = 1; seed <= 12; ++seed) contests.push_back(Generate(seed, 2 + seed % 9).logs);
  const std::string only_unscored =
      "START-OF-LOG: 3.0\nCALLSIGN: QX1AA\n"
      "X-QSO: 14025 CW 2026-03-14 1200 QX1AA 599 AAA QY2BB 599 BBB\nQSO: broken\nEND-OF-LOG:\n";
  contests.push_back({{"a", "", only_unscored}, {"b", "", only_unscored}, {"c", "", "junk"}});
  for (size_t k = 0; k < contests.size(); ++k) {
    const std::string one = outputs(contests[k], 1);
    for (unsigned threads : {2U, 3U, 5U}) {
      EXPECT_EQ(outputs(contests[k], threads), one) << "contest " << k << ", " << threads;
    }
  }
}

TEST(CheckContestInvariants, ASingleLogIsUniqueDupeOrNotScored) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    const GeneratedContest contest = Generate(seed, 5);
    for (const LogInput& log : contest.logs) {
      const ContestResults results = CheckContest({log}, TestOptions());
      for (const std::string& word : DecisionsOf(results, log.name)) {
        EXPECT_TRUE(word == "unique" || word == "dupe" || word == "not-scored")
            << "seed " << seed << " " << log.name << ": " << word;
      }
    }
  }
}

TEST(SameExchange, TrimmedAndIgnoringCase) {
  EXPECT_TRUE(SameExchange(" abc ", "ABC"));
  EXPECT_FALSE(SameExchange("AB C", "ABC"));
  EXPECT_FALSE(SameExchange("", "ABC"));
  EXPECT_TRUE(SameExchange("", ""));
}

}  // namespace
}  // namespace qxqy::crosscheck
