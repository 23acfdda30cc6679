#include "tools/crosscheck/crosscheck_options.h"

#include <stdexcept>
#include <string>

namespace qxqy::crosscheck_tool {
namespace {

// Whole minutes or multiples: digits only, at most 10000.
int64_t ParseCount(const std::string& option, const std::string& text) {
  constexpr int64_t kMax = 10000;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      std::string message = option;
      message.append(" needs a whole number from 0 to 10000, not '").append(text).append("'");
      throw std::invalid_argument(message);
    }
    value = value * 10 + (c - '0');
    if (value > kMax) throw std::invalid_argument(option + " is at most 10000");
  }
  if (text.empty()) throw std::invalid_argument(option + " needs a whole number");
  return value;
}

}  // namespace

const char* CrosscheckUsage() {
  return "usage: qxqy-crosscheck LOGS_DIR --out OUT_DIR [options]\n"
         "Checks every contact line of every log in LOGS_DIR (Cabrillo or ADIF; every\n"
         "file of the folder, sorted by name, not its subfolders) against the other logs,\n"
         "scores each log before and after the check and writes into OUT_DIR:\n"
         "results.txt, results.csv, results.json (one row per log), qsos.csv (one row\n"
         "per contact line with its decision), reports/STATION.txt, and the results as\n"
         "a web site: index.html, stations/STATION.html and style.css.\n"
         "\n"
         "  --out DIR          the output folder (made when missing)\n"
         "  --cty FILE         country file in the cty.dat layout (default: cty.dat in\n"
         "                     the plugins folder; else the built-in rule)\n"
         "  --plugins DIR      folder holding qx-qy.dom and qx-qy.txt\n"
         "                     (default: Plugins beside the executable)\n"
         "  --window MIN       how far apart (minutes, after clock correction) the two\n"
         "                     sides' times of one contact may be (default 3)\n"
         "  --nil-penalty K    points taken off for a nil line: K times its points\n"
         "                     (default 1; 0 for none)\n"
         "  --bust-penalty K   the same for a busted call (default 1)\n"
         "  --remove-uniques   do not credit lines to stations nobody else logged\n"
         "  --quiet            no progress line on standard error (only problems)\n"
         "  --timings          each phase's wall and CPU time on standard error at the\n"
         "                     end (reading, scoring, matching, checking scores, writing)\n"
         "  --help             this text\n"
         "\n"
         "Exit status: 0 when every log was read and nothing was reported, 1 when\n"
         "something was reported (a reader's finding, a log set aside, a file that is\n"
         "not a log), 2 when the check cannot run (no such folder, no file in it, an\n"
         "output folder that cannot be written, an unreadable country file).\n";
}

CrosscheckOptions ParseCrosscheckOptions(const std::vector<std::string>& args) {
  CrosscheckOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    }
    const auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw std::invalid_argument("option " + arg + " needs a value");
      return args[++i];
    };
    if (arg == "--remove-uniques") {
      options.remove_uniques = true;
    } else if (arg == "--quiet" || arg == "-q") {
      options.quiet = true;
    } else if (arg == "--timings") {
      options.timings = true;
    } else if (arg == "--out") {
      options.out_dir = value();
    } else if (arg == "--cty") {
      options.cty = value();
    } else if (arg == "--plugins") {
      options.plugins = value();
    } else if (arg == "--window") {
      options.window = ParseCount(arg, value());
    } else if (arg == "--nil-penalty") {
      options.nil_penalty = ParseCount(arg, value());
    } else if (arg == "--bust-penalty") {
      options.bust_penalty = ParseCount(arg, value());
    } else if (!arg.empty() && arg[0] == '-') {
      throw std::invalid_argument("unknown option " + arg + " (see --help)");
    } else if (options.logs_dir.empty()) {
      options.logs_dir = arg;
    } else {
      throw std::invalid_argument("one LOGS_DIR only: '" + arg + "' is one too many");
    }
  }
  if (options.logs_dir.empty()) throw std::invalid_argument("LOGS_DIR is required (see --help)");
  if (options.out_dir.empty()) throw std::invalid_argument("--out OUT_DIR is required");
  return options;
}

}  // namespace qxqy::crosscheck_tool
