// The contest check's outputs: the results table (text, CSV, JSON), every
// contact line's decision (qsos.csv) and each station's report. Each
// writer streams to its std::ostream; nothing is built whole in memory.
// Every text taken from a log is written with control bytes shown as "?".
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "crosscheck/contest_check.h"
#include "crosscheck/output_files.h"

namespace qxqy::crosscheck {

// The logs in the order the results list them: the checked logs by
// category (label order), then by checked score (highest first) and
// station; then the logs set aside and the files that are not logs, by
// file name. `place` receives each listed log's place in its category (0
// for a log not ranked).
std::vector<size_t> ResultOrder(const ContestResults& results, std::vector<size_t>& place);

void WriteResultsText(std::ostream& out, const ContestResults& results);
void WriteResultsCsv(std::ostream& out, const ContestResults& results);
void WriteResultsJson(std::ostream& out, const ContestResults& results);

// Header `file,line,station,call,band,mode,time,decision,evidence,penalty`,
// then one row per contact line of every log, logs in file-name order.
void WriteQsosCsv(std::ostream& out, const ContestResults& results);
// The rows of qsos.csv (no header) of logs `first` to `last` (not
// included), appended to `out`.
void AppendQsosRows(const ContestResults& results, size_t first, size_t last, std::string& out);
// Where qsos.csv is cut into pieces: the first log of each piece, each of
// about `lines` contact lines (whole logs), then logs.size().
std::vector<size_t> QsosPieces(const ContestResults& results, size_t lines);

// Adds every output file of the check to `files`: results.txt,
// results.csv, results.json, qsos.csv (in pieces) and each checked log's
// report, reports/<ReportFileNames>. With `reports`, each report's text is
// also kept there, by log (empty for a log without one), once written, for
// the results site to show without formatting it again.
void AddContestOutputs(const ContestResults& results, OutputFiles& files,
                       std::vector<std::string>* reports = nullptr);

// The operator's report of log `index`: summary, the lines that lost credit,
// the stations that logged it but are not in it, those that busted its call.
void WriteStationReport(std::ostream& out, const ContestResults& results, size_t index);
// The same report appended to `out`.
void AppendStationReport(std::string& out, const ContestResults& results, size_t index);

// The report file's name for a station: "/" written "-", every byte but
// letters, digits and "-" written "_", ".txt" added.
std::string ReportFileName(std::string_view station);

// The report file of each log: ReportFileName of its station, "_2", "_3"...
// added to the station for a name already taken (two calls that differ
// only in bytes a file name cannot hold); empty for a log not checked.
std::vector<std::string> ReportFileNames(const ContestResults& results);

// `text` with control bytes (and DEL) written as "?".
std::string Printable(std::string_view text);

// `text` as one CSV field: Printable, quoted when it holds a comma, a quote
// or starts or ends with a blank.
std::string CsvField(std::string_view text);

}  // namespace qxqy::crosscheck
