#include "crosscheck/result_writers.h"

#include <gtest/gtest.h>

#include <sstream>

#include "crosscheck/contact_rows.h"

namespace qxqy::crosscheck {
namespace {

TEST(ResultWriters, TextsFromLogsAreWrittenSafely) {
  const std::pair<std::string, std::string> csv[] = {
      {"QX1AA", "QX1AA"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {" lead", "\" lead\""},
      {std::string("bell\x07\r\nend", 10), "bell???end"},
      {"", ""},
  };
  for (const auto& [in, want] : csv) EXPECT_EQ(CsvField(in), want) << in;
  EXPECT_EQ(Printable(std::string("a\0b\x7F", 4)), "a?b?");
}

TEST(ResultWriters, ShortTextsHoldUpToSevenBytes) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},          {"A", true},
      {"ABCDEFG", true},   {std::string("A\0C", 3), true},
      {"ABCDEFGH", false}, {std::string(300, 'x'), false},
  };
  for (const auto& [text, held] : cases) {
    const ShortText packed(text);
    EXPECT_EQ(packed.held(), held) << text;
    EXPECT_EQ(packed.view(), held ? std::string_view(text) : std::string_view()) << text;
  }
  EXPECT_FALSE(ShortText().held());
  static_assert(sizeof(ShortText) == 8);
}

TEST(ResultWriters, ReportFileNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"QX1AA", "QX1AA.txt"},
      {"EA8/QX1AA", "EA8-QX1AA.txt"},
      {"../../etc", "__-__-etc.txt"},
      {"A B", "A_B.txt"},
  };
  for (const auto& [in, want] : cases) EXPECT_EQ(ReportFileName(in), want) << in;
}

TEST(ResultWriters, ReportFileNamesNeverCollide) {
  ContestOptions options;
  options.plugins_folder = "/nonexistent/";
  const auto log = [](const char* name, const char* station) {
    return LogInput{name, "",
                    std::string("START-OF-LOG: 3.0\nCALLSIGN: ") + station +
                        "\nQSO: 14025 CW 2026-03-14 1200 X 599 1 QX1AA 599 1\nEND-OF-LOG:\n"};
  };
  const ContestResults results = CheckContest(
      {log("a", "QY1A/B"), log("b", "QY1A-B"), log("c", "QY1A\\B"), log("d", "QY1A_B")}, options);
  EXPECT_EQ(ReportFileNames(results),
            (std::vector<std::string>{"QY1A-B.txt", "QY1A-B_2.txt", "QY1A_B.txt", "QY1A_B_2.txt"}));
}

TEST(ResultWriters, TimesAsLogged) {
  EXPECT_EQ(FormatTimeKey(20260314120500), "2026-03-14 1205");
  EXPECT_EQ(FormatTimeKey(20260314120542), "2026-03-14 1205:42");
  EXPECT_EQ(FormatTimeKey(99991231235900), "9999-12-31 2359");
  EXPECT_EQ(FormatTimeKey(10101000000), "0001-01-01 0000");
  EXPECT_EQ(FormatTimeKey(20260101000001), "2026-01-01 0000:01");
  EXPECT_EQ(FormatTimeKey(20261009090959), "2026-10-09 0909:59");
}

TEST(ResultWriters, QsosCsvHasOneRowPerContactLine) {
  const std::string a =
      "START-OF-LOG: 3.0\nCALLSIGN: QX1AA\n"
      "QSO: 14025 CW 2026-03-14 1200 QX1AA 599 AAA QY2BB 599 BBB\n"
      "QSO: 14025 CW 2026-03-14 1201 QX1AA 599 AAA QY2BB 599 BBB\n"
      "X-QSO: 14025 CW 2026-03-14 1202 QX1AA 599 AAA QY3CC 599 CCC\n"
      "END-OF-LOG:\n";
  ContestOptions options;
  options.plugins_folder = "/nonexistent/";
  const ContestResults results =
      CheckContest({{"a,1.log", "", a}, {"junk", "", std::string("junk")}}, options);
  std::ostringstream out;
  WriteQsosCsv(out, results);
  EXPECT_EQ(out.str(),
            "file,line,station,call,band,mode,time,decision,evidence,penalty\n"
            "\"a,1.log\",3,QX1AA,QY2BB,14,CW,2026-03-14 1200,unique,,0\n"
            "\"a,1.log\",4,QX1AA,QY2BB,14,CW,2026-03-14 1201,dupe,,0\n"
            "\"a,1.log\",5,QX1AA,,,,,not-scored,\"X-QSO line, listed and not scored\",0\n");
  std::ostringstream json;
  WriteResultsJson(json, results);
  EXPECT_NE(json.str().find("\"status\": \"not-a-log\""), std::string::npos);
}

// The rows are gathered in a buffer of a few kilobytes: rows longer than
// it, and many rows, come out whole and in order.
TEST(ResultWriters, QsosRowsOfAnyLength) {
  std::string log = "START-OF-LOG: 3.0\nCALLSIGN: QX1AA\n";
  for (int minute = 0; minute < 60; ++minute) {
    log += "QSO: 14025 CW 2026-03-14 12" + std::string(minute < 10 ? "0" : "") +
           std::to_string(minute) + " QX1AA 599 AAA QY2BB 599 BBB\n";
  }
  log += "END-OF-LOG:\n";
  ContestOptions options;
  options.plugins_folder = "/nonexistent/";
  const ContestResults short_name = CheckContest({{"a.log", "", log}}, options);
  for (const size_t length :
       {size_t{100}, size_t{4000}, size_t{8191}, size_t{8192}, size_t{20000}}) {
    const std::string name(length, 'n');
    std::string want;
    AppendQsosRows(short_name, 0, 1, want);
    for (size_t at = want.find("a.log"); at != std::string::npos;
         at = want.find("a.log", at + name.size())) {
      want.replace(at, 5, name);
    }
    std::string rows = "before\n";
    AppendQsosRows(CheckContest({{name, "", log}}, options), 0, 1, rows);
    EXPECT_EQ(rows, "before\n" + want) << "file name of " << length << " bytes";
  }
}

}  // namespace
}  // namespace qxqy::crosscheck
