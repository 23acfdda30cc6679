// Trimming at its edge, for both reference files: the files are loaded
// exactly as written (nothing trimmed), and where a line is used trimmed
// (the call-sign list's lines) the codes 0 to 32 go at both ends while the
// first printable character, "!" (33), and the bytes 128 to 255 stay. The
// district table's names and values are never trimmed: a blank or a
// control character beside a code keeps the code from counting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/env.h"
#include "refdata/call_lookup.h"
#include "refdata/reference_files.h"
#include "tests/support/temp_dir.h"

namespace qxqy {
namespace {

// Every code a line can carry at its ends in a file: 1 to 33 (0 ends the
// text and CR and LF end the line), and two high bytes.
std::vector<char> EdgeCodes() {
  std::vector<char> codes;
  for (int code = 1; code <= 33; ++code) {
    if (code != '\n' && code != '\r') codes.push_back(static_cast<char>(code));
  }
  codes.push_back('\xA0');
  codes.push_back('\xFF');
  return codes;
}

bool Trimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string CodeName(char c) {
  return "code " + std::to_string(static_cast<int>(static_cast<unsigned char>(c)));
}

class ReferenceTrimmingTest : public ::testing::Test {
 protected:
  // Writes both files with the same bytes and loads them.
  void Load(const std::string& bytes) {
    dir_.Write(std::string("Plugins/") + kDistrictTableFileName, bytes);
    dir_.Write(std::string("Plugins/") + kCallDistrictsFileName, bytes);
    LoadReferenceFiles(dir_.File("Plugins") + env::PathSeparator(), table_, calls_);
  }
  std::string Suggest(const std::string& call) const {
    std::string suggestion = "<none>";
    LookupDistrict(calls_, "QX", call, suggestion);
    return suggestion;
  }

  qxqy::testing::TempDir dir_;
  DistrictTable table_;
  StringList calls_;
};

TEST_F(ReferenceTrimmingTest, BothFilesKeepEveryCodeAtBothEndsOfALine) {
  for (const char c : EdgeCodes()) {
    SCOPED_TRACE(CodeName(c));
    const std::string line = std::string(1, c) + "ABC=ABC" + c;
    Load(line + "\r\n");
    EXPECT_EQ(table_.Lines().Lines(), std::vector<std::string>{line});
    EXPECT_EQ(calls_.Lines(), std::vector<std::string>{line});
  }
}

TEST_F(ReferenceTrimmingTest, ACallSignLineLosesCodesUpToTheBlankAtEachEndAndKeepsTheRest) {
  for (const char c : EdgeCodes()) {
    SCOPED_TRACE(CodeName(c));
    Load(std::string(1, c) + "QX1AB=ABC\r\nQY2CD=DEF" + c + "\r\n");
    // Before the call: trimmed away, or part of the name, which then differs.
    EXPECT_EQ(Suggest("QX1AB"), Trimmed(c) ? "ABC" : "<none>");
    // After the district: trimmed away, or part of the district.
    EXPECT_EQ(Suggest("QY2CD"), Trimmed(c) ? "DEF" : "DEF" + std::string(1, c));
  }
}

TEST_F(ReferenceTrimmingTest, ANulAtEitherEndOfACallSignLineIsTrimmedToo) {
  // A file cannot carry it (a NUL ends the text), a list can.
  StringList calls;
  calls.Add(std::string("\0QX1AB=ABC\0", 11));
  std::string suggestion;
  LookupDistrict(calls, "QX", "QX1AB", suggestion);
  EXPECT_EQ(suggestion, "ABC");
}

TEST_F(ReferenceTrimmingTest, ADistrictNameOrValueWithAnyCodeBesideItDoesNotConfirmTheCode) {
  for (const char c : EdgeCodes()) {
    SCOPED_TRACE(CodeName(c));
    Load("ABC=ABC" + std::string(1, c) + "\r\n" + c + "DEF=DEF\r\nGHI=GHI\r\n");
    EXPECT_EQ(table_.ValueOfName("ABC"), "ABC" + std::string(1, c));
    EXPECT_EQ(table_.ValueOfName("DEF"), "");
    EXPECT_EQ(table_.ValueOfName(std::string(1, c) + "DEF"), "DEF");
    EXPECT_EQ(table_.ValueOfName("GHI"), "GHI");
  }
}

}  // namespace
}  // namespace qxqy
