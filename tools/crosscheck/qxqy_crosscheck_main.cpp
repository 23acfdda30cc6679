// qxqy-crosscheck: checks a whole contest, every log against the others,
// and writes the results, every contact line's decision, each station's
// report and the results site (crosscheck/).
#include <malloc.h>
#include <unistd.h>

#include <climits>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "crosscheck/contest_check.h"
#include "crosscheck/output_files.h"
#include "crosscheck/result_writers.h"
#include "crosscheck/site/site_writer.h"
#include "crosscheck/site_view.h"
#include "logfile/country_file_load.h"
#include "refdata/reference_files.h"
#include "tools/crosscheck/crosscheck_options.h"
#include "tools/crosscheck/phase_timings.h"
#include "tools/crosscheck/progress_line.h"

namespace qxqy::crosscheck_tool {
namespace {

namespace fs = std::filesystem;
using crosscheck::Printable;

// A failure that stops the check: exit 2 with its message.
struct CannotRun {
  std::string message;
};

// The files of `folder` (not its subfolders), sorted by name.
std::vector<crosscheck::LogInput> ListLogs(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    throw CannotRun{"no such folder: " + Printable(folder)};
  }
  std::vector<crosscheck::LogInput> inputs;
  fs::directory_iterator it(folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    inputs.push_back({it->path().filename().string(), it->path().string(), std::nullopt});
  }
  if (error) throw CannotRun{"cannot list " + Printable(folder) + ": " + error.message()};
  if (inputs.empty()) throw CannotRun{"no log file in " + Printable(folder)};
  return inputs;
}

// Writes every output file into `out_dir`; `progress` is told the files
// written (it may be empty).
void WriteOutputs(const crosscheck::ContestResults& results, const std::string& out_dir,
                  const std::function<void(std::string_view, size_t, size_t)>& progress) {
  // The reports' texts, kept for the station pages.
  std::vector<std::string> reports;
  try {
    crosscheck::OutputFiles files(out_dir);
    crosscheck::AddContestOutputs(results, files, &reports);
    files.WriteAll(results.options.threads, [&](size_t done, size_t total) {
      if (progress) progress("writing", done, total);
    });
  } catch (const crosscheck::OutputError& error) {
    throw CannotRun{error.what()};
  }
  // The site last: its index links the reports written above.
  try {
    crosscheck::WriteResultsSite(results, out_dir, &reports);
  } catch (const crosscheck::site::SiteWriteError& failure) {
    throw CannotRun{Printable(failure.what())};
  }
}

int Run(const CrosscheckOptions& options) {
  std::string plugins = options.plugins.value_or(DefaultPluginsFolder());
  if (plugins.empty() || plugins.back() != '/') plugins += '/';
  std::optional<logfile::CountryFile> countries;
  try {
    countries = logfile::LoadCountryFile(options.cty, plugins);
  } catch (const Error& error) {
    throw CannotRun{Printable(Explained(error))};
  }
  crosscheck::ContestOptions contest;
  contest.plugins_folder = plugins;
  contest.countries = countries ? &*countries : nullptr;
  contest.window_minutes = options.window;
  contest.nil_penalty = options.nil_penalty;
  contest.bust_penalty = options.bust_penalty;
  contest.remove_uniques = options.remove_uniques;
  std::optional<ProgressLine> progress;
  if (!options.quiet) progress.emplace(std::cerr, isatty(STDERR_FILENO) != 0);
  std::optional<PhaseTimings> timings;
  if (options.timings) timings.emplace();
  if (progress || timings) {
    contest.progress = [&](std::string_view phase, size_t done, size_t total) {
      if (timings) timings->Enter(phase);
      if (progress) progress->Update(phase, done, total);
    };
  }
  crosscheck::ContestResults results;
  try {
    results = crosscheck::CheckContest(ListLogs(options.logs_dir), contest);
  } catch (const Error& error) {  // the district table exists but cannot be read
    throw CannotRun{Printable(Explained(error))};
  }
  if (progress) progress->Finish();
  size_t checked = 0;
  for (const crosscheck::LogResult& log : results.logs) {
    if (log.status == crosscheck::LogStatus::kChecked) ++checked;
    if (log.status != crosscheck::LogStatus::kChecked) {
      std::cerr << "qxqy-crosscheck: " << Printable(log.file) << ": " << Printable(log.note)
                << '\n';
    }
  }
  if (checked == 0) throw CannotRun{"no log in " + Printable(options.logs_dir) + " could be read"};
  WriteOutputs(results, options.out_dir, contest.progress);
  if (progress) progress->Finish();
  if (timings) {
    timings->Stop();
    WriteTimings(std::cerr, timings->phases());
  }
  if (options.quiet) return results.reported == 0 ? 0 : 1;
  std::cerr << "qxqy-crosscheck: " << results.logs.size() << " files, " << checked
            << " logs checked, " << results.lines.size() << " contacts; " << results.reported
            << " findings reported (see " << Printable(options.out_dir) << ")\n";
  return results.reported == 0 ? 0 : 1;
}

// Each phase of a check allocates and frees arrays of many megabytes. Memory
// given back to the system comes back cleared, page by page, when the next
// phase asks for it again; a check is one short run, so it keeps what it
// frees for reuse (freed blocks up to 32 MB, the most the allocator keeps
// off separate mappings, and the top of the heap).
void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, INT_MAX);
#endif
}

int Main(const std::vector<std::string>& args) {
  CrosscheckOptions options;
  try {
    options = ParseCrosscheckOptions(args);
  } catch (const std::invalid_argument& error) {
    std::cerr << "qxqy-crosscheck: " << error.what() << '\n';
    return 2;
  }
  if (options.help) {
    std::cout << CrosscheckUsage();
    return 0;
  }
  KeepFreedMemoryForReuse();
  try {
    return Run(options);
  } catch (const CannotRun& failure) {
    std::cerr << "qxqy-crosscheck: " << failure.message << '\n';
    return 2;
  }
}

}  // namespace
}  // namespace qxqy::crosscheck_tool

int main(int argc, char** argv) {
  try {
    return qxqy::crosscheck_tool::Main(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "qxqy-crosscheck: " << error.what() << '\n';
    return 2;
  }
}
