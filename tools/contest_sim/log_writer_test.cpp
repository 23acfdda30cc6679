#include "tools/contest_sim/log_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "logfile/byte_source.h"
#include "logfile/log_file.h"
#include "tests/support/temp_dir.h"
#include "tools/contest_sim/csv_reader.h"

namespace qxqy::contest_sim {
namespace {

namespace fs = std::filesystem;

// The project's own Cabrillo reader takes every line the truth scores and
// reports exactly the lines the truth calls not-scored: the logs are what
// the simulator means them to be.
TEST(LogWriterTest, TheProjectsReaderReadsWhatTheTruthScoresAndRejectsTheRest) {
  SimSettings settings;
  settings.logs = 25;
  settings.qsos_per_log = 40;
  settings.seed = 8;
  settings.hours = 6;
  settings.rates.not_scored = 0.6;
  settings.rates.second_log = 0.2;
  settings.rates.clock = 0.5;
  testing::TempDir dir;
  const Contest contest = SimulateContest(settings);
  WriteContest(contest, dir.File("logs"), dir.File("truth.csv"));

  std::map<std::string, std::set<uint32_t>> scored, rejected;
  CsvReader truth(dir.File("truth.csv"));
  std::vector<std::string> fields;
  ASSERT_TRUE(truth.Next(fields));
  while (truth.Next(fields)) {
    auto& lines = fields[2] == "not-scored" ? rejected : scored;
    lines[fields[0]].insert(static_cast<uint32_t>(std::stoul(fields[1])));
  }
  std::set<std::string> calls;
  for (const Station& station : contest.stations) {
    if (station.sends_log) calls.insert(station.call);
  }
  int not_scored = 0;
  for (const auto& entry : fs::directory_iterator(dir.path() / "logs")) {
    const std::string name = entry.path().filename().string();
    logfile::ByteSource source(entry.path().string());
    logfile::Report report;
    const logfile::ParsedLog log = logfile::ReadLog(source, logfile::LogFormat::kCabrillo, report);
    std::set<uint32_t> read, reported;
    for (const auto& contact : log.contacts()) read.insert(contact.line);
    for (const auto& finding : report.findings()) reported.insert(finding.line);
    EXPECT_EQ(read, scored[name]) << name;
    EXPECT_EQ(reported, rejected[name]) << name;
    EXPECT_EQ(calls.count(log.own_call), 1u) << name << ": " << log.own_call;
    EXPECT_EQ(LogFileName(log.own_call) == name, name.find("-2.log") == std::string::npos) << name;
    EXPECT_TRUE(log.claimed_score.has_value()) << name;
    not_scored += static_cast<int>(reported.size());
  }
  EXPECT_GT(not_scored, 0);
}

TEST(LogWriterTest, AFolderOrFileThatCannotBeWrittenIsNamedInTheError) {
  testing::TempDir dir;
  const std::string file = dir.Write("a-file", "x");
  const Contest contest = SimulateContest(SimSettings{});
  const struct {
    std::string logs;
    std::string truth;
    std::string message;
  } cases[] = {
      {file + "/logs", dir.File("truth.csv"), "cannot create folder " + file + "/logs"},
      {dir.File("logs"), dir.File("missing/truth.csv"),
       "cannot create " + dir.File("missing/truth.csv")},
  };
  for (const auto& c : cases) {
    try {
      WriteContest(contest, c.logs, c.truth);
      ADD_FAILURE() << "no error for " << c.logs << " and " << c.truth;
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
    }
  }
}

}  // namespace
}  // namespace qxqy::contest_sim
