#include "tools/contest_sim/score_command.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "tools/contest_sim/csv_reader.h"
#include "tools/contest_sim/truth_rules.h"

namespace qxqy::contest_sim {
namespace {

constexpr uint8_t kNoTruth = 0xFF;      // no truth row for this line
constexpr uint8_t kUndecided = 0xFF;    // no decision row for this line
constexpr uint8_t kUnknownWord = 0xFE;  // a decision word the check does not define
constexpr int kColumnsShown = kDecisionCount + 2;

struct TruthRow {
  uint8_t truth = kNoTruth;
  uint8_t decided = kUndecided;
  bool happened = false;
  uint16_t cause = 0;
};

std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

size_t Column(const std::vector<std::string>& header, const std::string& name,
              const std::string& path) {
  const auto it = std::find(header.begin(), header.end(), name);
  if (it == header.end()) throw std::runtime_error(path + ": no column '" + name + "'");
  return static_cast<size_t>(it - header.begin());
}

uint32_t LineNumber(const std::string& text, const CsvReader& reader) {
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || value > UINT32_MAX / 10) value = UINT64_MAX;
    if (value == UINT64_MAX) break;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (text.empty() || value == 0 || value > UINT32_MAX) {
    throw std::runtime_error(reader.path() + ":" + std::to_string(reader.line()) +
                             ": the line number '" + text + "' is not a whole number from 1");
  }
  return static_cast<uint32_t>(value);
}

std::string_view WordOf(uint8_t decision) {
  if (decision == kUndecided) return "(no decision)";
  if (decision == kUnknownWord) return "(unknown word)";
  return DecisionWord(static_cast<Decision>(decision));
}

// Every line of the truth, by file and line number.
class TruthTable {
 public:
  void Read(const std::string& path) {
    CsvReader reader(path);
    std::vector<std::string> fields;
    if (!reader.Next(fields)) throw std::runtime_error(path + ": empty, no header");
    const size_t file = Column(fields, "file", path);
    const size_t line = Column(fields, "line", path);
    const size_t truth = Column(fields, "truth", path);
    const auto happened_it = std::find(fields.begin(), fields.end(), "happened");
    const auto cause_it = std::find(fields.begin(), fields.end(), "cause");
    const size_t needed = std::max({file, line, truth}) + 1;
    while (reader.Next(fields)) {
      if (fields.size() < needed) throw Malformed(reader, "too few fields");
      Decision decision;
      if (!DecisionOfWord(fields[truth], decision)) {
        throw Malformed(reader, "unknown decision '" + fields[truth] + "'");
      }
      TruthRow& row = Row(BaseName(fields[file]), LineNumber(fields[line], reader), true);
      if (row.truth != kNoTruth) throw Malformed(reader, "a second row for this line");
      row.truth = static_cast<uint8_t>(decision);
      if (happened_it != fields.end()) {
        const auto at = static_cast<size_t>(happened_it - fields.begin());
        row.happened = at < fields.size() && fields[at] == "1";
      }
      if (cause_it != fields.end()) {
        const auto at = static_cast<size_t>(cause_it - fields.begin());
        row.cause = CauseId(at < fields.size() ? fields[at] : std::string());
      }
      ++rows_;
    }
  }

  // The row of `file`'s line `number`; with `add`, made when missing,
  // otherwise nullptr-like: a row with kNoTruth that is not kept.
  TruthRow& Row(std::string_view file, uint32_t number, bool add) {
    const auto found = files_.find(std::string(file));
    if (found == files_.end() && !add) return scratch_ = TruthRow();
    std::vector<TruthRow>& rows = found != files_.end() ? found->second : files_[std::string(file)];
    if (rows.size() <= number) {
      if (!add) return scratch_ = TruthRow();
      rows.resize(static_cast<size_t>(number) + 1);
    }
    return rows[number];
  }

  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& [file, rows] : files_) {
      for (size_t number = 0; number < rows.size(); ++number) {
        if (rows[number].truth != kNoTruth) visit(file, number, rows[number]);
      }
    }
  }

  uint64_t rows() const { return rows_; }
  const std::string& Cause(uint16_t id) const { return causes_[id]; }

 private:
  static std::runtime_error Malformed(const CsvReader& reader, const std::string& what) {
    return std::runtime_error(reader.path() + ":" + std::to_string(reader.line()) + ": " + what);
  }
  uint16_t CauseId(const std::string& cause) {
    const auto [it, added] = cause_ids_.emplace(cause, static_cast<uint16_t>(causes_.size()));
    if (added) {
      if (causes_.size() == UINT16_MAX) throw std::runtime_error("too many distinct causes");
      causes_.push_back(cause);
    }
    return it->second;
  }

  std::map<std::string, std::vector<TruthRow>> files_;
  std::unordered_map<std::string, uint16_t> cause_ids_{{"", 0}};
  std::vector<std::string> causes_{""};
  TruthRow scratch_;
  uint64_t rows_ = 0;
};

