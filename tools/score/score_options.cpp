#include "tools/score/score_options.h"

#include <set>
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
         "                    in a text as \\\\, \\t, \\r, \\n, other control\n"
         "                    characters as \\xHH) instead of the grid; not with\n"
         "                    --format json or csv\n"
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
         "Exit status with --log: 0 when the file was read and nothing was reported;\n"
         "1 when something was reported (a district table missing from the plugins\n"
         "folder is reported: no district multipliers are then counted); 2 when the\n"
         "log, the country file or a district table that is there cannot be read at\n"
         "all, the log's format cannot be told, the options are wrong or standard\n"
         "output cannot be written.\n";
}

namespace {

void CheckCombination(const ScoreOptions& options) {
  if (options.format != "text" && options.format != "json" && options.format != "csv") {
    throw std::invalid_argument("--format must be text, json or csv");
  }
  if (!options.db.empty() && !options.log.empty()) {
    throw std::invalid_argument("give --db or --log, not both (see --help)");
  }
  if (options.dump_contacts && options.format != "text") {
    throw std::invalid_argument("--dump-contacts prints text: it does not go with --format " +
                                options.format);
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

// An option that takes a value: its name, what the value is (for the
// message when it is missing) and where it goes.
struct ValuedOption {
  const char* name;
  const char* value;
  std::string* text = nullptr;
  std::optional<std::string>* optional_text = nullptr;
  // An empty value names nothing: refused, except where it is the default.
  bool may_be_empty = false;
};

// True when `arg` is an option rather than a value: "-h" or "--" and more.
bool IsOption(const std::string& arg) { return arg == "-h" || arg.rfind("--", 0) == 0; }

}  // namespace

ScoreOptions ParseScoreOptions(const std::vector<std::string>& args) {
  ScoreOptions options;
  const ValuedOption valued[] = {
      {"--db", "a file", &options.db},
      {"--table", "a name", &options.table},
      {"--log", "a file", &options.log},
      {"--country", "a country prefix", &options.country, nullptr, true},
      {"--caption", "a text", &options.caption, nullptr, true},
      {"--format", "a format (text, json or csv)", &options.format},
      {"--plugins", "a folder", nullptr, &options.plugins},
      {"--own-group", "a group", nullptr, &options.own_group},
      {"--group", "a group", nullptr, &options.group},
      {"--contact-group", "a group", nullptr, &options.group},
      {"--format-in", "a format (cabrillo or adif)", nullptr, &options.format_in},
      {"--cty", "a file", nullptr, &options.cty}};
  // The options seen, by where their value goes: --group and
  // --contact-group are one option.
  std::set<const void*> given;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    }
    if (arg == "--dump-contacts") {
      if (!given.insert(&options.dump_contacts).second) {
        throw std::invalid_argument("--dump-contacts is given twice");
      }
      options.dump_contacts = true;
      continue;
    }
    const ValuedOption* option = nullptr;
    for (const ValuedOption& candidate : valued) {
      if (arg == candidate.name) option = &candidate;
    }
    if (option == nullptr) throw std::invalid_argument("unknown option " + arg + " (see --help)");
    const void* target = option->text != nullptr ? static_cast<const void*>(option->text)
                                                 : static_cast<const void*>(option->optional_text);
    if (!given.insert(target).second) {
      throw std::invalid_argument(
          arg + " is given twice" +
          (target == &options.group ? " (--group and --contact-group are one option)" : ""));
    }
    if (i + 1 >= args.size() || IsOption(args[i + 1])) {
      throw std::invalid_argument(arg + " needs " + option->value);
    }
    const std::string& value = args[++i];
    if (value.empty() && !option->may_be_empty) {
      throw std::invalid_argument(arg + " needs " + option->value + ", not an empty text");
    }
    if (option->text != nullptr) {
      *option->text = value;
    } else {
      *option->optional_text = value;
    }
  }
  CheckCombination(options);
  return options;
}

}  // namespace qxqy::score
