// The stations' page names: safe on any file system and in a link, and one
// page per station even when calls differ only in what a file name cannot
// hold.
#include "crosscheck/site/page_names.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace qxqy::crosscheck::site {
namespace {

TEST(StationFileStem, WritesOnlyLettersDigitsDashAndUnderscore) {
  const std::pair<std::string, std::string> cases[] = {
      {"QX1ABC", "QX1ABC"},
      {"EA8/QX1ABC", "EA8-QX1ABC"},
      {"QX1ABC/P", "QX1ABC-P"},
      {"../../etc/passwd", "__-__-etc-passwd"},
      {"<b>&\"", "_b___"},
      {"QX1\xe9", "QX1_"},
      {std::string("A\0B", 3), "A_B"},
      {"", "_"},
      {"CON", "_CON"},
      {"nul", "_nul"},
      {"COM1", "_COM1"},
      {"LPT9", "_LPT9"},
      {"COM", "COM"},
      {"COM10", "COM10"},
      {std::string(100, 'Q'), std::string(64, 'Q')},
  };
  for (const auto& [call, stem] : cases) {
    EXPECT_EQ(StationFileStem(call), stem) << ::testing::PrintToString(call);
  }
}

TEST(StationPageNames, EveryStationGetsItsOwnSafeName) {
  std::vector<StationPage> stations;
  for (const char* call : {"QX1/A", "QX1-A", "qx1-a", "QX1-A~2", "", "", "QY2B"}) {
    stations.push_back(StationPage{call, "", {}, {}});
  }
  const std::vector<std::string> names = StationPageNames(stations);
  const std::vector<std::string> expected = {"QX1-A.html",   "QX1-A~2.html", "qx1-a~3.html",
                                             "QX1-A_2.html", "_.html",       "_~2.html",
                                             "QY2B.html"};
  EXPECT_EQ(names, expected);

  std::set<std::string> folded;
  const std::regex safe("[A-Za-z0-9_~-]+\\.html");
  for (const std::string& name : names) {
    EXPECT_TRUE(std::regex_match(name, safe)) << name;
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(folded.insert(upper).second) << name << " differs from another only in case";
  }
}

}  // namespace
}  // namespace qxqy::crosscheck::site
