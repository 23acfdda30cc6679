// Native process and file access. POSIX has no share modes, so "write access
// denied to others" is an open file description read lock: a file that
// another holder has locked for writing cannot be opened.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "base/env.h"
#include "base/error.h"

namespace qxqy::env {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::string HostExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return std::string();
  return std::string(buffer, static_cast<size_t>(length));
}

std::string HostExecutableFolder() {
  const std::string path = HostExecutablePath();
  return path.substr(0, path.rfind('/') + 1);
}

std::string HostExecutableName() {
  std::string name = HostExecutablePath();
  name = name.substr(name.rfind('/') + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

char PathSeparator() { return '/'; }

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ReadFileDenyWrite(const std::string& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) throw FileOpenError(path, std::strerror(errno));
  struct flock lock = {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  if (::fcntl(file.get(), F_OFD_SETLK, &lock) != 0) {
    const bool locked = errno == EAGAIN || errno == EACCES;
    throw FileOpenError(
        path, locked ? "another program holds it open for writing" : std::strerror(errno));
  }

  std::string content;
  struct stat info;
  if (::fstat(file.get(), &info) == 0 && info.st_size > 0) {
    content.reserve(static_cast<size_t>(info.st_size));
  }
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
    if (count < 0) {
      if (errno == EINTR) continue;
      throw FileOpenError(path, std::strerror(errno));
    }
    if (count == 0) break;
    content.append(buffer, static_cast<size_t>(count));
  }
  return content;
}

}  // namespace qxqy::env
