// Holds a file open for writing the way another program would, so that an
// open with write access denied to others fails while the object lives.
#pragma once

#include <memory>
#include <string>

namespace qxqy::testing {

class FileWriteLock {
 public:
  // Opens the existing file `path` for writing; throws std::runtime_error
  // when it cannot.
  explicit FileWriteLock(const std::string& path);
  ~FileWriteLock();
  FileWriteLock(const FileWriteLock&) = delete;
  FileWriteLock& operator=(const FileWriteLock&) = delete;

 private:
  struct Holder;
  std::unique_ptr<Holder> holder_;
};

}  // namespace qxqy::testing
