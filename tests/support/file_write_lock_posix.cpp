// POSIX has no share modes; the native file access treats a file as held for
// writing when another open file description has a write lock on it.
#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/support/file_write_lock.h"

namespace qxqy::testing {

struct FileWriteLock::Holder {
  int fd = -1;
  ~Holder() {
    if (fd >= 0) ::close(fd);
  }
};

FileWriteLock::FileWriteLock(const std::string& path) : holder_(std::make_unique<Holder>()) {
  holder_->fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (holder_->fd < 0) throw std::runtime_error("cannot open " + path + " for writing");
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  if (::fcntl(holder_->fd, F_OFD_SETLK, &lock) != 0) {
    throw std::runtime_error("cannot lock " + path);
  }
}

FileWriteLock::~FileWriteLock() = default;

}  // namespace qxqy::testing
