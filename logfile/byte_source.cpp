#include "logfile/byte_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace qxqy::logfile {
namespace {

constexpr size_t kBufferSize = size_t{64} * 1024;

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

ByteSource::ByteSource(const std::string& path) : path_(path) {
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) throw LogReadError("Cannot open file " + path + ": " + Reason(errno));
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (!error) size_hint_ = size;
  buffer_.resize(kBufferSize);
  pos_ = end_ = buffer_.data();
}

ByteSource::ByteSource(InMemory, std::string_view bytes)
    : pos_(bytes.data()), end_(bytes.data() + bytes.size()), size_hint_(bytes.size()) {}

ByteSource::~ByteSource() {
  // Read only: nothing is lost when closing fails.
  if (file_ != nullptr) static_cast<void>(std::fclose(file_));
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
  next_lf_ = nullptr;  // not searched in these bytes yet
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

const char* ByteSource::NextLineEnd() {
  if (next_lf_ == nullptr || next_lf_ < pos_) {
    const void* lf = std::memchr(pos_, '\n', static_cast<size_t>(end_ - pos_));
    next_lf_ = lf != nullptr ? static_cast<const char*>(lf) : end_;
  }
  const void* cr = std::memchr(pos_, '\r', static_cast<size_t>(next_lf_ - pos_));
  return cr != nullptr ? static_cast<const char*>(cr) : next_lf_;
}

bool ByteSource::ReadLine(std::string& storage, std::string_view& line, size_t cap,
                          bool& overlong) {
  overlong = false;
  if (Peek() < 0) return false;
  // Whole runs of the buffer up to the next line end at a time; the line
  // end itself goes through Get, which counts it. A line that ends within
  // the buffer it started in, with its line end and the byte after it, is
  // not copied: taking the line end cannot refill the buffer under it.
  bool copied = false;
  storage.clear();
  while (Peek() >= 0) {
    const char* run_end = NextLineEnd();
    const auto run = static_cast<size_t>(run_end - pos_);
    const size_t room = cap - std::min(cap, storage.size());
    if (run > room) overlong = true;
    if (end_ - run_end >= 2 && !copied) {
      line = std::string_view(pos_, std::min(run, room));
    } else {
      storage.append(pos_, std::min(run, room));
      copied = true;
    }
    consumed_ += run;
    if (run > 0) after_cr_ = false;
    pos_ = run_end;
    if (pos_ == end_) continue;  // the line goes on in the next buffer
    if (Get() == '\r' && Peek() == '\n') Get();
    break;
  }
  if (copied) line = storage;
  return true;
}

}  // namespace qxqy::logfile
