// Which reader a log goes to: the format named on the command line, or the
// one its first bytes show.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "logfile/log_file.h"

namespace qxqy::logfile {
namespace {

std::string NameOf(std::optional<LogFormat> format) {
  if (!format) return "none";
  return *format == LogFormat::kCabrillo ? "cabrillo" : "adif";
}

TEST(LogFormatTest, NamesBothFormatsInAnyLetterCaseAndNothingElse) {
  const std::pair<const char*, const char*> cases[] = {
      {"cabrillo", "cabrillo"},
      {"CABRILLO", "cabrillo"},
      {"Cabrillo", "cabrillo"},
      {"adif", "adif"},
      {"ADIF", "adif"},
      {"Adif", "adif"},
      {"", "none"},
      {"cab", "none"},
      {"adi", "none"},
      {"adif ", "none"},
      {"cabrillox", "none"},
      {"csv", "none"},
  };
  for (const auto& [name, format] : cases) EXPECT_EQ(NameOf(LogFormatOfName(name)), format) << name;
}

TEST(LogFormatTest, TellsTheFormatFromTheFirstBytes) {
  const std::pair<std::string, const char*> cases[] = {
      {"START-OF-LOG: 3.0\nCALLSIGN: QX1OWN\n", "cabrillo"},
      {"start-of-log: 3.0\n", "cabrillo"},
      {"START-OF-LOG:", "cabrillo"},
      {"START-OF-LOG 3.0\n", "none"},  // the colon belongs to the tag
      {"START-OF-LO", "none"},
      {" \t\r\n START-OF-LOG: 3.0\n", "cabrillo"},
      {"\xEF\xBB\xBFSTART-OF-LOG: 3.0\n", "cabrillo"},
      {"\xEF\xBB\xBF<CALL:4>QX1A<EOR>", "adif"},
      {"\xEF\xBB"
       "START-OF-LOG: 3.0\n",
       "none"},  // a mark is taken only whole
      // Every byte up to the blank counts as one before the first text;
      // the byte after it does not.
      {std::string("\x01\x1F <CALL:4>QX1A<EOR>"), "adif"},
      {std::string(1, '\0') + "START-OF-LOG:", "cabrillo"},
      {"!<CALL:4>QX1A", "none"},
      {"<CALL:4>QX1A", "adif"},
      {"<", "adif"},
      {"Exported by a logger\n<ADIF_VER:5>3.1.4<EOH>\n", "adif"},
      {"Exported by a logger\n<eoh>\n", "adif"},
      {"Exported by a logger <Eor>", "adif"},
      {"Exported by a logger <EO>", "none"},
      {"Exported by a logger <eOh>", "adif"},
      {"Exported <by> a <<EOR> logger", "adif"},
      {"Exported by a logger <EOH", "none"},
      {"Exported by a logger <E0R>", "none"},
      {"QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX\n", "none"},
      {"", "none"},
      {"   ", "none"},
  };
  for (const auto& [head, format] : cases) {
    EXPECT_EQ(NameOf(DetectLogFormat(head)), format) << "'" << head << "'";
  }
}

TEST(LogFormatTest, RefusesToGuessAndReadsTheFormatItIsTold) {
  const std::string text = "just some words\n";
  ByteSource unknown(ByteSource::InMemory{}, text);
  Report report;
  EXPECT_THROW(ReadLog(unknown, std::nullopt, report), LogReadError);

  // Told, the reader reads what it can: a Cabrillo log read as ADIF has no
  // record; an ADIF record read as Cabrillo is no Cabrillo line.
  const std::string cabrillo =
      "START-OF-LOG: 3.0\nQSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 "
      "QY2CD 599 BEX\nEND-OF-LOG:\n";
  ByteSource as_adif(ByteSource::InMemory{}, cabrillo);
  Report adif_report;
  EXPECT_EQ(ReadLog(as_adif, LogFormat::kAdif, adif_report).contacts().size(), 0u);
  ByteSource as_cabrillo(ByteSource::InMemory{}, cabrillo);
  Report cabrillo_report;
  EXPECT_EQ(ReadLog(as_cabrillo, LogFormat::kCabrillo, cabrillo_report).contacts().size(), 1u);
  const std::string adif = "<CALL:5>QY2CD<BAND:3>20m<MODE:2>CW<EOR>\n";
  ByteSource adif_as_cabrillo(ByteSource::InMemory{}, adif);
  Report mismatch_report;
  EXPECT_EQ(ReadLog(adif_as_cabrillo, LogFormat::kCabrillo, mismatch_report).contacts().size(), 0u);
  EXPECT_EQ(mismatch_report.total(), 1u);
  ByteSource adif_detected(ByteSource::InMemory{}, adif);
  Report detected_report;
  EXPECT_EQ(ReadLog(adif_detected, std::nullopt, detected_report).contacts().size(), 1u);
}

std::string Utf16Le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}
std::string Utf16Be(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += std::string{'\0', c};
  return out;
}

TEST(LogFormatTest, TellsUtf16TextWithOrWithoutAMark) {
  const std::string log = "START-OF-LOG: 3.0\r\nCALLSIGN: QX1OWN\r\n";
  const std::pair<std::string, bool> cases[] = {
      {"\xFF\xFE" + Utf16Le(log), true},
      {"\xFE\xFF" + Utf16Be(log), true},
      {Utf16Le(log), true},
      {Utf16Be(log), true},
      {"\xFF\xFE", true},
      {log, false},
      {"\xEF\xBB\xBF" + log, false},        // UTF-8 with its mark
      {std::string(64, '\0'), false},       // all NUL: binary, not text
      {log + std::string(4, '\0'), false},  // a few NULs
      {std::string("Q\0", 2), false},       // too short to tell
      // Only the first 4 KB are looked at.
      {Utf16Le(std::string(2048, 'Q')) + std::string(8192, 'Q'), true},
      {std::string(4096, 'Q') + Utf16Le(std::string(8192, 'Q')), false},
      {"", false},
  };
  for (const auto& [head, utf16] : cases) {
    EXPECT_EQ(LooksLikeUtf16(head), utf16) << head;
  }
}

TEST(LogFormatTest, RefusesUtf16SayingWhatItIs) {
  const std::string text = "\xFF\xFE" + Utf16Le("START-OF-LOG: 3.0\r\nEND-OF-LOG:\r\n");
  for (const auto format : {std::optional<LogFormat>(), std::optional(LogFormat::kCabrillo),
                            std::optional(LogFormat::kAdif)}) {
    ByteSource source(ByteSource::InMemory{}, text);
    Report report;
    try {
      ReadLog(source, format, report);
      ADD_FAILURE() << "expected LogReadError";
    } catch (const LogReadError& error) {
      EXPECT_EQ(std::string(error.what()),
                "the log is UTF-16 text, which is not read: save it as UTF-8 or ASCII (plain text) "
                "and check it again");
    }
  }
}

}  // namespace
}  // namespace qxqy::logfile
