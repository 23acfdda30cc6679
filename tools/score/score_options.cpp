#include "tools/score/score_options.h"

#include <stdexcept>

namespace qxqy::score {

const char* ScoreUsage() {
  return "usage: qxqy-score --db FILE --table NAME [options]\n"
         "Replays a SQLite contest log through the QX-QY DX Contest plug-in and prints\n"
         "the statistics grid (8 rows of 5 TAB-separated cells) and the score line.\n"
         "\n"
         "  --db FILE         the SQLite log (required)\n"
         "  --table NAME      the log table (required)\n"
         "  --plugins DIR     folder holding qx-qy.dom and qx-qy.txt\n"
         "                    (default: Plugins beside the executable)\n"
         "  --own-group G     the operator's own group\n"
         "  --group G         the group every replayed contact is scored with\n"
         "  --country C       the country prefix every replayed contact is scored with\n"
         "  --caption TEXT    the log caption shown in the window title\n"
         "  --help            this text\n";
}

ScoreOptions ParseScoreOptions(const std::vector<std::string>& args) {
  ScoreOptions options;
  const std::pair<const char*, std::string*> valued[] = {{"--db", &options.db},
                                                         {"--table", &options.table},
                                                         {"--own-group", &options.own_group},
                                                         {"--group", &options.group},
                                                         {"--country", &options.country},
                                                         {"--caption", &options.caption}};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    }
    auto take_value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw std::invalid_argument("option " + arg + " needs a value");
      return args[++i];
    };
    if (arg == "--plugins") {
      options.plugins = take_value();
      continue;
    }
    bool known = false;
    for (const auto& [name, target] : valued) {
      if (arg == name) {
        *target = take_value();
        known = true;
        break;
      }
    }
    if (!known) throw std::invalid_argument("unknown option " + arg + " (see --help)");
  }
  if (options.db.empty()) throw std::invalid_argument("--db FILE is required (see --help)");
  if (options.table.empty()) throw std::invalid_argument("--table NAME is required (see --help)");
  return options;
}

}  // namespace qxqy::score