struct Problems {
  uint64_t unknown_lines = 0;  // decided, but the truth has no such line
  uint64_t decided_twice = 0;
  std::vector<std::string> examples;
  void Note(const std::string& text, uint32_t limit) {
    if (examples.size() < limit) examples.push_back(text);
  }
};

void ReadDecisions(const std::string& path, TruthTable& truth, Problems& problems, uint32_t limit) {
  CsvReader reader(path);
  std::vector<std::string> fields;
  if (!reader.Next(fields)) throw std::runtime_error(path + ": empty, no header");
  const size_t file = Column(fields, "file", path);
  const size_t line = Column(fields, "line", path);
  const size_t decision = Column(fields, "decision", path);
  const size_t needed = std::max({file, line, decision}) + 1;
  while (reader.Next(fields)) {
    if (fields.size() < needed) {
      throw std::runtime_error(path + ":" + std::to_string(reader.line()) + ": too few fields");
    }
    const std::string_view name = BaseName(fields[file]);
    const uint32_t number = LineNumber(fields[line], reader);
    TruthRow& row = truth.Row(name, number, false);
    const std::string where = std::string(name) + ":" + std::to_string(number);
    if (row.truth == kNoTruth) {
      ++problems.unknown_lines;
      problems.Note(where + ": decided '" + fields[decision] + "', a line the truth does not hold",
                    limit);
      continue;
    }
    if (row.decided != kUndecided) {
      ++problems.decided_twice;
      problems.Note(where + ": decided twice", limit);
      continue;
    }
    Decision word;
    row.decided =
        DecisionOfWord(fields[decision], word) ? static_cast<uint8_t>(word) : kUnknownWord;
  }
}

std::string Percent(uint64_t part, uint64_t whole) {
  char text[32];
  std::snprintf(
      text, sizeof text, "%.2f %%",
      whole == 0 ? 100.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole));
  return text;
}

}  // namespace

