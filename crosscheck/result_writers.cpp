#include "crosscheck/result_writers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

#include "base/small_bytes.h"
#include "crosscheck/contact_rows.h"
#include "logfile/report_writers.h"

namespace qxqy::crosscheck {
namespace {

constexpr Decision kAllDecisions[kDecisionCount] = {
    Decision::kOk,           Decision::kDupe,           Decision::kNotScored,
    Decision::kSetAside,     Decision::kBustedExchange, Decision::kBandOrMode,
    Decision::kNilTheirBust, Decision::kBustedCall,     Decision::kNil,
    Decision::kUnverified,   Decision::kUnique};

std::string_view StatusWord(LogStatus status) {
  switch (status) {
    case LogStatus::kChecked:
      return "checked";
    case LogStatus::kSetAside:
      return "set-aside";
    case LogStatus::kUnreadable:
      break;
  }
  return "not-a-log";
}

// A fraction as a percentage with one decimal ("12.5").
std::string Percent(double fraction) {
  const long long tenths = std::llround(fraction * 1000.0);
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// `text` padded with blanks to `width`, on the left when `right`.
std::string Pad(std::string text, size_t width, bool right) {
  if (text.size() >= width) return text;
  const std::string blanks(width - text.size(), ' ');
  return right ? blanks + text : text + blanks;
}

// One row of the text table: place, station, claimed, raw, checked,
// contacts, credited, error rate, clock, file.
void WriteTextRow(std::ostream& out, const std::vector<std::string>& cells) {
  static constexpr size_t kWidths[] = {5, 12, 12, 12, 12, 7, 8, 6, 6};
  out << Pad(cells[0], kWidths[0], true) << "  " << Pad(cells[1], kWidths[1], false);
  for (size_t i = 2; i < std::size(kWidths); ++i) out << ' ' << Pad(cells[i], kWidths[i], true);
  out << "  " << cells[9] << '\n';
}

std::string Claimed(const LogResult& log) {
  return log.log.claimed_score ? Printable(*log.log.claimed_score) : std::string();
}

size_t Count(const LogResult& log, Decision decision) {
  return log.decisions[static_cast<size_t>(decision)];
}

// `value` in decimal appended to `out` (a string or a TextBuffer).
template <typename Out, typename Integer>
void AppendNumber(Out& out, Integer value) {
  char digits[24];
  const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
  out.append(digits, static_cast<size_t>(end - digits));  // (pointer, length): no replace()
}

// Printable(text) appended to `out`.
void AppendPrintable(std::string& out, std::string_view text) {
  const size_t start = out.size();
  out.append(text);
  for (size_t i = start; i < out.size(); ++i) {
    const auto byte = static_cast<unsigned char>(out[i]);
    if (byte < ' ' || byte == 0x7F) out[i] = '?';
  }
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < ' ' || byte == 0x7F) c = '?';
  }
  return out;
}

namespace {

// CsvField(text) appended to `out` (a string or a TextBuffer); most texts
// need nothing done.
template <typename Out>
void AppendCsvField(Out& out, std::string_view text) {
  const bool plain = std::none_of(text.begin(), text.end(),
                                  [](char c) {
                                    const auto byte = static_cast<unsigned char>(c);
                                    return byte < ' ' || byte == 0x7F || c == ',' || c == '"';
                                  }) &&
                     (text.empty() || (text.front() != ' ' && text.back() != ' '));
  if (plain) {
    out.append(text);
  } else {
    out.append(CsvField(text));
  }
}

}  // namespace

std::string CsvField(std::string_view text) {
  std::string field = Printable(text);
  const bool quote = field.find_first_of(",\"") != std::string::npos ||
                     (!field.empty() && (field.front() == ' ' || field.back() == ' '));
  if (!quote) return field;
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string ReportFileName(std::string_view station) {
  std::string name;
  for (char c : station) {
    const bool keep =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    name += c == '/' ? '-' : keep ? c : '_';
  }
  return name + ".txt";
}

std::vector<std::string> ReportFileNames(const ContestResults& results) {
  std::vector<std::string> names(results.logs.size());
  std::set<std::string> taken;
  for (size_t i = 0; i < results.logs.size(); ++i) {
    const LogResult& log = results.logs[i];
    if (log.status != LogStatus::kChecked) continue;
    std::string name = ReportFileName(log.station);
    for (int n = 2; !taken.insert(name).second; ++n) {
      name = ReportFileName(log.station + "_" + std::to_string(n));
    }
    names[i] = std::move(name);
  }
  return names;
}

std::vector<size_t> ResultOrder(const ContestResults& results, std::vector<size_t>& place) {
  const auto& logs = results.logs;
  std::vector<size_t> order(logs.size());
  std::vector<std::string> labels(logs.size());
  for (size_t i = 0; i < logs.size(); ++i) {
    order[i] = i;
    labels[i] = logs[i].CategoryLabel();
  }
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const bool ca = logs[a].status == LogStatus::kChecked;
    const bool cb = logs[b].status == LogStatus::kChecked;
    if (ca != cb) return ca;
    if (!ca) return false;  // file-name order
    return std::make_tuple(std::cref(labels[a]), -logs[a].checked_score,
                           std::cref(logs[a].station)) <
           std::make_tuple(std::cref(labels[b]), -logs[b].checked_score,
                           std::cref(logs[b].station));
  });
  place.assign(logs.size(), 0);
  size_t rank = 0;
  for (size_t k = 0; k < order.size(); ++k) {
    const size_t i = order[k];
    if (logs[i].status != LogStatus::kChecked) break;
    rank = k > 0 && labels[order[k - 1]] == labels[i] ? rank + 1 : 1;
    place[i] = rank;
  }
  return order;
}

