// The simulator's command line:
//
//   hostsim [--plugin PATH] [--timeout SECONDS] [SCRIPT]
//
// Without SCRIPT the session is read from standard input. Without --plugin
// the DLL is Plugins\QXQYDXContest.dll beside the executable.
#pragma once

#include <string>
#include <vector>

#include "base/error.h"

namespace qxqy::hostsim {

class UsageError : public Error {
 public:
  using Error::Error;
};

struct Options {
  std::string plugin_path;  // empty: the default place
  int timeout_seconds = 60;
  std::string script_path;  // empty: standard input
};

// `args` without the program name. Throws UsageError.
Options ParseOptions(const std::vector<std::string>& args);

extern const char kUsage[];

}  // namespace qxqy::hostsim
