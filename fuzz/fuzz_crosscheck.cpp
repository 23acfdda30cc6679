// Bytes as a small contest: a few logs from small alphabets of stations,
// calls (some one edit apart), bands, modes, times and exchanges, with now
// and then a line of raw bytes. Checks the contest check's invariants:
// every contact line gets exactly one decision; the decisions do not
// depend on the order the files come in nor on their names (renamed in the
// same order, so that a tie between two logs of one station goes the same
// way); a log checked alone decides each line unique, dupe or not-scored.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "crosscheck/contact_rows.h"
#include "crosscheck/contest_check.h"
#include "fuzz/fuzz_check.h"

namespace {

using qxqy::crosscheck::CheckContest;
using qxqy::crosscheck::ContactRow;
using qxqy::crosscheck::ContestOptions;
using qxqy::crosscheck::ContestResults;
using qxqy::crosscheck::Decision;
using qxqy::crosscheck::LogInput;

class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return pos_ >= size_; }
  uint8_t Take() { return pos_ < size_ ? data_[pos_++] : 0; }
  size_t Pick(size_t n) { return Take() % n; }
  std::string TakeText(size_t most) {
    std::string text;
    for (size_t n = Pick(most + 1); n > 0 && !empty(); --n) text += static_cast<char>(Take());
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

constexpr std::string_view kCalls[] = {"QX1AA", "QX1AB",   "QX1BA",     "QY2BB",
                                       "QY2BC", "QY2BB/P", "EA8/QY2BB", "DL1XX"};
constexpr std::string_view kBands[] = {"3525", "7025", "14025", "21025", "5360"};
constexpr std::string_view kModes[] = {"CW", "PH", "RY"};
constexpr std::string_view kExchanges[] = {"AAA", "aaa", "BBB", "001", "X"};

std::string ContestLog(Bytes& in, size_t& contact_lines) {
  std::string text = "START-OF-LOG: 3.0\n";
  if (in.Pick(4) != 0) {
    text += "CALLSIGN: " + std::string(kCalls[in.Pick(std::size(kCalls))]) + "\n";
  }
  const std::string sent_call(kCalls[in.Pick(std::size(kCalls))]);
  for (size_t n = in.Pick(12); n > 0 && !in.empty(); --n) {
    const size_t kind = in.Pick(16);
    if (kind == 0) {
      text += in.TakeText(40) + "\n";  // raw bytes: maybe a line, maybe several
      contact_lines = SIZE_MAX;        // not countable in advance
      continue;
    }
    const int minute = static_cast<int>(in.Pick(40));
    char time[8];
    std::snprintf(time, sizeof time, "12%02d", minute);
    text += std::string(kind == 1 ? "X-QSO: " : "QSO: ") + std::string(kBands[in.Pick(5)]) + " " +
            std::string(kModes[in.Pick(3)]) + " 2026-03-14 " + time + " " + sent_call + " 599 " +
            std::string(kExchanges[in.Pick(5)]) + " " + std::string(kCalls[in.Pick(8)]) + " 599 " +
            std::string(kExchanges[in.Pick(5)]) + "\n";
    if (contact_lines != SIZE_MAX) ++contact_lines;
  }
  return text + "END-OF-LOG:\n";
}

// Each log's rows, keyed by the log's place in file-name order.
std::vector<std::vector<std::string>> Rows(const ContestResults& results) {
  std::vector<std::vector<std::string>> rows(results.logs.size());
  for (size_t l = 0; l < results.logs.size(); ++l) {
    qxqy::crosscheck::ForEachContactRow(results, l, [&](const ContactRow& row) {
      // A set-aside line's evidence names the file that was checked
      // instead: a name, which renaming changes.
      rows[l].push_back(std::to_string(row.line) + " " +
                        std::string(qxqy::crosscheck::DecisionWord(row.decision)) + " " +
                        (row.decision == Decision::kSetAside ? "" : row.evidence));
    });
  }
  return rows;
}

std::string Joined(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) text += "    " + row + "\n";
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  ContestOptions options;
  options.plugins_folder = "/nonexistent/";
  options.threads = 1;
  options.window_minutes = static_cast<int64_t>(in.Pick(4));
  options.remove_uniques = in.Pick(2) == 1;
  std::vector<LogInput> logs;
  std::vector<size_t> expected_lines;
  for (size_t n = 1 + in.Pick(5); n > 0; --n) {
    size_t lines = 0;
    logs.push_back({"log" + std::to_string(logs.size()), "", ContestLog(in, lines)});
    expected_lines.push_back(lines);
  }

  const ContestResults results = CheckContest(logs, options);
  const auto rows = Rows(results);
  for (size_t l = 0; l < rows.size(); ++l) {
    size_t counted = 0;
    for (size_t count : results.logs[l].decisions) counted += count;
    QXQY_FUZZ_CHECK(counted == rows[l].size(), "log %zu: %zu decisions counted, %zu rows", l,
                    counted, rows[l].size());
    const size_t want = expected_lines[l];
    if (want != SIZE_MAX && results.logs[l].status != qxqy::crosscheck::LogStatus::kUnreadable) {
      QXQY_FUZZ_CHECK(rows[l].size() == want, "log %zu: %zu rows for %zu contact lines", l,
                      rows[l].size(), want);
    }
  }

  // Reversed and renamed in the same order: the same rows, log by log.
  std::vector<LogInput> renamed(logs.rbegin(), logs.rend());
  for (LogInput& log : renamed) log.name = "other-" + log.name;
  options.threads = 2;
  const auto renamed_rows = Rows(CheckContest(renamed, options));
  for (size_t l = 0; l < rows.size(); ++l) {
    QXQY_FUZZ_CHECK(renamed_rows[l] == rows[l],
                    "log %zu's decisions depend on the files' order "
                    "or names:\n%s\n  first:\n%s\n  renamed:\n%s",
                    l, logs[l].bytes->c_str(), Joined(rows[l]).c_str(),
                    Joined(renamed_rows[l]).c_str());
  }

  // Alone, a log's lines are unique, dupes or not scored.
  for (const LogInput& log : logs) {
    const ContestResults alone = CheckContest({log}, options);
    for (const qxqy::crosscheck::LogResult& result : alone.logs) {
      for (size_t d = 0; d < result.decisions.size(); ++d) {
        const auto decision = static_cast<Decision>(d);
        QXQY_FUZZ_CHECK(result.decisions[d] == 0 || decision == Decision::kUnique ||
                            decision == Decision::kDupe || decision == Decision::kNotScored,
                        "%s alone: %zu lines %s", log.name.c_str(), result.decisions[d],
                        std::string(qxqy::crosscheck::DecisionWord(decision)).c_str());
      }
    }
  }
  return 0;
}