void WriteResultsText(std::ostream& out, const ContestResults& results) {
  std::vector<size_t> place;
  const std::vector<size_t> order = ResultOrder(results, place);
  std::optional<std::string> category;
  bool ranked = true;
  for (size_t i : order) {
    const LogResult& log = results.logs[i];
    if (log.status == LogStatus::kChecked) {
      const std::string label = log.CategoryLabel();
      if (label != category) {
        out << (category ? "\n" : "")
            << "Category: " << (label.empty() ? "(none given)" : Printable(label)) << '\n';
        category = label;
        WriteTextRow(out, {"Place", "Station", "Claimed", "Raw", "Checked", "QSOs", "Credited",
                           "Error%", "Clock", "File"});
      }
      const std::string clock =
          (log.clock_offset > 0 ? "+" : "") + std::to_string(log.clock_offset);
      WriteTextRow(out, {std::to_string(place[i]), Printable(log.station), Claimed(log),
                         std::to_string(log.raw_score), std::to_string(log.checked_score),
                         std::to_string(log.raw.qsos), std::to_string(log.credited.qsos),
                         Percent(log.ErrorRate()), clock, Printable(log.file)});
    } else {
      if (ranked) out << "\nNot checked:\n";
      ranked = false;
      out << "  " << Printable(log.file) << ": " << StatusWord(log.status) << ", "
          << Printable(log.note) << '\n';
    }
  }
}

void WriteResultsCsv(std::ostream& out, const ContestResults& results) {
  out << "category,place,station,file,status,claimed,raw,checked,contacts_raw,contacts_credited";
  for (Decision d : kAllDecisions) out << ',' << DecisionWord(d);
  out << ",error_rate,clock_offset,clock_matches,note\n";
  std::vector<size_t> place;
  for (size_t i : ResultOrder(results, place)) {
    const LogResult& log = results.logs[i];
    out << CsvField(log.CategoryLabel()) << ',' << place[i] << ',' << CsvField(log.station) << ','
        << CsvField(log.file) << ',' << StatusWord(log.status) << ',' << CsvField(Claimed(log))
        << ',' << log.raw_score << ',' << log.checked_score << ',' << log.raw.qsos << ','
        << log.credited.qsos;
    for (Decision d : kAllDecisions) out << ',' << Count(log, d);
    out << ',' << Percent(log.ErrorRate()) << ',' << log.clock_offset << ',' << log.clock_matches
        << ',' << CsvField(log.note) << '\n';
  }
}

void WriteResultsJson(std::ostream& out, const ContestResults& results) {
  using logfile::JsonString;
  const ContestOptions& o = results.options;
  out << "{\n  \"window_minutes\": " << o.window_minutes
      << ",\n  \"nil_penalty\": " << o.nil_penalty << ",\n  \"bust_penalty\": " << o.bust_penalty
      << ",\n  \"remove_uniques\": " << (o.remove_uniques ? "true" : "false")
      << ",\n  \"clock_rounds\": " << results.clock_rounds << ",\n  \"logs\": [";
  std::vector<size_t> place;
  bool first = true;
  for (size_t i : ResultOrder(results, place)) {
    const LogResult& log = results.logs[i];
    out << (first ? "\n" : ",\n") << "    {\"station\": " << JsonString(Printable(log.station))
        << ", \"category\": " << JsonString(Printable(log.CategoryLabel()))
        << ", \"place\": " << place[i] << ", \"file\": " << JsonString(Printable(log.file))
        << ", \"status\": \"" << StatusWord(log.status)
        << "\", \"claimed\": " << (log.log.claimed_score ? JsonString(Claimed(log)) : "null")
        << ", \"raw\": " << log.raw_score << ", \"checked\": " << log.checked_score
        << ", \"contacts_raw\": " << log.raw.qsos
        << ", \"contacts_credited\": " << log.credited.qsos
        << ", \"penalty_points\": " << log.penalty_points << ", \"decisions\": {";
    for (int d = 0; d < kDecisionCount; ++d) {
      out << (d == 0 ? "" : ", ") << '"' << DecisionWord(kAllDecisions[d])
          << "\": " << Count(log, kAllDecisions[d]);
    }
    out << "}, \"error_rate\": " << Percent(log.ErrorRate())
        << ", \"clock_offset\": " << log.clock_offset
        << ", \"clock_matches\": " << log.clock_matches
        << ", \"note\": " << JsonString(Printable(log.note)) << '}';
    first = false;
  }
  out << (first ? "]\n}\n" : "\n  ]\n}\n");
}

