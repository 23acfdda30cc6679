#include "tools/contest_sim/sim_options.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace qxqy::contest_sim {

const char* SimUsage() {
  return "usage: qxqy-contest-sim --out DIR --logs N --qsos-per-log M --seed S [rates]\n"
         "       qxqy-contest-sim --score TRUTH.csv QSOS.csv [bounds]\n"
         "Invents a contest of the QX-QY DX Contest and writes each log it received\n"
         "(Cabrillo 3.0, DIR/<CALL>.log) and the truth of every contact line (CSV:\n"
         "file,line,truth,happened,cause), or scores a contest check's decisions\n"
         "(its qsos.csv) against that truth.\n"
         "\n"
         "  --out DIR            the folder the logs are written to (nothing else)\n"
         "  --truth FILE         the truth (default: truth.csv beside DIR)\n"
         "  --logs N             stations that send a log (default 100)\n"
         "  --qsos-per-log M     contact lines a log holds on average (default 200)\n"
         "  --seed S             the same seed and options give the same contest (default 1)\n"
         "  --hours H            the contest's length, 1 to 48 hours (default 48)\n"
         "  --dx-share X         stations outside QX and QY (default 0.4)\n"
         "Rates, each from 0 to 1 (per line unless said):\n"
         "  --busted-call R      the call one edit off (default 0.01)\n"
         "  --busted-exchange R  the received exchange wrong (default 0.01)\n"
         "  --wrong-band R       the band wrong (default 0.005)\n"
         "  --nil R              a line the other side never logged (default 0.005)\n"
         "  --unknown-call R     a line to a call nobody has (default 0.002)\n"
         "  --dupe R             a contact worked again on its band and mode (default 0.005)\n"
         "  --double-entry R     a line entered twice, 0 to 2 minutes apart (default 0.002)\n"
         "  --moved-band R       per contact: the pair works again on another band 1 or 2\n"
         "                       minutes later, one side missing it two times in three\n"
         "                       (default 0.003)\n"
         "  --near-calls R       per station: its call one edit from another's; a fifth of\n"
         "                       such a station's contacts draw a line from the other to\n"
         "                       the same partner that the partner never logged (default 0)\n"
         "  --clock R            per log: its clock off by 5 to 30 minutes (default 0.05)\n"
         "  --no-log R           per station: it sends no log (default 0.15)\n"
         "  --not-scored R       per log: one X-QSO or malformed QSO line (default 0.01)\n"
         "  --second-log R       per log: a second, shorter log of it (default 0.002)\n"
         "Scoring:\n"
         "  --score TRUTH QSOS   join the truth and the check's qsos.csv on file and line\n"
         "  --min-accuracy X     fail when fewer than this share are decided as the truth\n"
         "  --max-false-nil-per-2000 Y\n"
         "                       fail unless fewer than Y of 2,000 lines of contacts that\n"
         "                       happened are judged nil or busted-call\n"
         "  --examples N         lines decided otherwise to list (default 10)\n"
         "\n"
         "Exit status: 0 done (scoring: the bounds hold and every line was decided once),\n"
         "1 a bound fails or lines were decided twice or not at all, 2 it cannot run.\n";
}

namespace {

double ParseNumber(const std::string& option, const std::string& text, double low, double high) {
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || errno != 0 || !(value >= low) ||
      !(value <= high)) {
    throw std::invalid_argument(option + " needs a number from " + std::to_string(low) + " to " +
                                std::to_string(high) + ", not '" + text + "'");
  }
  return value;
}

uint64_t ParseWhole(const std::string& option, const std::string& text, uint64_t low,
                    uint64_t high) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || text[0] == '-' || end != text.c_str() + text.size() || errno != 0 ||
      value < low || value > high) {
    throw std::invalid_argument(option + " needs a whole number from " + std::to_string(low) +
                                " to " + std::to_string(high) + ", not '" + text + "'");
  }
  return value;
}

}  // namespace

