#include "tools/contest_sim/csv_reader.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace qxqy::contest_sim {

CsvReader::CsvReader(const std::string& path)
    : path_(path), file_(std::fopen(path.c_str(), "rb")), buffer_(1 << 20) {
  if (file_ == nullptr) {
    throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
  }
}

CsvReader::~CsvReader() { std::fclose(file_); }

bool CsvReader::Fill() {
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  position_ = 0;
  if (end_ == 0 && std::ferror(file_)) throw std::runtime_error("cannot read " + path_);
  return end_ > 0;
}

bool CsvReader::Next(std::vector<std::string>& fields) {
  size_t count = 0;
  bool quoted = false;
  bool after_quote = false;  // a quote inside quotes: closing, or the first of two
  bool any = false;          // something besides the line break was read
  record_line_ = line_;
  const auto field = [&]() -> std::string& {
    if (fields.size() <= count) fields.emplace_back();
    return fields[count];
  };
  field().clear();
  for (;;) {
    if (position_ == end_ && !Fill()) break;
    const char c = buffer_[position_++];
    if (c == '\n') ++line_;
    if (quoted) {
      if (after_quote) {
        after_quote = false;
        if (c == '"') {
          field() += '"';
          continue;
        }
        quoted = false;  // the quote closed the field; `c` is read below
      } else if (c == '"') {
        after_quote = true;
        continue;
      } else {
        field() += c;
        continue;
      }
    }
    if (c == '"' && field().empty()) {
      quoted = true;
      any = true;
    } else if (c == ',') {
      ++count;
      field().clear();
      any = true;
    } else if (c == '\n') {
      if (any) break;
      record_line_ = line_;
    } else if (c != '\r') {
      field() += c;
      any = true;
    }
  }
  if (!any) return false;
  fields.resize(count + 1);
  return true;
}

}  // namespace qxqy::contest_sim
