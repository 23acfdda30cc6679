// The whole path over a real SQLite log: entry points, main window, the
// query over a registered connection, and the rebuild.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>
#include <set>
#include <string>
#include <tuple>

#include "Plugin/testing/plugin_session_fixture.h"

namespace qxqy::testing {
namespace {

using SqliteRebuildTest = PluginSessionTest;

TEST_F(SqliteRebuildTest, ACaseInsensitiveOrderNeverCountsADuplicateTwice) {
  Exec(
      "CREATE TABLE QSOs (CallSign TEXT COLLATE NOCASE, DigiBand TEXT, QSOMode TEXT,"
      " QSOReportRecived TEXT, WPX TEXT)");
  std::mt19937 random(20261207);
  const char* bands[] = {"14", "7"};
  const char* modes[] = {"CW", "SSB"};
  std::set<std::tuple<std::string, std::string, std::string>> distinct;
  std::vector<std::tuple<std::string, std::string, std::string>> rows;
  Exec("BEGIN");
  for (int i = 0; i < 600; ++i) {
    std::string call = "q" + std::to_string(random() % 40);
    for (char& c : call) {
      if (random() % 2) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    call += (random() % 2) ? "ab" : "AB";
    const std::string band = bands[random() % 2];
    const std::string mode = modes[random() % 2];
    distinct.insert({call, band, mode});
    rows.push_back({call, band, mode});
    Exec("INSERT INTO QSOs VALUES ('" + call + "','" + band + "','" + mode + "','599','X')");
  }
  Exec("COMMIT");

  plugin::Run(0, &Host().Get());
  ASSERT_NE(MainForm(), nullptr);
  EXPECT_EQ(MainForm()->StringGrid1.Cell(1, 7), std::to_string(distinct.size()));
  // Every logged contact is now a duplicate for the host's next call.
  for (const auto& [call, band, mode] : rows) {
    ASSERT_EQ(plugin::GetScore(&Host().Contact(call, band, mode).Get()), -1) << call;
  }
}

TEST_F(SqliteRebuildTest, DatabaseMessagesReachTheErrorBox) {
  Exec("CREATE TABLE Partial (CallSign TEXT)");
  Exec("INSERT INTO Partial VALUES ('QX1AB')");
  plugin::Run(0, &Host().LogTable("Missing").Get());
  EXPECT_EQ(ErrorBoxLog(), std::vector<std::string>{"no such table: Missing"});
  ClearErrorBoxLog();

  plugin::ReleasePlugin();
  App().ProcessMessages();
  plugin::Run(0, &Host().LogTable("Partial").Get());
  ASSERT_EQ(ErrorBoxLog().size(), 1u);
  EXPECT_NE(ErrorBoxLog()[0].find("QSOReportRecived"), std::string::npos) << ErrorBoxLog()[0];
}

TEST_F(SqliteRebuildTest, AnEmptyTableNeedsNoneOfTheColumnsThatAreRead) {
  Exec("CREATE TABLE Empty (CallSign TEXT)");  // the order by needs this one
  plugin::Run(0, &Host().LogTable("Empty").Get());
  EXPECT_TRUE(ErrorBoxLog().empty());
  EXPECT_EQ(MainForm()->Label1.Caption(), "Score: 0*(0+0)=0");
}

}  // namespace
}  // namespace qxqy::testing
