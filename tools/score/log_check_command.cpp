#include "tools/score/log_check_command.h"

#include <ostream>
#include <string>
#include <string_view>

#include "logfile/byte_source.h"
#include "logfile/country_file.h"
#include "logfile/country_file_load.h"
#include "logfile/log_checker.h"
#include "logfile/log_file.h"
#include "logfile/report_writers.h"

namespace qxqy::score {
namespace {

using namespace qxqy::logfile;

// A text of a dumped contact: a backslash, TAB, CR or LF in it (an ADIF
// field may hold them) written as \\, \t, \r or \n, so that one contact
// stays one line of TAB-separated cells.
std::string DumpText(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
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
  Report report;
  ParsedLog log;
  try {
    countries = LoadCountryFile(options.cty, plugins_folder);
    ByteSource source(options.log);
    log = ReadLog(source, format, report);
  } catch (const Error& error) {
    err << "qxqy-score: " << error.what() << '\n';
    return 2;
  }

  CheckOptions check;
  check.plugins_folder = plugins_folder;
  check.countries = countries ? &*countries : nullptr;
  check.own_group = options.own_group;
  check.contact_group = options.group;
  std::function<void(const ScoredContact&)> dump;
  if (options.dump_contacts) dump = [&out](const ScoredContact& c) { WriteContact(out, c); };
  CheckResult result;
  try {
    result = CheckLog(log, check, report, dump);
  } catch (const Error& error) {  // the district table exists but cannot be read
    err << "qxqy-score: " << error.what() << '\n';
    return 2;
  }
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
