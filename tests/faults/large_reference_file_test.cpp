// A 50 MB district table: it loads whole, and the lookups that scoring makes
// (first line of a name wins, names ignore letter case, values must equal
// the code) still give the right answers for lines at its very end.
#include <gtest/gtest.h>

#include <string>

#include "MainForm/main_form_fixture.h"

namespace qxqy::testing {
namespace {

constexpr size_t kTableBytes = 50u << 20;
constexpr size_t kFillerValueLength = 200;

// Three-letter code number `index` (AAA, AAB, ...).
std::string Code(size_t index) {
  std::string code(3, 'A');
  for (int i = 2; i >= 0; --i, index /= 26) code[i] = static_cast<char>('A' + index % 26);
  return code;
}

// Filler lines with long names that never look like codes, then, at the
// very end: a valid code, a repeated name (the first line wins) and a
// lower-case name.
std::string FiftyMegabyteTable(size_t* lines) {
  std::string table;
  table.reserve(kTableBytes + 64);
  const std::string value(kFillerValueLength, 'v');
  *lines = 0;
  for (size_t i = 0; table.size() < kTableBytes; ++i, ++*lines) {
    table += "FILLER" + std::to_string(i) + "=" + value + "\r\n";
  }
  table += "ZZZ=ZZZ\r\nYYY=XXX\r\nYYY=YYY\r\nwww=WWW\r\n";
  *lines += 4;
  return table;
}

class LargeReferenceFileTest : public MainFormTest {};

TEST_F(LargeReferenceFileTest, AFiftyMegabyteTableLoadsAndAnswersRight) {
  size_t lines = 0;
  WriteDistrictTable(FiftyMegabyteTable(&lines));
  TfmMainForm* form = Create(HostDefaults());
  const DistrictTable& table = *form->Session().GetDistrictTable();
  ASSERT_EQ(table.Count(), lines);
  EXPECT_EQ(table.ValueOfName("filler12345"), std::string(kFillerValueLength, 'v'));
  EXPECT_EQ(table.ValueOfName("YYY"), "XXX");

  const struct {
    std::string exchange;
    int districts;
  } contacts[] = {
      {"599 ZZZ", 1},  // the last lines count
      {"599 yyy", 1},  // the first YYY line holds XXX: no district
      {"599 WWW", 2},  // lower-case name, value equal to the code
      {"599 " + Code(100), 2},
  };
  int serial = 0;
  for (const auto& contact : contacts) {
    const RecordBuilder record =
        HostDefaults().Contact("QX" + std::to_string(++serial), "14", "CW", contact.exchange);
    CopyHostRecord(current_, &record.Get());
    EXPECT_EQ(form->Session().Commit(), 3);
    EXPECT_EQ(form->Session().Scoring()->stat_list()[0].Districts, contact.districts)
        << contact.exchange;
  }
}

}  // namespace
}  // namespace qxqy::testing
