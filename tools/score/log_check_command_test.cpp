// qxqy-score --log end to end in one process: which country file is read,
// the exit status, what goes to standard output and what to standard error.
#include "tools/score/log_check_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/file_write_lock.h"
#include "tests/support/temp_dir.h"

namespace qxqy::score {
namespace {

constexpr char kCountries[] =
    "Home Land: 14: 21: EU: 47.50: -11.20: -1.0: QX:\n"
    "    QX;\n"
    "Isles: 15: 22: EU: 44.10: -13.80: -1.0: QY:\n"
    "    QY;\n";

// Two contacts of a clean log, QY5ZZ working QX1AB and QY2CD.
constexpr char kCleanLog[] =
    "START-OF-LOG: 3.0\n"
    "CALLSIGN: QY5ZZ\n"
    "CLAIMED-SCORE: 16\n"
    "QSO: 14025 CW 2026-03-14 1200 QY5ZZ 599 001 QX1AB 599 ALB\n"
    "QSO: 14200 PH 2026-03-14 1210 QY5ZZ 59  002 QY2CD 59  BEX\n"
    "END-OF-LOG:\n";

struct Outcome {
  int status;
  std::string out, err;
};

class LogCheckCommandTest : public ::testing::Test {
 protected:
  LogCheckCommandTest() {
    plugins_ = folder_.path().string() + "/plugins/";
    folder_.Write("plugins/qx-qy.dom", "ALB=ALB\nBEX=BEX\nCAR=CAR\n");
    options_.log = folder_.Write("log.cbr", kCleanLog);
  }

  Outcome Check() {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunLogCheck(options_, plugins_, out, err);
    return {status, out.str(), err.str()};
  }

