#include "logfile/byte_source.h"

#include <cerrno>
#include <cstring>

namespace qxqy::logfile {
namespace {

constexpr size_t kBufferSize = 64 * 1024;

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

ByteSource::ByteSource(const std::string& path) : path_(path) {
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) throw LogReadError("Cannot open file " + path + ": " + Reason(errno));
  buffer_.resize(kBufferSize);
  pos_ = end_ = buffer_.data();
}

ByteSource::ByteSource(InMemory, std::string_view bytes)
    : pos_(bytes.data()), end_(bytes.data() + bytes.size()) {}

ByteSource::~ByteSource() {
  if (file_ != nullptr) std::fclose(file_);
}

bool ByteSource::Refill() {
  if (file_ == nullptr) return false;
  const size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (got == 0) {
    if (std::ferror(file_)) throw LogReadError("Cannot read file " + path_ + ": " + Reason(errno));
    return false;
  }
  pos_ = buffer_.data();
  end_ = pos_ + got;
  return true;
}

void ByteSource::SkipByteOrderMark() {
  static constexpr unsigned char kMark[] = {0xEF, 0xBB, 0xBF};
  if (consumed_ != 0 || Peek() != kMark[0]) return;
  // The mark is only taken whole; the first fill of the buffer holds the
  // file's first three bytes when it has them.
  if (end_ - pos_ < 3 || static_cast<unsigned char>(pos_[1]) != kMark[1] ||
      static_cast<unsigned char>(pos_[2]) != kMark[2]) {
    return;
  }
  pos_ += 3;
  consumed_ += 3;
}

bool ByteSource::ReadLine(std::string& line, size_t cap, bool& overlong) {
  line.clear();
  overlong = false;
  if (Peek() < 0) return false;
  for (int c; (c = Get()) >= 0;) {
    if (c == '\n') break;
    if (c == '\r') {
      if (Peek() == '\n') Get();
      break;
    }
    if (line.size() < cap) {
      line += static_cast<char>(c);
    } else {
      overlong = true;
    }
  }
  return true;
}

}  // namespace qxqy::logfile
