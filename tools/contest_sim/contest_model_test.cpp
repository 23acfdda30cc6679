#include "tools/contest_sim/contest_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tools/contest_sim/call_edits.h"
#include "tools/contest_sim/csv_reader.h"
#include "tools/contest_sim/log_writer.h"

namespace qxqy::contest_sim {
namespace {

namespace fs = std::filesystem;

// A small contest with every error frequent.
SimSettings Busy(uint64_t seed) {
  SimSettings settings;
  settings.logs = 30;
  settings.qsos_per_log = 60;
  settings.seed = seed;
  settings.hours = 12;
  settings.rates = {0.05, 0.05, 0.05, 0.03, 0.02, 0.03, 0.3, 0.2, 0.5, 0.2};
  return settings;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

struct LogLine {
  uint32_t number;
  std::string text;
};

// The contact lines (QSO: and X-QSO:) of every log in `dir`, by file name.
std::map<std::string, std::vector<LogLine>> ContactLines(const fs::path& dir) {
  std::map<std::string, std::vector<LogLine>> lines;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::istringstream in(ReadFile(entry.path()));
    std::string text;
    auto& of_file = lines[entry.path().filename().string()];
    for (uint32_t number = 1; std::getline(in, text); ++number) {
      if (text.rfind("QSO:", 0) == 0 || text.rfind("X-QSO:", 0) == 0) {
        of_file.push_back({number, text});
      }
    }
  }
  return lines;
}

struct TruthRow {
  std::string truth;
  bool happened;
  std::string cause;
};

std::map<std::pair<std::string, uint32_t>, TruthRow> ReadTruth(const std::string& path) {
  CsvReader reader(path);
  std::vector<std::string> fields;
  EXPECT_TRUE(reader.Next(fields));
  EXPECT_EQ(fields, (std::vector<std::string>{"file", "line", "truth", "happened", "cause"}));
  std::map<std::pair<std::string, uint32_t>, TruthRow> rows;
  while (reader.Next(fields)) {
    const auto key = std::make_pair(fields[0], static_cast<uint32_t>(std::stoul(fields[1])));
    EXPECT_EQ(rows.count(key), 0u) << "a second row for " << fields[0] << ":" << fields[1];
    rows[key] = {fields[2], fields[3] == "1", fields[4]};
  }
  return rows;
}

TEST(ContestModelTest, TheTruthHoldsEveryContactLineWrittenExactlyOnce) {
  for (uint64_t seed : {1u, 2u, 3u}) {
    testing::TempDir dir;
    const Contest contest = SimulateContest(Busy(seed));
    const std::string truth_path = dir.File("truth.csv");
    const WrittenContest written = WriteContest(contest, dir.File("logs"), truth_path);
    const auto truth = ReadTruth(truth_path);
    const auto lines = ContactLines(dir.path() / "logs");
    std::set<std::pair<std::string, uint32_t>> contact_keys;
    for (const auto& [file, of_file] : lines) {
      for (const LogLine& line : of_file) contact_keys.emplace(file, line.number);
    }
    EXPECT_EQ(written.files, lines.size()) << "seed " << seed;
    EXPECT_EQ(written.lines, contact_keys.size()) << "seed " << seed;
    std::set<std::pair<std::string, uint32_t>> truth_keys;
    for (const auto& [key, row] : truth) {
      truth_keys.insert(key);
      Decision decision;
      EXPECT_TRUE(DecisionOfWord(row.truth, decision)) << row.truth;
    }
    EXPECT_EQ(truth_keys, contact_keys) << "seed " << seed;
  }
}

TEST(ContestModelTest, TheSameSeedWritesTheSameBytesAndAnotherSeedOthers) {
  const auto write = [](const testing::TempDir& dir, uint64_t seed) {
    WriteContest(SimulateContest(Busy(seed)), dir.File("logs"), dir.File("truth.csv"));
    std::map<std::string, std::string> files{{"truth.csv", ReadFile(dir.File("truth.csv"))}};
    for (const auto& entry : fs::directory_iterator(dir.path() / "logs")) {
      files[entry.path().filename().string()] = ReadFile(entry.path());
    }
    return files;
  };
  testing::TempDir first, second, third;
  const auto a = write(first, 11);
  EXPECT_EQ(a, write(second, 11));
  EXPECT_NE(a, write(third, 12));
}

TEST(ContestModelTest, CallsAreKeptApartSoThatTheTruthFollowsFromWhatHappened) {
  const Contest contest = SimulateContest(Busy(4));
  const auto& stations = contest.stations;
  for (size_t i = 0; i < stations.size(); ++i) {
    for (size_t j = i + 1; j < stations.size(); ++j) {
      ASSERT_NE(stations[i].call, stations[j].call);
      ASSERT_FALSE(OneEditApart(stations[i].call, stations[j].call))
          << stations[i].call << " / " << stations[j].call;
    }
  }
  std::map<LineCause, int> seen;
  for (const auto& lines : contest.lines) {
    for (const SimLine& line : lines) {
      ++seen[line.cause];
      const std::string& call = contest.calls[line.call];
      int one_edit = 0;
      for (const Station& station : stations) one_edit += OneEditApart(call, station.call) ? 1 : 0;
      if (line.cause == LineCause::kCallBusted) {
        EXPECT_GE(line.call, stations.size()) << call << " is a station's call";
        EXPECT_EQ(one_edit, 1) << call << " busted";
      } else if (line.cause == LineCause::kUnknownCall) {
        EXPECT_GE(line.call, stations.size()) << call << " is a station's call";
        EXPECT_EQ(one_edit, 0) << call << ", a call nobody has";
      } else if (line.cause != LineCause::kNotScored) {
        EXPECT_LT(line.call, stations.size()) << call;
      }
      if (line.happened) {
        EXPECT_NE(line.truth, Decision::kNil) << "a contact that happened is nil by the rules";
        EXPECT_NE(line.truth, Decision::kBustedCall) << "a contact that happened is busted-call";
      }
    }
  }
  for (LineCause cause : {LineCause::kRight, LineCause::kExchangeBusted, LineCause::kCallBusted,
                          LineCause::kWrongBand, LineCause::kNeverLoggedByOther,
                          LineCause::kUnknownCall, LineCause::kRepeat, LineCause::kNotScored}) {
    EXPECT_GT(seen[cause], 0) << "no line of cause " << CauseWord(cause);
  }
}

// Near calls come in pairs, each station one edit from at most one other,
// and what they are for happens: a line to a partner who logged the near
// call instead, nil and not a contact that happened.
TEST(ContestModelTest, NearCallsComeInPairsAndDrawTheirNilLines) {
  SimSettings settings = Busy(9);
  settings.rates.near_calls = 0.5;
  const Contest contest = SimulateContest(settings);
  const auto& stations = contest.stations;
  std::vector<int> near(stations.size(), 0);
  int pairs = 0;
  for (size_t i = 0; i < stations.size(); ++i) {
    for (size_t j = i + 1; j < stations.size(); ++j) {
      if (!OneEditApart(stations[i].call, stations[j].call)) continue;
      ++near[i];
      ++near[j];
      ++pairs;
      EXPECT_EQ(stations[i].call.substr(0, 3), stations[j].call.substr(0, 3));
    }
  }
  EXPECT_GT(pairs, 0);
  for (size_t i = 0; i < stations.size(); ++i) EXPECT_LE(near[i], 1) << stations[i].call;
  int near_call_nils = 0;
  for (const auto& lines : contest.lines) {
    for (const SimLine& line : lines) {
      if (line.other_cause != LineCause::kNearCallWorkedThem) continue;
      ++near_call_nils;
      EXPECT_EQ(line.truth, Decision::kNil);
      EXPECT_FALSE(line.happened);
    }
  }
  EXPECT_GT(near_call_nils, 0);
}

int BandOfKhz(int khz) {
  const int lows[] = {1800, 3500, 7000, 14000, 21000, 28000};
  int band = -1;
  for (int i = 0; i < 6; ++i) {
    if (khz >= lows[i]) band = i;
  }
  return band;
}

// A dupe is decided by the engine's rule on what the log says (the same
// call, band and mode again, in time order, file order for equal times);
// the truth's dupes must be exactly those.
TEST(ContestModelTest, TheTruthsDupesAreTheLinesTheEnginesRuleCallsDupes) {
  testing::TempDir dir;
  const std::string truth_path = dir.File("truth.csv");
  WriteContest(SimulateContest(Busy(6)), dir.File("logs"), truth_path);
  const auto truth = ReadTruth(truth_path);
  int dupes = 0;
  for (const auto& [file, lines] : ContactLines(dir.path() / "logs")) {
    struct Contact {
      std::string time;
      uint32_t number;
      std::string key;
    };
    std::vector<Contact> contacts;
    for (const LogLine& line : lines) {
      if (line.text.rfind("QSO:", 0) != 0) continue;
      std::istringstream fields(line.text.substr(4));
      std::string freq, mode, date, time, sent_call, sent_rst, sent_exch, call, rst, exch;
      if (!(fields >> freq >> mode >> date >> time >> sent_call >> sent_rst >> sent_exch >> call >>
            rst >> exch)) {
        continue;  // the malformed line
      }
      contacts.push_back({date + time, line.number,
                          call + "|" + std::to_string(BandOfKhz(std::stoi(freq))) + "|" + mode});
    }
    std::stable_sort(contacts.begin(), contacts.end(),
                     [](const Contact& a, const Contact& b) { return a.time < b.time; });
    std::set<std::string> worked;
    for (const Contact& contact : contacts) {
      const TruthRow& row = truth.at({file, contact.number});
      if (row.truth == "set-aside") continue;
      const bool dupe = !worked.insert(contact.key).second;
      EXPECT_EQ(row.truth == "dupe", dupe) << file << ":" << contact.number << " " << row.cause;
      dupes += dupe ? 1 : 0;
    }
  }
  EXPECT_GT(dupes, 0);
}

}  // namespace
}  // namespace qxqy::contest_sim