namespace {

// Text gathered in a buffer of its own and appended to a string a few
// kilobytes at a time: the rows of qsos.csv are made of many short pieces,
// and appending each to the string costs a call and its checks.
class TextBuffer {
 public:
  explicit TextBuffer(std::string& out) : out_(out) {}
  ~TextBuffer() { Flush(); }
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  void append(const char* text, size_t size) {
    if (size == 0) return;  // an empty view may hold no pointer at all
    if (size > kRoom - size_) {
      Flush();
      if (size > kRoom) {
        out_.append(text, size);
        return;
      }
    }
    CopySmallBytes(buffer_ + size_, text, size);  // most fields are a few bytes
    size_ += size;
  }
  void append(std::string_view text) { append(text.data(), text.size()); }
  void push_back(char c) {
    if (size_ == kRoom) Flush();
    buffer_[size_++] = c;
  }
  void Flush() {
    out_.append(buffer_, size_);
    size_ = 0;
  }

 private:
  static constexpr size_t kRoom = 8192;
  std::string& out_;
  char buffer_[kRoom] = {};  // zeroed once a call: cheap, and never read unset
  size_t size_ = 0;
};

}  // namespace

void AppendQsosRows(const ContestResults& results, size_t first, size_t last, std::string& out) {
  std::string file;
  std::string station;
  ContactRow row;
  TextBuffer text(out);
  for (size_t l = first; l < last; ++l) {
    file.clear();
    AppendCsvField(file, results.logs[l].file);
    station.clear();
    AppendCsvField(station, results.logs[l].station);
    ContactRows rows(results, l);
    while (rows.Next()) {
      rows.Fill(row);
      text.append(file);
      text.push_back(',');
      AppendNumber(text, row.line);
      text.push_back(',');
      text.append(station);
      text.push_back(',');
      AppendCsvField(text, row.call);
      text.push_back(',');
      text.append(row.band);
      text.push_back(',');
      text.append(row.mode);
      text.push_back(',');
      text.append(row.time);
      text.push_back(',');
      text.append(DecisionWord(row.decision));
      text.push_back(',');
      AppendCsvField(text, row.evidence);
      text.push_back(',');
      AppendNumber(text, row.penalty);
      text.push_back('\n');
    }
  }
}

namespace {
constexpr std::string_view kQsosHeader =
    "file,line,station,call,band,mode,time,decision,evidence,penalty\n";
}  // namespace

void WriteQsosCsv(std::ostream& out, const ContestResults& results) {
  out << kQsosHeader;
  std::string rows;
  for (size_t l = 0; l < results.logs.size(); ++l) {
    rows.clear();
    AppendQsosRows(results, l, l + 1, rows);
    out << rows;
  }
}

std::vector<size_t> QsosPieces(const ContestResults& results, size_t lines) {
  std::vector<size_t> starts{0};
  size_t in_piece = 0;
  for (size_t l = 0; l < results.logs.size(); ++l) {
    if (in_piece >= lines) {
      starts.push_back(l);
      in_piece = 0;
    }
    in_piece += results.logs[l].contact_lines;
  }
  starts.push_back(results.logs.size());
  return starts;
}

