#include "logfile/adif_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "logfile/reader_test_support.h"

namespace qxqy::logfile {
namespace {

using testing::ReadText;
using Lines = std::vector<std::string>;

constexpr char kRecord[] =
    "<CALL:5>QY2CD<BAND:3>20m<MODE:2>CW<QSO_DATE:8>20260314<TIME_ON:4>1200"
    "<SRX_STRING:7>599 BEX<EOR>";
constexpr char kContact[] = "1 QY2CD 14 CW [599 BEX]  20260314120000";

testing::ReadResult Read(const std::string& text) { return ReadText(text, LogFormat::kAdif); }

TEST(AdifReaderTest, ReadsNamesInAnyCaseWithOrWithoutATypeIndicator) {
  const std::string cases[] = {
      kRecord,
      "<call:5>QY2CD<band:3>20M<mode:2>cw<qso_date:8>20260314<time_on:6>120000"
      "<srx_string:7>599 BEX<eor>",
      "<Call:5:S>QY2CD <Band:3:E>20m <Mode:2:E>CW <Qso_Date:8:D>20260314 <Time_On:4:T>1200 "
      "<Srx_String:7:S>599 BEX <Eor>",
      "<CALL:5>qy2cd<BAND:3>20m<MODE:2>CW<QSO_DATE:8>20260314<TIME_ON:4>1200<SRX:7>599 BEX<EOR>",
      "<CALL:7> QY2CD <FREQ:6>14.025<MODE:2>CW<QSO_DATE:8>20260314<TIME_ON:4>1200"
      "<SRX_STRING:7>599 BEX<EOR>",
  };
  for (const std::string& text : cases) {
    const auto result = Read(text);
    EXPECT_EQ(result.contacts, Lines{kContact}) << text;
    EXPECT_EQ(result.findings, Lines{}) << text;
  }
}

TEST(AdifReaderTest, CountsDataLengthsInBytesWhateverTheyHold) {
  // Data may hold "<", ">" and line ends: only the length says where it ends.
  const auto result = Read(
      "<CALL:5>QY2CD<BAND:3>20m<MODE:2>CW<COMMENT:11>a <EOR>\r\nb>c<SRX_STRING:7>599 BEX<EOR>\n"
      "<CALL:5>QX3EF<BAND:3>20m<MODE:2>CW<SRX_STRING:9>599 CARXX<EOR>");
  EXPECT_EQ(result.contacts, (Lines{"1 QY2CD 14 CW [599 BEX]  0", "3 QX3EF 14 CW [599 CARXX]  0"}));
  // A length shorter than the text leaves the rest between fields, unread.
  EXPECT_EQ(Read("<CALL:3>QY2CD<BAND:3>20m<MODE:2>CW<EOR>").contacts, Lines{"1 QY2 14 CW []  0"});
  // A zero length is an empty field, and so is one of blanks only, as for
  // every other field: SRX_STRING then gives way to SRX.
  for (const std::string blank : {"<SRX_STRING:0>", "<SRX_STRING:2>  ", "<SRX_STRING:1>\t"}) {
    EXPECT_EQ(Read("<CALL:5>QY2CD<BAND:3>20m<MODE:2>CW" + blank + "<SRX:7>599 ABC<EOR>").contacts,
              Lines{"1 QY2CD 14 CW [599 ABC]  0"})
        << blank;
  }
}

TEST(AdifReaderTest, SkipsTheHeaderUpToEoh) {
  const std::string header =
      "Exported <by> a logger, 1 < 2\r\n<ADIF_VER:5>3.1.4 <CALL:6>HEADER <PROGRAMID:4>test\r\n"
      "<EOH>\r\n";
  const auto result = Read(header + kRecord);
  EXPECT_EQ(result.contacts, Lines{"4 QY2CD 14 CW [599 BEX]  20260314120000"});
  EXPECT_EQ(result.findings, Lines{});
  // A file that starts with a field has no header.
  EXPECT_EQ(Read(std::string(kRecord) + kRecord).contacts.size(), 2u);
  // Text before the first field without any <EOH>: the fields are a record.
  EXPECT_EQ(Read(std::string("some words\n") + kRecord).contacts,
            Lines{"2 QY2CD 14 CW [599 BEX]  20260314120000"});
}

TEST(AdifReaderTest, ReportsAndStopsAtALengthThatRunsPastTheEnd) {
  const std::pair<std::string, std::string> cases[] = {
      {"<CALL:2147483647>QY2CD<EOR>",
       "1: field CALL: its length 2147483647 runs past the end of the file; reading stops here"},
      {"\n<CALL:6>QY2CD",
       "2: field CALL: its length 6 runs past the end of the file; reading stops here"},
  };
  for (const auto& [text, finding] : cases) {
    const auto result = Read(std::string(kRecord) + text);
    EXPECT_EQ(result.contacts, Lines{kContact}) << text;
    EXPECT_EQ(result.findings, Lines{finding}) << text;
  }
}

TEST(AdifReaderTest, ReadsPastAFieldWhoseLengthIsNoNumberUpToTheNextTag) {
  const std::string lengths[] = {"", "abc", "-1", "2147483648", "99999999999999999999999", " "};
  for (const std::string& length : lengths) {
    // The bad field's data is read past; the record's other fields and the
    // next record are read.
    const std::string text = "<CALL:" + length + ">QY2CD<BAND:3>20m<MODE:2>CW<EOR>\n" + kRecord;
    const auto result = Read(text);
    EXPECT_EQ(result.findings,
              (Lines{"1: field CALL: length '" + std::string(Trim(length)) +
                         "' is not a number from 0 to 2147483647; field read past up to the next <",
                     "1: record without CALL, not scored"}))
        << text;
    EXPECT_EQ(result.contacts, Lines{"2" + std::string(kContact).substr(1)}) << text;
  }
}

TEST(AdifReaderTest, ReportsRecordsItCannotScore) {
  const std::string rest = "<MODE:2>CW<EOR>";
  const std::pair<std::string, std::string> cases[] = {
      {"<BAND:3>20m" + rest, "1: record without CALL, not scored"},
      {"<CALL:5>QY2CD" + rest, "1: record has neither BAND nor FREQ, not scored"},
      {"<CALL:5>QY2CD<BAND:3>60m" + rest, "1: band 60m is outside the contest bands, not scored"},
      {"<CALL:5>QY2CD<FREQ:5>5.360" + rest,
       "1: frequency 5.360 MHz is outside the contest bands, not scored"},
      {"<CALL:5>QY2CD<FREQ:5>14,02" + rest, "1: cannot read FREQ '14,02' (MHz), not scored"},
      {"<CALL:5>QY2CD<BAND:3>20m<EOR>", "1: record without MODE, not scored"},
      {"<CALL:5>QY2CD<BAND:3>20m<MODE:2>CW",
       "1: the last record is not ended by <EOR>; scored as "
       "it stands"},
      {"<CALL:5>QY2CD<BAND:3>20m<FOO>" + rest, "1: tag <FOO> has no length, read past"},
      {"<CALL:5>QY2CD<BAND:3>20m <<MODE:2>CW<EOR>", "1: unreadable tag '<', read past"},
  };
  for (const auto& [text, finding] : cases) {
    EXPECT_EQ(Read(text).findings, Lines{finding}) << text;
  }
}

TEST(AdifReaderTest, KeepsFileOrderForContactsWithoutATime) {
  const auto result = Read(
      "<CALL:4>QX1A<BAND:3>20m<MODE:2>CW<QSO_DATE:8>20260314<TIME_ON:4>1200<EOR>\n"
      "<CALL:4>QX1B<BAND:3>20m<MODE:2>CW<EOR>\n"
      "<CALL:4>QX1C<BAND:3>20m<MODE:2>CW<QSO_DATE:8>20260314<TIME_ON:4>9999<EOR>\n");
  // Without a time a contact takes the time of the one before it; an
  // unreadable time is reported and treated the same way.
  EXPECT_EQ(result.contacts,
            (Lines{"1 QX1A 14 CW []  20260314120000", "2 QX1B 14 CW []  20260314120000",
                   "3 QX1C 14 CW []  20260314120000"}));
  EXPECT_EQ(result.findings,
            Lines{"3: cannot read QSO_DATE and TIME_ON (YYYYMMDD, hhmm[ss]); taken to follow the "
                  "contact before it"});
}

TEST(AdifReaderTest, TakesTheOwnCallAndPrefixFromTheRecords) {
  const auto result = Read(
      "<CALL:5>QY2CD<BAND:3>20m<MODE:2>CW<OPERATOR:6>qx1own<PFX:3>qy7<EOR>"
      "<CALL:5>QY2CD<BAND:3>40m<MODE:2>CW<STATION_CALLSIGN:6>QX9XYZ<EOR>");
  EXPECT_EQ(result.own_call, "QX1OWN");
  EXPECT_EQ(result.contacts, (Lines{"1 QY2CD 14 CW [] QY7 0", "1 QY2CD 7 CW []  0"}));
}

TEST(AdifReaderTest, KeepsMemoryBoundedForHugeFields) {
  // A field far longer than what is kept: read past, cut to 255 characters.
  const std::string huge(1 << 20, 'x');
  const auto result =
      Read("<CALL:5>QY2CD<BAND:3>20m<MODE:2>CW<NOTES:" + std::to_string(huge.size()) + ">" + huge +
           "<SRX_STRING:" + std::to_string(huge.size()) + ">" + huge + "<EOR>");
  ASSERT_EQ(result.contacts.size(), 1u);
  EXPECT_EQ(result.contacts[0], "1 QY2CD 14 CW [" + std::string(255, 'x') + "]  0");
}

}  // namespace
}  // namespace qxqy::logfile