std::string DefaultTruthPath(const std::string& logs_dir) {
  std::filesystem::path dir = std::filesystem::path(logs_dir).lexically_normal();
  if (!dir.empty() && !dir.has_filename()) dir = dir.parent_path();  // a trailing "/"
  std::filesystem::path parent = dir.parent_path();
  if (parent.empty()) parent = ".";
  return (parent / "truth.csv").string();
}

SimOptions ParseSimOptions(const std::vector<std::string>& args) {
  SimOptions options;
  SimRates& rates = options.settings.rates;
  const std::pair<const char*, double*> rate_options[] = {
      {"--busted-call", &rates.busted_call},
      {"--busted-exchange", &rates.busted_exchange},
      {"--wrong-band", &rates.wrong_band},
      {"--nil", &rates.nil},
      {"--unknown-call", &rates.unknown_call},
      {"--dupe", &rates.dupe},
      {"--clock", &rates.clock},
      {"--no-log", &rates.no_log},
      {"--double-entry", &rates.double_entry},
      {"--moved-band", &rates.moved_band},
      {"--near-calls", &rates.near_calls},
      {"--not-scored", &rates.not_scored},
      {"--second-log", &rates.second_log},
      {"--dx-share", &options.settings.dx_share}};
  bool simulating = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    }
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
      return args[++i];
    };
    bool known = false;
    for (const auto& [name, target] : rate_options) {
      if (arg == name) {
        *target = ParseNumber(arg, value(), 0.0, 1.0);
        known = simulating = true;
      }
    }
    if (known) continue;
    if (arg == "--out") {
      options.out = value();
      simulating = true;
    } else if (arg == "--truth") {
      options.truth = value();
      simulating = true;
    } else if (arg == "--logs") {
      options.settings.logs = static_cast<uint32_t>(ParseWhole(arg, value(), 1, 50000));
      simulating = true;
    } else if (arg == "--qsos-per-log") {
      options.settings.qsos_per_log = static_cast<uint32_t>(ParseWhole(arg, value(), 1, 100000));
      simulating = true;
    } else if (arg == "--seed") {
      options.settings.seed = ParseWhole(arg, value(), 0, UINT64_MAX);
      simulating = true;
    } else if (arg == "--hours") {
      options.settings.hours = static_cast<uint32_t>(ParseWhole(arg, value(), 1, 48));
      simulating = true;
    } else if (arg == "--score") {
      options.score_truth = value();
      options.score_qsos = value();
    } else if (arg == "--min-accuracy") {
      options.bounds.min_accuracy = ParseNumber(arg, value(), 0.0, 1.0);
    } else if (arg == "--max-false-nil-per-2000") {
      options.bounds.max_false_nil_per_2000 = ParseNumber(arg, value(), 0.0, 2000.0);
    } else if (arg == "--examples") {
      options.bounds.examples = static_cast<uint32_t>(ParseWhole(arg, value(), 0, 1000000));
    } else {
      throw std::invalid_argument("unknown option " + arg + " (see --help)");
    }
  }
  if (options.scoring()) {
    if (simulating) {
      throw std::invalid_argument("--score does not go with the options that simulate a contest");
    }
    return options;
  }
  if (options.bounds.min_accuracy || options.bounds.max_false_nil_per_2000) {
    throw std::invalid_argument("--min-accuracy and --max-false-nil-per-2000 go with --score");
  }
  if (options.out.empty())
    throw std::invalid_argument("--out DIR or --score is required (see --help)");
  const double per_line = rates.busted_call + rates.busted_exchange + rates.wrong_band;
  const double alone = rates.nil + rates.unknown_call + rates.dupe;
  if (per_line > 1.0 || alone > 1.0) {
    throw std::invalid_argument(
        "--busted-call, --busted-exchange and --wrong-band together, and --nil, --unknown-call "
        "and --dupe together, must not exceed 1");
  }
  if (rates.no_log > 0.9) throw std::invalid_argument("--no-log must not exceed 0.9");
  if (options.truth.empty()) options.truth = DefaultTruthPath(options.out);
  return options;
}

}  // namespace qxqy::contest_sim