void AddContestOutputs(const ContestResults& results, OutputFiles& files,
                       std::vector<std::string>* reports) {
  // A piece of qsos.csv is about 1 MB of text.
  constexpr size_t kQsosPieceLines = 16384;
  auto pieces = std::make_shared<const std::vector<size_t>>(QsosPieces(results, kQsosPieceLines));
  files.AddInPieces("qsos.csv", pieces->size() - 1, [&results, pieces](size_t i, std::string& out) {
    if (i == 0) out.append(kQsosHeader);
    AppendQsosRows(results, (*pieces)[i], (*pieces)[i + 1], out);
  });
  files.Add("results.txt", [&results](std::ostream& s) { WriteResultsText(s, results); });
  files.Add("results.csv", [&results](std::ostream& s) { WriteResultsCsv(s, results); });
  files.Add("results.json", [&results](std::ostream& s) { WriteResultsJson(s, results); });
  const std::vector<std::string> names = ReportFileNames(results);
  if (reports != nullptr) reports->assign(results.logs.size(), std::string());
  for (size_t i = 0; i < results.logs.size(); ++i) {
    if (names[i].empty()) continue;
    files.AddText("reports/" + names[i], [&results, i, reports](std::string& text) {
      AppendStationReport(text, results, i);
      if (reports != nullptr) (*reports)[i] = text;  // each job its own log's
    });
  }
}

namespace {

// How a score line of the report ends: "*(districts+prefixes)=score".
void AppendTimesMultipliers(std::string& out, const ScoreTotals& totals, int64_t score) {
  out.append("*(");
  AppendNumber(out, totals.districts);
  out.push_back('+');
  AppendNumber(out, totals.prefixes);
  out.append(")=");
  AppendNumber(out, score);
}

}  // namespace

void AppendStationReport(std::string& out, const ContestResults& results, size_t index) {
  const LogResult& log = results.logs[index];
  out.append("Station: ");
  AppendPrintable(out, log.station);
  out.append("\nFile: ");
  AppendPrintable(out, log.file);
  out.append("\nCategory: ");
  AppendPrintable(out, log.CategoryLabel());
  out.append("\nStatus: ").append(StatusWord(log.status));
  if (!log.note.empty()) {
    out.append(" (");
    AppendPrintable(out, log.note);
    out.push_back(')');
  }
  out.append("\nClaimed score: ");
  if (log.log.claimed_score) {
    AppendPrintable(out, *log.log.claimed_score);
  } else {
    out.append("none");
  }
  out.append("\nRaw score: ");
  AppendNumber(out, log.raw.points);
  AppendTimesMultipliers(out, log.raw, log.raw_score);
  out.append("\nChecked score: (");
  AppendNumber(out, log.credited.points);
  out.push_back('-');
  AppendNumber(out, log.penalty_points);
  out.push_back(')');
  AppendTimesMultipliers(out, log.credited, log.checked_score);
  out.append("\nContacts: ");
  AppendNumber(out, log.raw.qsos);
  out.append(" scored, ");
  AppendNumber(out, log.credited.qsos);
  out.append(" credited; error rate ").append(Percent(log.ErrorRate()));
  out.append(" %\nClock offset: ");
  AppendNumber(out, log.clock_offset);
  out.append(" min (");
  AppendNumber(out, log.clock_matches);
  out.append(" matches)\nDecisions:");
  for (Decision d : kAllDecisions) {
    if (Count(log, d) == 0) continue;
    out.push_back(' ');
    out.append(DecisionWord(d));
    out.push_back(' ');
    AppendNumber(out, Count(log, d));
    out.push_back(';');
  }
  out.append("\n\nLines that lost credit (line, call, band, mode, time: decision, evidence):\n");
  size_t lost = 0;
  ContactRows rows(results, index);
  ContactRow row;
  while (rows.Next()) {
    if (IsCredited(rows.decision(), results.options.remove_uniques)) continue;
    rows.Fill(row);
    ++lost;
    out.append("  ");
    AppendNumber(out, row.line);
    if (!row.call.empty()) {
      out.push_back(' ');
      AppendPrintable(out, row.call);
      out.push_back(' ');
      out.append(row.band);
      out.push_back(' ');
      out.append(row.mode);
      out.push_back(' ');
      out.append(row.time);
    }
    out.append(": ").append(DecisionWord(row.decision));
    if (!row.evidence.empty()) {
      out.append(", ");
      AppendPrintable(out, row.evidence);
    }
    if (row.penalty != 0) {
      out.append(" (penalty ");
      AppendNumber(out, row.penalty);
      out.push_back(')');
    }
    out.push_back('\n');
  }
  if (lost == 0) out.append("  none\n");
  const auto list = [&](std::string_view title, const std::vector<std::string>& stations) {
    out.push_back('\n');
    out.append(title);
    out.push_back('\n');
    if (stations.empty()) out.append("  none\n");
    for (const std::string& station : stations) {
      out.append("  ");
      AppendPrintable(out, station);
      out.push_back('\n');
    }
  };
  list("Stations that logged you but are not in your log:", log.not_in_log);
  list("Stations that logged your call busted:", log.busted_our_call);
}

void WriteStationReport(std::ostream& out, const ContestResults& results, size_t index) {
  std::string report;
  AppendStationReport(report, results, index);
  out << report;
}

}  // namespace qxqy::crosscheck