int ScoreDecisions(const std::string& truth_path, const std::string& qsos_path,
                   const ScoreBounds& bounds, std::ostream& out, std::ostream& errors) {
  TruthTable truth;
  Problems problems;
  try {
    truth.Read(truth_path);
    ReadDecisions(qsos_path, truth, problems, bounds.examples);
  } catch (const std::exception& error) {
    errors << "qxqy-contest-sim: " << error.what() << "\n";
    return 2;
  }

  // By truth: lines, and what they were decided (the decision words, then
  // an unknown word, then none).
  std::array<std::array<uint64_t, kColumnsShown>, kDecisionCount> table{};
  const auto column = [](uint8_t decided) {
    if (decided == kUndecided) return kDecisionCount + 1;
    if (decided == kUnknownWord) return kDecisionCount;
    return static_cast<int>(decided);
  };
  uint64_t happened = 0;
  uint64_t false_nil = 0;
  uint64_t undecided = 0;
  std::map<std::string, uint64_t> mismatch_causes;
  std::vector<std::string> mismatches;
  truth.ForEach([&](const std::string& file, size_t number, const TruthRow& row) {
    table[row.truth][static_cast<size_t>(column(row.decided))]++;
    if (row.decided == kUndecided) ++undecided;
    if (row.happened) {
      ++happened;
      if (row.decided == static_cast<uint8_t>(Decision::kNil) ||
          row.decided == static_cast<uint8_t>(Decision::kBustedCall)) {
        ++false_nil;
      }
    }
    if (row.decided != row.truth) {
      const std::string key = std::string(WordOf(row.truth)) + " -> " +
                              std::string(WordOf(row.decided)) + " (" + truth.Cause(row.cause) +
                              ")";
      ++mismatch_causes[key];
      if (mismatches.size() < bounds.examples) {
        mismatches.push_back(file + ":" + std::to_string(number) + ": " + key);
      }
    }
  });

  char line[256];
  std::snprintf(line, sizeof line, "%-16s %9s %9s %9s  %s\n", "truth", "lines", "as truth",
                "accuracy", "decided instead");
  out << line;
  uint64_t total = 0;
  uint64_t right = 0;
  for (int kind = 0; kind < kDecisionCount; ++kind) {
    const auto& counts = table[static_cast<size_t>(kind)];
    uint64_t lines = 0;
    std::string instead;
    for (int decided = 0; decided < kColumnsShown; ++decided) {
      const uint64_t count = counts[static_cast<size_t>(decided)];
      lines += count;
      if (decided == kind || count == 0) continue;
      const uint8_t code = decided == kDecisionCount       ? kUnknownWord
                           : decided == kDecisionCount + 1 ? kUndecided
                                                           : static_cast<uint8_t>(decided);
      if (!instead.empty()) instead += ", ";
      instead += std::string(WordOf(code)) + " " + std::to_string(count);
    }
    if (lines == 0) continue;
    const uint64_t as_truth = counts[static_cast<size_t>(kind)];
    total += lines;
    right += as_truth;
    std::snprintf(line, sizeof line, "%-16s %9" PRIu64 " %9" PRIu64 " %9s",
                  std::string(DecisionWord(static_cast<Decision>(kind))).c_str(), lines, as_truth,
                  Percent(as_truth, lines).c_str());
    out << line << (instead.empty() ? "" : "  ") << instead << "\n";
  }
  std::snprintf(line, sizeof line, "%-16s %9" PRIu64 " %9" PRIu64 " %9s\n", "all", total, right,
                Percent(right, total).c_str());
  out << line;
  const double per_2000 =
      happened == 0 ? 0.0 : 2000.0 * static_cast<double>(false_nil) / static_cast<double>(happened);
  std::snprintf(line, sizeof line,
                "lines of contacts that happened: %" PRIu64 ", judged nil or busted-call: %" PRIu64
                " (%.3f per 2,000)\n",
                happened, false_nil, per_2000);
  out << line;
  if (!mismatch_causes.empty()) {
    std::vector<std::pair<uint64_t, std::string>> ranked;
    for (const auto& [key, count] : mismatch_causes) ranked.emplace_back(count, key);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    out << "decided otherwise, by truth -> decision (simulated cause own/other):\n";
    for (size_t i = 0; i < ranked.size() && i < 20; ++i) {
      out << "  " << ranked[i].first << "  " << ranked[i].second << "\n";
    }
    for (const std::string& example : mismatches) out << "  e.g. " << example << "\n";
  }

  int status = 0;
  const double accuracy =
      total == 0 ? 1.0 : static_cast<double>(right) / static_cast<double>(total);
  if (undecided > 0) {
    errors << "qxqy-contest-sim: " << undecided << " lines of the truth have no decision\n";
    status = 1;
  }
  if (problems.unknown_lines > 0 || problems.decided_twice > 0) {
    errors << "qxqy-contest-sim: " << problems.unknown_lines
           << " decisions for lines the truth does not hold, " << problems.decided_twice
           << " lines decided twice\n";
    for (const std::string& example : problems.examples) errors << "  " << example << "\n";
    status = 1;
  }
  if (bounds.min_accuracy && accuracy < *bounds.min_accuracy) {
    errors << "qxqy-contest-sim: accuracy " << Percent(right, total) << " is below "
           << *bounds.min_accuracy * 100 << " %\n";
    status = 1;
  }
  if (bounds.max_false_nil_per_2000 && happened > 0 && per_2000 >= *bounds.max_false_nil_per_2000) {
    errors << "qxqy-contest-sim: " << per_2000 << " lines per 2,000 of contacts that happened "
           << "judged nil or busted-call, not fewer than " << *bounds.max_false_nil_per_2000
           << "\n";
    status = 1;
  }
  return status;
}

}  // namespace qxqy::contest_sim
