#include "bench/bench_environment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "Plugin/module_state.h"
#include "bench/contest_log.h"
#include "refdata/reference_files.h"

namespace qxqy::bench {

BenchEnvironment::BenchEnvironment() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qxqy-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  std::ofstream table(root_ + "/" + kDistrictTableFileName, std::ios::binary);
  for (const std::string& line : ContestLogGenerator::DistrictTableLines()) table << line << "\r\n";
  if (!table) throw std::runtime_error("cannot write the district table");
  ::setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  plugin::OverridePluginsFolder(root_ + "/");
}

BenchEnvironment::~BenchEnvironment() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

}  // namespace qxqy::bench
