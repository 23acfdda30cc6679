// qxqy-contest-sim: invents a contest with the truth of every contact line,
// or scores a contest check's decisions against that truth (sim_options.h).
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tools/contest_sim/contest_model.h"
#include "tools/contest_sim/log_writer.h"
#include "tools/contest_sim/score_command.h"
#include "tools/contest_sim/sim_options.h"

namespace qxqy::contest_sim {
namespace {

bool Inside(const std::string& file, const std::string& dir) {
  std::error_code error;
  const auto file_dir = std::filesystem::weakly_canonical(file, error).parent_path();
  const auto logs = std::filesystem::weakly_canonical(dir, error);
  return !error && file_dir == logs;
}

int Simulate(const SimOptions& options) {
  if (Inside(options.truth, options.out)) {
    std::cerr << "qxqy-contest-sim: the truth file must not be in the logs' folder (" << options.out
              << "): a check reads every file there\n";
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const Contest contest = SimulateContest(options.settings);
  const WrittenContest written = WriteContest(contest, options.out, options.truth);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  int clocks_off = 0;
  for (const Station& station : contest.stations) clocks_off += station.clock_offset != 0 ? 1 : 0;
  std::printf("%u logs (%d with the clock off), %llu contact lines in %s, truth in %s (%.2f s)\n",
              written.files, clocks_off, static_cast<unsigned long long>(written.lines),
              options.out.c_str(), options.truth.c_str(), took.count());
  return 0;
}

int Run(const std::vector<std::string>& args) {
  SimOptions options;
  try {
    options = ParseSimOptions(args);
  } catch (const std::exception& error) {
    std::cerr << "qxqy-contest-sim: " << error.what() << "\n";
    return 2;
  }
  if (options.help) {
    std::cout << SimUsage();
    return 0;
  }
  if (options.scoring()) {
    return ScoreDecisions(options.score_truth, options.score_qsos, options.bounds, std::cout,
                          std::cerr);
  }
  try {
    return Simulate(options);
  } catch (const std::exception& error) {
    std::cerr << "qxqy-contest-sim: " << error.what() << "\n";
    return 2;
  }
}

}  // namespace
}  // namespace qxqy::contest_sim

int main(int argc, char** argv) {
  return qxqy::contest_sim::Run(std::vector<std::string>(argv + 1, argv + argc));
}
