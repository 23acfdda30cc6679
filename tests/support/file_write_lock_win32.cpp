// On Windows a stream open for writing shares reading and writing, so an
// open that denies write access to others fails while it is held.
#include <fstream>
#include <stdexcept>

#include "tests/support/file_write_lock.h"

namespace qxqy::testing {

struct FileWriteLock::Holder {
  std::ofstream stream;
};

FileWriteLock::FileWriteLock(const std::string& path) : holder_(std::make_unique<Holder>()) {
  holder_->stream.open(path, std::ios::binary | std::ios::app);
  if (!holder_->stream) throw std::runtime_error("cannot open " + path + " for writing");
}

FileWriteLock::~FileWriteLock() = default;

}  // namespace qxqy::testing
