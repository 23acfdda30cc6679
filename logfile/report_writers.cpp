#include "logfile/report_writers.h"

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
  if (summary.claimed_score) out << "Claimed score: " << *summary.claimed_score << '\n';
}

void WriteFindings(std::ostream& out, const CheckSummary& summary) {
  for (const Finding& finding : summary.report->findings()) {
    out << FormatFinding(summary.file, finding) << '\n';
  }
  if (summary.report->dropped() > 0) {
    out << summary.file << ": " << summary.report->dropped() << " more findings not listed\n";
  }
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte > 0x7E) {
      // Bytes beyond ASCII are shown by their code: the text is single-byte,
      // not UTF-8, and JSON must stay valid whatever the log held.
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out + '"';
}

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
      << ",\n  \"score_line\": " << JsonString(statistics.score_line) << ",\n  \"claimed_score\": "
      << (summary.claimed_score ? JsonString(*summary.claimed_score) : "null")
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
