// Reads a CSV file record by record through a fixed buffer, so files of
// millions of rows never sit in memory whole. Fields are split at commas;
// a field in double quotes may hold commas, line breaks and doubled quotes.
// Records end at LF or CR LF; an empty line is no record.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace qxqy::contest_sim {

class CsvReader {
 public:
  // Throws std::runtime_error when `path` cannot be opened.
  explicit CsvReader(const std::string& path);
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  // The next record's fields; false at the end of the file. Throws
  // std::runtime_error on a read error.
  bool Next(std::vector<std::string>& fields);

  // The line the last record returned started on, counted from 1.
  uint64_t line() const { return record_line_; }
  const std::string& path() const { return path_; }

 private:
  bool Fill();  // false at the end of the file

  std::string path_;
  std::FILE* file_;
  std::vector<char> buffer_;
  size_t position_ = 0;
  size_t end_ = 0;
  uint64_t line_ = 1;
  uint64_t record_line_ = 0;
};

}  // namespace qxqy::contest_sim
