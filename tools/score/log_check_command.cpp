#include "tools/score/log_check_command.h"

#include <ostream>
#include <string>
#include <string_view>

#include "logfile/byte_source.h"
#include "logfile/country_file.h"
#include "logfile/country_file_load.h"
#include "logfile/log_checker.h"
#include "logfile/log_file.h"
#include "logfile/printable_text.h"
#include "logfile/report_writers.h"

namespace qxqy::score {
namespace {

using namespace qxqy::logfile;

// The message of an error for standard error: why a file could not be
// opened when that is known, control bytes escaped (a path or a country
// file's line may hold them).
std::string MessageOf(const Error& error) { return EscapeUnprintable(Explained(error)); }

// A text of a dumped contact: a backslash, TAB, CR or LF in it (an ADIF
// field may hold them) written as \\, \t, \r or \n, so that one contact
// stays one line of TAB-separated cells; any other control character as
// \xHH.
std::string DumpText(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\') escaped += '\\';
    escaped += c;
  }
  return EscapeUnprintable(escaped);
}

void WriteContact(std::ostream& out, const ScoredContact& c) {
  out << c.line << '\t' << DumpText(c.call) << '\t' << c.band << '\t' << c.mode << '\t'
      << DumpText(c.exchange) << '\t' << DumpText(c.wpx) << '\t' << DumpText(c.country) << '\t'
      << DumpText(c.group) << '\t' << DumpText(c.own_group) << '\t' << c.points << '\n';
}

}  // namespace

int RunLogCheck(const ScoreOptions& options, const std::string& plugins_folder, std::ostream& out,
                std::ostream& err) {
  std::optional<LogFormat> format;
  if (options.format_in) {
    format = LogFormatOfName(*options.format_in);
    if (!format) {
      err << "qxqy-score: --format-in must be cabrillo or adif\n";
      return 2;
    }
  }
  std::optional<CountryFile> countries;
  CheckOptions check;
  check.plugins_folder = plugins_folder;
  check.own_group = options.own_group;
  check.contact_group = options.group;
  check.read_while_scoring = true;  // one log: both cores
  std::function<void(const ScoredContact&)> dump;
  if (options.dump_contacts) dump = [&out](const ScoredContact& c) { WriteContact(out, c); };
  Report report;
  CheckedLog checked;
  try {
    countries = LoadCountryFile(options.cty, plugins_folder);
    check.countries = countries ? &*countries : nullptr;
    ByteSource source(options.log);
    checked = ReadAndCheckLog(source, format, check, report, dump);
  } catch (const Error& error) {  // also: the district table exists but cannot be read
    err << "qxqy-score: " << MessageOf(error) << '\n';
    return 2;
  }
  const ParsedLog& log = checked.log;
  const CheckResult& result = checked.result;
  report.SortByLine();

  const CheckSummary summary = SummarizeCheck(options.log, log, result, report);
  if (options.format == "json") {
    WriteJson(out, summary);
  } else {
    if (!options.dump_contacts) {
      if (options.format == "csv") {
        WriteGridCsv(out, result.statistics);
      } else {
        WriteTextSummary(out, summary);
      }
    }
    WriteFindings(err, summary);
  }
  return report.total() == 0 ? 0 : 1;
}

}  // namespace qxqy::score
