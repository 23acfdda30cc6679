// A scratch folder for benchmarks that open the plug-in's windows: it holds
// the Plugins folder (with the district table the synthetic logs refer to)
// and serves as the configuration folder, so the window settings written at
// close never touch the user's own. Removed when the object goes.
#pragma once

#include <string>

namespace qxqy::bench {

class BenchEnvironment {
 public:
  // Creates the folder, writes qx-qy.dom, points XDG_CONFIG_HOME and the
  // plug-in's Plugins folder at it. Throws std::runtime_error on failure.
  BenchEnvironment();
  ~BenchEnvironment();
  BenchEnvironment(const BenchEnvironment&) = delete;
  BenchEnvironment& operator=(const BenchEnvironment&) = delete;

 private:
  std::string root_;
};

}  // namespace qxqy::bench
