// The ADIF reader at its edges: the longest tag, lengths that are not
// numbers, how a byte of an unreadable tag is shown, the line a record
// stands on and the fields it is made of.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logfile/reader_test_support.h"

namespace qxqy::logfile {
namespace {

using testing::ReadText;
using Lines = std::vector<std::string>;

testing::ReadResult Read(const std::string& text) { return ReadText(text, LogFormat::kAdif); }

constexpr char kFields[] = "<BAND:3>20m<MODE:2>CW";

TEST(AdifRulesTest, ReadsATagOfEightyCharactersAndNoLonger) {
  // A field scoring ignores, named so that the tag's text (name, colon,
  // length) is 80 characters, then 81.
  const std::string name80(78, 'X');
  EXPECT_EQ(Read("<CALL:5>QY2CD<" + name80 + ":1>z" + kFields + "<EOR>").findings, Lines{});
  EXPECT_EQ(Read("<CALL:5>QY2CD<" + name80 + ":1>z" + kFields + "<EOR>").contacts,
            Lines{"1 QY2CD 14 CW []  0"});
  const std::string name79(79, 'X');
  const auto result = Read("<CALL:5>QY2CD<" + name79 + ":1>z" + kFields + "<EOR>");
  EXPECT_EQ(result.findings, Lines{"1: unreadable tag '<" + name79 + ":', read past"});
}

TEST(AdifRulesTest, KeepsTheFirst255BytesOfAField) {
  // Only what is kept is trimmed and read: a call after 254 blanks is the
  // call; after 255 blanks it is past what is kept.
  const std::pair<size_t, const char*> cases[] = {{254, "Q"}, {255, ""}};
  for (const auto& [blanks, call] : cases) {
    const std::string data = std::string(blanks, ' ') + "Q";
    const auto result =
        Read("<CALL:" + std::to_string(data.size()) + ">" + data + kFields + "<EOR>");
    if (*call != '\0') {
      EXPECT_EQ(result.contacts, Lines{"1 Q 14 CW []  0"}) << blanks;
    } else {
      EXPECT_EQ(result.contacts, Lines{}) << blanks;
      EXPECT_EQ(result.findings, Lines{"1: record without CALL, not scored"}) << blanks;
    }
  }
}

TEST(AdifRulesTest, ShowsEachByteOfAnUnreadableTagThatIsNotPlainText) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string(1, '\0'), "?"},
      {"\x01", "?"},
      {"\t", "?"},
      {"\x1F", "?"},
      {" ", " "},
      {"!", "!"},
      {"~", "~"},
      {"\x7F", "?"},
      {"\x80", "?"},
      {"\xFF", "?"},
      {"az", "az"},
  };
  for (const auto& [bytes, shown] : cases) {
    const auto result = Read("<CALL:5>QY2CD<x" + bytes + "y" + kFields + "<EOR>");
    EXPECT_EQ(result.findings, Lines{"1: unreadable tag '<x" + shown + "y', read past"})
        << static_cast<int>(static_cast<unsigned char>(bytes[0]));
    EXPECT_EQ(result.contacts, Lines{"1 QY2CD 14 CW []  0"});
  }
}

TEST(AdifRulesTest, TakesALengthOfDigitsOnly) {
  const std::pair<std::string, std::string> refused[] = {
      {"1A", "1A"}, {"A1", "A1"}, {"", ""}, {"5.0", "5.0"}, {"0x5", "0x5"}, {"+5", "+5"},
  };
  for (const auto& [length, shown] : refused) {
    const auto result = Read("<CALL:" + length + ">QY2CD" + kFields + "<EOR>");
    // The field is skipped and the record read on, so the record has no call.
    EXPECT_EQ(result.findings,
              (Lines{"1: field CALL: length '" + shown +
                         "' is not a number from 0 to 2147483647; field read past up to the next <",
                     "1: record without CALL, not scored"}))
        << length;
    EXPECT_EQ(result.contacts, Lines{}) << length;
  }
  struct Accepted {
    std::string length, data, call;
  };
  const Accepted accepted[] = {
      {"5", "QY2CD", "QY2CD"},         {"05", "QY2CD", "QY2CD"}, {" 5 ", "QY2CD", "QY2CD"},
      {"5:S", "QY2CD", "QY2CD"},       {"5:", "QY2CD", "QY2CD"}, {"3:S:X", "QY2CD", "QY2"},
      {"9", "QY2CD/KH9", "QY2CD/KH9"}, {"0", "QY2CD", ""},
  };
  for (const Accepted& r : accepted) {
    const auto result = Read("<CALL:" + r.length + ">" + r.data + kFields + "<EOR>");
    if (r.call.empty()) {
      EXPECT_EQ(result.findings, Lines{"1: record without CALL, not scored"}) << r.length;
    } else {
      EXPECT_EQ(result.contacts, Lines{"1 " + r.call + " 14 CW []  0"}) << r.length;
    }
  }
}

