// The bytes of a log file read front to back through a fixed buffer, with
// the number of the line being read. Lines end at CR LF, LF or a lone CR.
// Memory stays the size of the buffer whatever the file holds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/error.h"

namespace qxqy::logfile {

// A log file that cannot be read at all.
class LogReadError : public Error {
 public:
  explicit LogReadError(const std::string& message) : Error(message) {}
};

class ByteSource {
 public:
  // Reads the file at `path`; throws LogReadError when it cannot be opened.
  explicit ByteSource(const std::string& path);
  // Reads `bytes`, which must outlive the source (tests, fuzzers). The tag
  // keeps a std::string of bytes from being taken for a path.
  struct InMemory {};
  ByteSource(InMemory, std::string_view bytes);
  ~ByteSource();
  ByteSource(const ByteSource&) = delete;
  ByteSource& operator=(const ByteSource&) = delete;

  // The next byte (0 to 255), or -1 at the end. Throws LogReadError when
  // the file cannot be read further (a folder, an I/O error).
  int Get() {
    if (pos_ == end_ && !Refill()) return -1;
    const auto c = static_cast<unsigned char>(*pos_++);
    ++consumed_;
    // CR LF is one line end: the LF after a CR is not counted again.
    if (c == '\r' || (c == '\n' && !after_cr_)) ++line_;
    after_cr_ = c == '\r';
    return c;
  }
  // The next byte without taking it, or -1 at the end.
  int Peek() {
    if (pos_ == end_ && !Refill()) return -1;
    return static_cast<unsigned char>(*pos_);
  }

  // The line the next byte stands on, from 1.
  uint32_t line() const { return line_; }
  // How many bytes were read so far.
  uint64_t consumed() const { return consumed_; }

  // The bytes read ahead and not yet taken (up to the buffer's 64 KB from a
  // file): enough to recognise a format by. Empty at the end.
  std::string_view Ahead() {
    Peek();
    return std::string_view(pos_, static_cast<size_t>(end_ - pos_));
  }

  // Takes a UTF-8 byte order mark if the text starts with one.
  void SkipByteOrderMark();

  // Reads the rest of the current line (without its end), at most `cap`
  // bytes of it; the rest of a longer line is read past and `overlong` set.
  // `line` views the bytes: in the buffer when the line lies within it,
  // else in `storage`; it stays valid until the next read. False at the end
  // of the text.
  bool ReadLine(std::string& storage, std::string_view& line, size_t cap, bool& overlong);

  // The size of the file in bytes as it was when opened, or 0 when not
  // known: a hint for reserving memory, not a limit.
  uint64_t SizeHint() const { return size_hint_; }

 private:
  bool Refill();
  // The first CR or LF from pos_ on in the buffer, or end_ when none.
  const char* NextLineEnd();

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string buffer_;
  const char* pos_ = nullptr;
  const char* end_ = nullptr;
  // The first LF at or after pos_ as last searched (end_ when none, null
  // when the buffer's bytes were not searched yet): kept,
  // so that a text whose lines end in CR alone is not searched to the end
  // of the buffer for an LF on every line.
  const char* next_lf_ = nullptr;
  uint64_t consumed_ = 0;
  uint64_t size_hint_ = 0;
  uint32_t line_ = 1;
  bool after_cr_ = false;
};

}  // namespace qxqy::logfile
