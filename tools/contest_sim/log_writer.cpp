#include "tools/contest_sim/log_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace qxqy::contest_sim {
namespace {

constexpr uint32_t kBandLowKhz[kBands] = {1800, 3500, 7000, 14000, 21000, 28000};
constexpr int kHeaderLines = 9;  // START-OF-LOG: to CREATED-BY:

class OutputFile {
 public:
  explicit OutputFile(const std::string& path)
      : path_(path), file_(std::fopen(path.c_str(), "wb")) {
    if (file_ == nullptr) Fail("cannot create");
  }
  ~OutputFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(const std::string& bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail("cannot write");
  }
  void Close() {
    const int result = std::fclose(file_);
    file_ = nullptr;
    if (result != 0) Fail("cannot write");
  }

 private:
  [[noreturn]] void Fail(const char* what) const {
    throw std::runtime_error(std::string(what) + " " + path_ + ": " + std::strerror(errno));
  }
  std::string path_;
  std::FILE* file_;
};

void AppendNumber(std::string& out, uint64_t value, int width, char pad) {
  char digits[24];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (int i = count; i < width; ++i) out += pad;
  while (count > 0) out += digits[--count];
}

// The civil date of a day counted from 1970-01-01 (proleptic Gregorian).
void AppendDate(std::string& out, int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto day_of_era = static_cast<uint64_t>(days - era * 146097);
  const uint64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const uint64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const uint64_t mp = (5 * day_of_year + 2) / 153;
  const uint64_t day = day_of_year - (153 * mp + 2) / 5 + 1;
  const uint64_t month = mp < 10 ? mp + 3 : mp - 9;
  const auto year =
      static_cast<uint64_t>(static_cast<int64_t>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0));
  AppendNumber(out, year, 4, '0');
  out += '-';
  AppendNumber(out, month, 2, '0');
  out += '-';
  AppendNumber(out, day, 2, '0');
}

void AppendExchange(std::string& out, bool district, uint32_t value) {
  if (district) {
    out += Districts()[value];
  } else {
    AppendNumber(out, value, 3, '0');
  }
}

void AppendContactLine(std::string& out, const Contest& contest, const Station& station,
                       const SimLine& line) {
  const bool phone = line.mode == Mode::kPhone;
  const char* rst = phone ? "59" : "599";
  out += line.x_qso && line.cause == LineCause::kNotScored ? "X-QSO: " : "QSO: ";
  AppendNumber(out, kBandLowKhz[line.band] + line.khz_offset, 5, ' ');
  out += phone ? " PH " : " CW ";
  const int64_t minutes = static_cast<int64_t>(contest.start_day) * 1440 + line.minute +
                          line.jitter + station.clock_offset;
  const int64_t day = minutes >= 0 ? minutes / 1440 : (minutes - 1439) / 1440;
  const auto of_day = static_cast<uint64_t>(minutes - day * 1440);
  AppendDate(out, day);
  out += ' ';
  AppendNumber(out, of_day / 60, 2, '0');
  AppendNumber(out, of_day % 60, 2, '0');
  out += ' ';
  out += station.call;
  out += ' ';
  out += rst;
  out += ' ';
  AppendExchange(out, station.qxqy, station.qxqy ? station.district : line.sent_serial);
  out += ' ';
  out += contest.calls[line.call];
  out += ' ';
  out += rst;
  // A not-scored QSO: line lacks its last field, so the reader rejects it.
  if (line.cause != LineCause::kNotScored || line.x_qso) {
    out += ' ';
    AppendExchange(out, line.received_district, line.received);
  }
  out += '\n';
}

void AppendHeader(std::string& out, const Station& station, const std::vector<SimLine>& lines) {
  bool cw = false;
  bool phone = false;
  for (const SimLine& line : lines) (line.mode == Mode::kCw ? cw : phone) = true;
  static const char* const kPower[] = {"HIGH", "LOW", "QRP"};
  const uint64_t contacts = lines.size();
  out += "START-OF-LOG: 3.0\nCONTEST: QX-QY-DX\nCALLSIGN: ";
  out += station.call;
  out += station.multi_op ? "\nCATEGORY-OPERATOR: MULTI-OP" : "\nCATEGORY-OPERATOR: SINGLE-OP";
  out += "\nCATEGORY-BAND: ALL\nCATEGORY-POWER: ";
  out += kPower[station.power];
  out += "\nCATEGORY-MODE: ";
  out += cw && phone ? "MIXED" : phone ? "SSB" : "CW";
  out += "\nCLAIMED-SCORE: ";
  AppendNumber(out, contacts * 2 * (10 + contacts / 8), 1, ' ');
  out += "\nCREATED-BY: qxqy-contest-sim\n";
}

void AppendTruth(std::string& out, const std::string& file, uint32_t number, Decision truth,
                 const SimLine& line) {
  out += file;
  out += ',';
  AppendNumber(out, number, 1, ' ');
  out += ',';
  out += DecisionWord(truth);
  out += line.happened ? ",1," : ",0,";
  out += CauseWord(line.cause);
  out += '/';
  out += CauseWord(line.other_cause);
  out += '\n';
}

}  // namespace

std::string LogFileName(const std::string& call) {
  std::string name = call;
  for (char& c : name) {
    if (c == '/') c = '-';
  }
  return name + ".log";
}

WrittenContest WriteContest(const Contest& contest, const std::string& logs_dir,
                            const std::string& truth_path) {
  std::error_code error;
  std::filesystem::create_directories(logs_dir, error);
  if (error) throw std::runtime_error("cannot create folder " + logs_dir + ": " + error.message());
  OutputFile truth_file(truth_path);
  std::string truth = "file,line,truth,happened,cause\n";
  std::string log;
  WrittenContest written;
  const auto write_log = [&](const Station& station, const std::vector<SimLine>& lines,
                             const std::string& name, bool set_aside) {
    log.clear();
    AppendHeader(log, station, lines);
    uint32_t number = kHeaderLines;
    for (const SimLine& line : lines) {
      AppendContactLine(log, contest, station, line);
      AppendTruth(truth, name, ++number, set_aside ? Decision::kSetAside : line.truth, line);
    }
    log += "END-OF-LOG:\n";
    OutputFile file(logs_dir + "/" + name);
    file.Write(log);
    file.Close();
    ++written.files;
    written.lines += lines.size();
    if (truth.size() > (1u << 20)) {
      truth_file.Write(truth);
      truth.clear();
    }
  };
  for (size_t i = 0; i < contest.stations.size(); ++i) {
    const Station& station = contest.stations[i];
    if (!station.sends_log) continue;
    const auto& lines = contest.lines[i];
    write_log(station, lines, LogFileName(station.call), false);
    if (station.second_log_lines > 0) {
      std::vector<SimLine> early;
      for (const SimLine& line : lines) {
        if (early.size() == station.second_log_lines) break;
        if (line.cause != LineCause::kNotScored) early.push_back(line);
      }
      std::string name = LogFileName(station.call);
      name.insert(name.size() - 4, "-2");
      write_log(station, early, name, true);
    }
  }
  truth_file.Write(truth);
  truth_file.Close();
  return written;
}

}  // namespace qxqy::contest_sim
