#include "logfile/report_writers.h"

#include <algorithm>

#include "logfile/printable_text.h"

namespace qxqy::logfile {
namespace {

namespace grid = statistics_table;

// Calls `row(title, figures)` for each of the grid's rows after the header;
// figures is null for a band without an entry.
template <typename RowFunction>
void ForEachRow(const StatisticsTable& statistics, RowFunction row) {
  for (size_t i = 0; i < grid::kBandRows.size(); ++i) {
    row(grid::kBandRows[i].title, statistics.bands[i] ? &*statistics.bands[i] : nullptr);
  }
  row(grid::kTotalTitle, &statistics.totals);
}

void WriteGrid(std::ostream& out, const StatisticsTable& statistics, char separator) {
  for (size_t col = 0; col < grid::kHeaderRow.size(); ++col) {
    if (col > 0) out << separator;
    out << grid::kHeaderRow[col];
  }
  out << '\n';
  ForEachRow(statistics, [&](std::string_view title, const grid::Figures* figures) {
    out << title;
    for (size_t i = 0; i < grid::Figures().size(); ++i) {
      out << separator << (figures != nullptr ? (*figures)[i] : std::string());
    }
    out << '\n';
  });
}

// The totals as JSON members; the grid's figures are decimal text already.
void WriteFigures(std::ostream& out, const grid::Figures& figures) {
  static constexpr const char* kNames[] = {"qsos", "points", "districts", "prefixes"};
  for (size_t i = 0; i < figures.size(); ++i) {
    out << (i > 0 ? ", " : "") << '"' << kNames[i] << "\": " << figures[i];
  }
}

// The score after the score line's "=".
std::string ScoreOf(const std::string& score_line) {
  const size_t equals = score_line.rfind('=');
  return equals == std::string::npos ? "0" : score_line.substr(equals + 1);
}

}  // namespace

void WriteGridText(std::ostream& out, const StatisticsTable& statistics) {
  WriteGrid(out, statistics, '\t');
  out << statistics.score_line << '\n';
}

void WriteGridCsv(std::ostream& out, const StatisticsTable& statistics) {
  WriteGrid(out, statistics, ',');
}

void WriteTextSummary(std::ostream& out, const CheckSummary& summary) {
  WriteGridText(out, *summary.statistics);
  if (summary.claimed_score) {
    out << "Claimed score: " << EscapeUnprintable(*summary.claimed_score) << '\n';
  }
}

void WriteFindings(std::ostream& out, const CheckSummary& summary) {
  for (const Finding& finding : summary.report->findings()) {
    out << FormatFinding(summary.file, finding) << '\n';
  }
  if (summary.report->dropped() > 0) {
    out << EscapeUnprintable(summary.file) << ": " << summary.report->dropped()
        << " more findings not listed (listed: the first " << summary.report->findings().size()
        << " in file order)\n";
  }
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  ForEachCharacter(text, [&out](uint32_t code_point, std::string_view bytes) {
    if (code_point == '"' || code_point == '\\') {
      out += '\\';
      out += static_cast<char>(code_point);
    } else if (IsControlCharacter(code_point)) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[code_point >> 4];
      out += kHex[code_point & 0xFu];
    } else if (code_point < 0x80 || bytes.size() > 1) {
      out += bytes;  // ASCII, or well-formed UTF-8
    } else {
      // A byte that is not UTF-8, read as Latin-1 (U+00A0 to U+00FF).
      out += static_cast<char>(0xC0u | (code_point >> 6));
      out += static_cast<char>(0x80u | (code_point & 0x3Fu));
    }
  });
  return out + '"';
}

namespace {

// The claimed score as a JSON number when it is a whole number in decimal
// digits (leading zeros dropped), else as the log wrote it, as a string
// ("1,234", "about 300").
std::string ClaimedScoreJson(const std::optional<std::string>& claimed) {
  if (!claimed) return "null";
  const std::string& text = *claimed;
  constexpr size_t kMaxDigits = 15;  // exact in every JSON reader's double
  const bool is_number = !text.empty() && text.size() <= kMaxDigits &&
                         text.find_first_not_of("0123456789") == std::string::npos;
  if (!is_number) return JsonString(text);
  const size_t first = std::min(text.find_first_not_of('0'), text.size() - 1);
  return text.substr(first);
}

}  // namespace

void WriteJson(std::ostream& out, const CheckSummary& summary) {
  const StatisticsTable& statistics = *summary.statistics;
  out << "{\n  \"file\": " << JsonString(summary.file) << ",\n  \"bands\": [";
  bool first = true;
  for (const TStatistic& band : summary.bands) {
    out << (first ? "\n" : ",\n") << "    {\"band\": " << JsonString(band.Band)
        << ", \"qsos\": " << band.Qsos << ", \"points\": " << band.Points
        << ", \"districts\": " << band.Districts << ", \"prefixes\": " << band.Prefixes << '}';
    first = false;
  }
  out << (first ? "],\n" : "\n  ],\n") << "  \"totals\": {";
  WriteFigures(out, statistics.totals);
  out << "},\n  \"score\": " << ScoreOf(statistics.score_line)
      << ",\n  \"score_line\": " << JsonString(statistics.score_line)
      << ",\n  \"claimed_score\": " << ClaimedScoreJson(summary.claimed_score)
      << ",\n  \"own_group\": " << JsonString(summary.own_group)
      << ",\n  \"scored\": " << summary.scored << ",\n  \"duplicates\": " << summary.duplicates
      << ",\n  \"report\": [";
  first = true;
  for (const Finding& finding : summary.report->findings()) {
    out << (first ? "\n" : ",\n") << "    {\"line\": " << finding.line
        << ", \"reason\": " << JsonString(finding.reason) << '}';
    first = false;
  }
  out << (first ? "],\n" : "\n  ],\n") << "  \"report_dropped\": " << summary.report->dropped()
      << "\n}\n";
}

}  // namespace qxqy::logfile