// The line of its first field that scoring reads (NOTES is not one).
TEST(AdifRulesTest, PutsARecordOnTheLineOfItsFirstField) {
  const auto result = Read(
      "\n\n<CALL:5>QY2CD\n<BAND:3>20m\n<MODE:2>CW\n<EOR><CALL:5>QX1AB<BAND:3>40m<MODE:2>CW"
      "\r\n<EOR>\r\n\r\n<NOTES:2>ab\n<CALL:5>QX3EF<BAND:3>80m<MODE:2>CW<EOR>");
  EXPECT_EQ(result.contacts,
            (Lines{"3 QY2CD 14 CW []  0", "6 QX1AB 7 CW []  0", "10 QX3EF 3.5 CW []  0"}));
  // Fields before <EOH> are the header's, not a record's.
  EXPECT_EQ(Read("header\n<PROGRAMID:4>test<CALL:4>HEAD\n<EOH>\n<CALL:5>QY2CD" +
                 std::string(kFields) + "<EOR>")
                .contacts,
            Lines{"4 QY2CD 14 CW []  0"});
}

TEST(AdifRulesTest, ReportsStrayTagsOnlyOutsideTheHeader) {
  const std::pair<std::string, Lines> cases[] = {
      {"words <FOO> 1 < 2\n<EOH>\n<CALL:5>QY2CD" + std::string(kFields) + "<EOR>", Lines{}},
      {"<CALL:5>QY2CD<FOO>" + std::string(kFields) + "<EOR>",
       Lines{"1: tag <FOO> has no length, read past"}},
      {"<EOH><CALL:5>QY2CD<foo>" + std::string(kFields) + "<EOR>",
       Lines{"1: tag <FOO> has no length, read past"}},
      {"<EOH><CALL:5>QY2CD<" + std::string(kFields) + "<EOR>",
       Lines{"1: unreadable tag '<', read past"}},
      // After <EOH> the header is over: the first record's stray tags are
      // reported as every other's.
      {"header\n<EOH>\n<CALL:5>QY2CD<FOO>" + std::string(kFields) + "<EOR>",
       Lines{"3: tag <FOO> has no length, read past"}},
      {"header\n<EOH>\n<CALL:5>QY2CD<x" + std::string(kFields) + "<EOR>",
       Lines{"3: unreadable tag '<x', read past"}},
      {"header\n<EOH>\n<CALL:5>QY2CD" + std::string(kFields),
       Lines{"3: the last record is not ended by <EOR>; scored as it stands"}},
      // No <EOH>: the text before the first field was no header, and the
      // fields after it make a record.
      {" <CALL:5>QY2CD" + std::string(kFields) + "<EOR>", Lines{}},
  };
  for (const auto& [text, findings] : cases) {
    const auto result = Read(text);
    EXPECT_EQ(result.findings, findings) << text;
    EXPECT_EQ(result.contacts.size(), 1u) << text;
  }
}

TEST(AdifRulesTest, ScoresNoRecordItReportsAsNotScored) {
  const std::string rest = "<MODE:2>CW<EOR>\n";
  const std::string records[] = {
      "<BAND:3>20m" + rest,
      "<CALL:5>QY2CD" + rest,
      "<CALL:5>QY2CD<BAND:3>60m" + rest,
      "<CALL:5>QY2CD<FREQ:5>5.360" + rest,
      "<CALL:5>QY2CD<FREQ:5>14,02" + rest,
      "<CALL:5>QY2CD<BAND:3>20m<EOR>\n",
      "<CALL:2>  <BAND:3>20m" + rest,
      "<CALL:5>QY2CD<BAND:3>20m<MODE:1> <EOR>\n",
  };
  for (const std::string& record : records) {
    const auto result = Read(record + "<CALL:5>QX1AB<BAND:3>40m" + rest);
    EXPECT_EQ(result.contacts, Lines{"2 QX1AB 7 CW []  0"}) << record;
    ASSERT_EQ(result.findings.size(), 1u) << record;
    EXPECT_NE(result.findings[0].find("not scored"), std::string::npos) << result.findings[0];
  }
}

}  // namespace
}  // namespace qxqy::logfile
