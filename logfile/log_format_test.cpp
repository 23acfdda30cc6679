#include <gtest/gtest.h>

#include <string>

#include "logfile/log_file.h"

namespace qxqy::logfile {
namespace {

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