  qxqy::testing::TempDir folder_;
  std::string plugins_;
  ScoreOptions options_;
};

TEST_F(LogCheckCommandTest, ExitsZeroOnlyWhenNothingIsReported) {
  const Outcome clean = Check();
  EXPECT_EQ(clean.status, 0) << clean.err;
  EXPECT_EQ(clean.err, "");
  EXPECT_NE(clean.out.find("Score: 4*(2+2)=16\nClaimed score: 16\n"), std::string::npos)
      << clean.out;

  options_.log = folder_.Write(
      "dupe.cbr", std::string(kCleanLog).insert(std::string(kCleanLog).find("END-OF-LOG"),
                                                "QSO: 14030 CW 2026-03-14 1220 QY5ZZ 599 003 "
                                                "QX1AB 599 ALB\n"));
  const Outcome dupe = Check();
  EXPECT_EQ(dupe.status, 1);
  EXPECT_EQ(dupe.err, options_.log + ":6: duplicate of line 4 (QX1AB 14 CW), not counted\n");
}

TEST_F(LogCheckCommandTest, ExitsTwoWhenTheLogOrTheCountryFileCannotBeRead) {
  struct Case {
    const char* what;
    std::string log, cty, format_in, message;
  };
  const std::string log = options_.log;
  const std::string missing = folder_.File("no-such.cbr");
  const Case cases[] = {
      {"missing log", missing, "", "", "qxqy-score: Cannot open file " + missing},
      {"missing --cty", log, folder_.File("no-such.dat"), "",
       "qxqy-score: Cannot open file " + folder_.File("no-such.dat")},
      {"broken --cty", log, folder_.Write("broken.dat", "QX;\n"), "",
       "qxqy-score: " + folder_.File("broken.dat") + ":1: expected an entity line"},
      {"unknown --format-in", log, "", "xml", "qxqy-score: --format-in must be cabrillo or adif"},
      {"unknown format", folder_.Write("words.txt", "just words\n"), "", "",
       "qxqy-score: cannot tell the log's format"},
  };
  for (const Case& c : cases) {
    options_.log = c.log;
    options_.cty = c.cty.empty() ? std::nullopt : std::optional<std::string>(c.cty);
    options_.format_in =
        c.format_in.empty() ? std::nullopt : std::optional<std::string>(c.format_in);
    const Outcome run = Check();
    EXPECT_EQ(run.status, 2) << c.what;
    EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << c.what << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.what;
  }
}

TEST_F(LogCheckCommandTest, ExitsTwoWhenTheDistrictTableCannotBeRead) {
  // The district table held open for writing by another program: nothing
  // is scored and the reason is given.
  const qxqy::testing::FileWriteLock lock(plugins_ + "qx-qy.dom");
  const Outcome locked = Check();
  EXPECT_EQ(locked.status, 2);
  EXPECT_EQ(locked.err, "qxqy-score: Cannot open file " + plugins_ +
                            "qx-qy.dom: another program holds it open for writing\n");
  EXPECT_EQ(locked.out, "");
}

TEST_F(LogCheckCommandTest, ReadsTheCountryFileNamedOrTheOneInThePluginsFolder) {
  // Without a country file, QX and QY calls are placed by their prefix and
  // every other is unknown.
  options_.log = folder_.Write(
      "far.cbr", std::string(kCleanLog).replace(std::string(kCleanLog).find("QX1AB"), 5, "ZZ1AB"));
  const std::string unknown = options_.log + ":4: country of ZZ1AB unknown, no prefix multiplier\n";
  EXPECT_EQ(Check().err, unknown);
  // A country file beside the district table is read without being named.
  folder_.Write("plugins/cty.dat",
                std::string(kCountries) + "Far: 1: 1: AS: 0: 0: 0: ZZ:\n    ZZ;\n");
  EXPECT_EQ(Check().err, "");
  // One named replaces it.
  options_.cty = folder_.Write("other.dat", kCountries);
  EXPECT_EQ(Check().err, unknown);
  // A country file is text of any bytes: a NUL is a blank like any other
  // control byte, not its end.
  options_.cty = folder_.Write(
      "nul.dat", std::string(kCountries) + "Far: 1: 1: AS: 0: 0: 0: ZZ:\n    " + '\0' + "ZZ;\n");
  const Outcome run = Check();
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(LogCheckCommandTest, ReadsACountryFileOfUpTo64Megabytes) {
  // The entities, then blanks up to the size.
  constexpr size_t kLimit = size_t{64} << 20;
  std::string text = kCountries;
  text.resize(kLimit, ' ');
  options_.cty = folder_.Write("largest.dat", text);
  const Outcome largest = Check();
  EXPECT_EQ(largest.status, 0) << largest.err;
  text += '\n';
  options_.cty = folder_.Write("too-large.dat", text);
  const Outcome too_large = Check();
  EXPECT_EQ(too_large.status, 2);
  EXPECT_EQ(too_large.err, "qxqy-score: country file " + *options_.cty + " is larger than 64 MB\n");
}

TEST_F(LogCheckCommandTest, WritesTheChosenFormatAndTheReportApart) {
  options_.log = folder_.Write(
      "unknown.cbr",
      std::string(kCleanLog).replace(std::string(kCleanLog).find("QX1AB"), 5, "ZZ1AB"));
  const std::string finding = options_.log + ":4: country of ZZ1AB unknown, no prefix multiplier\n";
  options_.format = "text";
  Outcome run = Check();
  EXPECT_EQ(run.out.rfind("Band\tQSOs\tPoints\tQX-QY\tWPX\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("Claimed score: 16\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, finding);
  options_.format = "csv";
  run = Check();
  EXPECT_EQ(run.out.rfind("Band,QSOs,Points,QX-QY,WPX\n", 0), 0u) << run.out;
  EXPECT_EQ(run.out.find("Score"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, finding);
  options_.format = "json";
  run = Check();
  EXPECT_EQ(run.out.rfind("{\n  \"file\": ", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\"reason\": \"country of ZZ1AB unknown"), std::string::npos);
  EXPECT_EQ(run.err, "");  // the report is part of the JSON
  EXPECT_EQ(run.status, 1);
}

TEST_F(LogCheckCommandTest, DumpsEachContactOnOneLineWhateverItsTextsHold) {
  // An ADIF field may hold every byte: the dump escapes the four that would
  // break its cells and lines and every other control byte, so none reaches
  // the terminal raw.
  const std::string exchange =
      "a\\b\tc\rd\ne\x01"
      "f~";
  options_.log = folder_.Write(
      "escapes.adi",
      "<EOH><CALL:5>QY2CD<BAND:3>20m<MODE:2>CW<SRX_STRING:" + std::to_string(exchange.size()) +
          ">" + exchange + "<OPERATOR:6>QX1OWN<EOR>\n<CALL:5>QX1AB<BAND:3>40m<MODE:3>SSB<EOR>\n");
  options_.dump_contacts = true;
  const Outcome run = Check();
  EXPECT_EQ(run.out,
            "1\tQY2CD\t14\tCW\ta\\\\b\\tc\\rd\\ne\\x01f~\tQY2\tQY\tQY\tQX\t3\n"
            "4\tQX1AB\t7\tSSB\t\tQX1\tQX\tQX\tQX\t1\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

}  // namespace
}  // namespace qxqy::score
