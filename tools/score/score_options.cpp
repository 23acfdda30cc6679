#include "tools/score/score_options.h"

#include <stdexcept>

namespace qxqy::score {

const char* ScoreUsage() {
  return "usage: qxqy-score --db FILE --table NAME [options]\n"
         "       qxqy-score --log FILE [options]\n"
         "Replays a SQLite contest log, or checks a Cabrillo or ADIF log file, through the\n"
         "QX-QY DX Contest plug-in and prints the statistics grid (8 rows of 5\n"
         "TAB-separated cells) and the score line.\n"
         "\n"
         "  --db FILE         the SQLite log\n"
         "  --table NAME      the log table (required with --db)\n"
         "  --log FILE        a Cabrillo (.cbr, .log) or ADIF (.adi) log file: every\n"
         "                    contact scored in time order as if logged live, with a\n"
         "                    checker's report (FILE:LINE: reason) on standard error\n"
         "  --format-in F     cabrillo or adif (default: recognised from the content)\n"
         "  --cty FILE        country file in the cty.dat layout (default: cty.dat in\n"
         "                    the plugins folder; without one, calls whose WPX prefix\n"
         "                    starts with QX or QY are in that country, others unknown)\n"
         "  --format F        text (default), json (with --log) or csv\n"
         "  --dump-contacts   with --log: print each contact as passed to the engine\n"
         "                    (TAB-separated: line, call, band, mode, exchange, WPX,\n"
         "                    country, group, own group, points; \\, TAB, CR and LF\n"
         "                    in a text as \\\\, \\t, \\r, \\n) instead of the grid\n"
         "  --plugins DIR     folder holding qx-qy.dom and qx-qy.txt\n"
         "                    (default: Plugins beside the executable)\n"
         "  --own-group G     the operator's own group (with --log, default: the group\n"
         "                    of the log's own call)\n"
         "  --group G, --contact-group G\n"
         "                    the group every contact is scored with (with --log,\n"
         "                    default: the contact's country when QX or QY, else DX;\n"
         "                    this is the checker's rule, not the host's, which passes\n"
         "                    whatever its own settings say)\n"
         "  --country C       with --db: the country prefix every contact is scored with\n"
         "  --caption TEXT    with --db: the log caption shown in the window title\n"
         "  --help            this text\n"
         "\n"
         "Exit status with --log: 0 when the file was read and nothing was reported,\n"
         "1 when something was reported, 2 when the log, the country file or the\n"
         "district table cannot be read at all.\n";
}

namespace {

void CheckCombination(const ScoreOptions& options) {
  if (options.format != "text" && options.format != "json" && options.format != "csv") {
    throw std::invalid_argument("--format must be text, json or csv");
  }
  if (!options.db.empty() && !options.log.empty()) {
    throw std::invalid_argument("give --db or --log, not both (see --help)");
  }
  if (options.dump_contacts && options.format == "json") {
    throw std::invalid_argument("--dump-contacts prints text: it does not go with --format json");
  }
  if (!options.log.empty()) {
    if (!options.table.empty() || !options.country.empty() || !options.caption.empty()) {
      throw std::invalid_argument("--table, --country and --caption go with --db only");
    }
    return;
  }
  if (options.format_in || options.cty || options.dump_contacts || options.format == "json") {
    throw std::invalid_argument(
        "--format-in, --cty, --dump-contacts and --format json go with --log only");
  }
  if (options.db.empty())
    throw std::invalid_argument("--db FILE or --log FILE is required (see --help)");
  if (options.table.empty()) throw std::invalid_argument("--table NAME is required (see --help)");
}

}  // namespace

ScoreOptions ParseScoreOptions(const std::vector<std::string>& args) {
  ScoreOptions options;
  const std::pair<const char*, std::string*> valued[] = {
      {"--db", &options.db},           {"--table", &options.table},
      {"--log", &options.log},         {"--country", &options.country},
      {"--caption", &options.caption}, {"--format", &options.format}};
  const std::pair<const char*, std::optional<std::string>*> optional_valued[] = {
      {"--plugins", &options.plugins},     {"--own-group", &options.own_group},
      {"--group", &options.group},         {"--contact-group", &options.group},
      {"--format-in", &options.format_in}, {"--cty", &options.cty}};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    }
    if (arg == "--dump-contacts") {
      options.dump_contacts = true;
      continue;
    }
    auto take_value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw std::invalid_argument("option " + arg + " needs a value");
      return args[++i];
    };
    bool known = false;
    for (const auto& [name, target] : valued) {
      if (arg == name) {
        *target = take_value();
        known = true;
        break;
      }
    }
    for (const auto& [name, target] : optional_valued) {
      if (!known && arg == name) {
        *target = take_value();
        known = true;
        break;
      }
    }
    if (!known) throw std::invalid_argument("unknown option " + arg + " (see --help)");
  }
  CheckCombination(options);
  return options;
}

}  // namespace qxqy::score
