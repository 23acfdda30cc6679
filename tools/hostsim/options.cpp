#include "tools/hostsim/options.h"

#include <cstdlib>

namespace qxqy::hostsim {

const char kUsage[] = "usage: hostsim [--plugin PATH] [--timeout SECONDS] [SCRIPT]";

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--plugin") {
      options.plugin_path = value();
    } else if (arg == "--timeout") {
      const std::string& text = value();
      char* end = nullptr;
      const long seconds = std::strtol(text.c_str(), &end, 10);
      if (text.empty() || *end != '\0' || seconds < 1 || seconds > 3600) {
        throw UsageError("--timeout takes 1 to 3600 seconds, not \"" + text + "\"");
      }
      options.timeout_seconds = static_cast<int>(seconds);
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      throw UsageError("unknown option " + arg);
    } else if (options.script_path.empty()) {
      options.script_path = arg == "-" ? std::string() : arg;
    } else {
      throw UsageError("only one script, not " + arg);
    }
  }
  return options;
}

}  // namespace qxqy::hostsim
