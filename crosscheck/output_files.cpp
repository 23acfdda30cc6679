#include "crosscheck/output_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <sstream>
#include <string_view>
#include <system_error>
#include <utility>

#include "crosscheck/parallel.h"
#include "crosscheck/result_writers.h"

namespace qxqy::crosscheck {
namespace {

namespace fs = std::filesystem;

// At most this many pieces of one file formatted and not yet written.
constexpr size_t kMaxHeldPieces = 4;

std::string Named(const fs::path& path) { return Printable(path.string()); }

// One output file written from its start. A file already there is written
// over in place and cut to its new length once written, not cut to nothing
// first (nor removed and made again): the file system then reuses its
// blocks and its inode, where a file cut to nothing makes it flush the new
// bytes on closing and a new file makes it search for a free inode, both
// slow for thousands of files written again and again. It is cut only when
// it was longer: a cut costs the file system an update even when the
// length stays. Written straight to the file, unbuffered: the callers hand
// over whole texts.
class FileOut {
 public:
  explicit FileOut(fs::path path)
      : path_(std::move(path)), fd_(::open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666)) {
    if (fd_ < 0) throw OutputError("cannot write " + Named(path_) + ": " + std::strerror(errno));
  }
  ~FileOut() {
    if (fd_ >= 0) (void)::close(fd_);
  }
  FileOut(const FileOut&) = delete;
  FileOut& operator=(const FileOut&) = delete;

  void Write(std::string_view text) {
    while (!text.empty()) {
      const ssize_t written = ::write(fd_, text.data(), text.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) Fail();
      text.remove_prefix(static_cast<size_t>(written));
      size_ += static_cast<size_t>(written);
    }
  }

  void Close() {
    struct stat info;
    const bool cut = ::fstat(fd_, &info) == 0 && (info.st_size <= static_cast<off_t>(size_) ||
                                                  ::ftruncate(fd_, static_cast<off_t>(size_)) == 0);
    const int error = errno;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!cut) errno = error;
    if (!cut || !closed) Fail();
  }

 private:
  [[noreturn]] void Fail() const {
    throw OutputError("cannot write " + Named(path_) + " whole: " + std::strerror(errno));
  }

  fs::path path_;
  int fd_;
  size_t size_ = 0;
};

}  // namespace

class OutputFiles::PiecedFile {
 public:
  PiecedFile(fs::path path, size_t pieces, std::function<void(size_t, std::string&)> piece)
      : path_(std::move(path)), piece_(std::move(piece)), ready_(pieces), has_(pieces, false) {}

  // Formats piece `i`, then writes every piece that is next in order.
  void Run(size_t i) {
    std::string text = TakeSpare();
    try {
      piece_(i, text);
    } catch (...) {
      Fail();
      throw;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    // The next piece in order always goes on: the others wait for it.
    drained_.wait(lock, [&] { return failed_ || i == next_ || held_ < kMaxHeldPieces; });
    if (failed_) return;
    ready_[i] = std::move(text);
    has_[i] = true;
    ++held_;
    if (writing_) return;  // the writing thread takes it in turn
    writing_ = true;
    while (next_ < ready_.size() && has_[next_]) {
      std::string piece = std::move(ready_[next_]);
      ready_[next_] = std::string();
      lock.unlock();
      try {
        if (!out_) out_.emplace(path_);
        out_->Write(piece);
      } catch (...) {
        Fail();
        throw;
      }
      lock.lock();
      piece.clear();
      spare_.push_back(std::move(piece));
      ++next_;
      --held_;
      drained_.notify_all();
    }
    writing_ = false;
    if (next_ == ready_.size()) {
      lock.unlock();
      if (!out_) out_.emplace(path_);
      out_->Close();
    }
  }

 private:
  // An empty string for a piece: one written before, whose room (and the
  // memory pages behind it) is used again, when there is one.
  std::string TakeSpare() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (spare_.empty()) return {};
    std::string text = std::move(spare_.back());
    spare_.pop_back();
    return text;
  }

  void Fail() {
    const std::lock_guard<std::mutex> lock(mutex_);
    failed_ = true;
    writing_ = false;
    drained_.notify_all();
  }

  const fs::path path_;
  const std::function<void(size_t, std::string&)> piece_;
  std::mutex mutex_;
  std::condition_variable drained_;
  std::vector<std::string> ready_;  // by piece: formatted, not yet written
  std::vector<bool> has_;
  std::vector<std::string> spare_;  // pieces written, emptied for the next ones
  size_t next_ = 0;                 // the next piece to write
  size_t held_ = 0;                 // pieces in ready_
  bool writing_ = false;
  bool failed_ = false;
  std::optional<FileOut> out_;  // opened by the first piece written
};

OutputFiles::OutputFiles(fs::path folder) : folder_(std::move(folder)) {
  subfolders_.push_back(folder_);
}

OutputFiles::~OutputFiles() = default;

void OutputFiles::AddSubfolderOf(const fs::path& path) {
  if (std::find(subfolders_.begin(), subfolders_.end(), path.parent_path()) == subfolders_.end()) {
    subfolders_.push_back(path.parent_path());
  }
}

void OutputFiles::Add(const std::string& name, std::function<void(std::ostream&)> write) {
  const fs::path path = folder_ / name;
  AddSubfolderOf(path);
  jobs_.push_back({[path, write = std::move(write)] {
    std::ostringstream text;
    write(text);
    FileOut out(path);
    out.Write(text.str());
    out.Close();
  }});
}

void OutputFiles::AddText(const std::string& name, std::function<void(std::string&)> text) {
  const fs::path path = folder_ / name;
  AddSubfolderOf(path);
  jobs_.push_back({[path, text = std::move(text)] {
    // Each thread keeps its text's room from file to file.
    thread_local std::string formatted;
    formatted.clear();
    text(formatted);
    FileOut out(path);
    out.Write(formatted);
    out.Close();
  }});
}

void OutputFiles::AddInPieces(const std::string& name, size_t pieces,
                              std::function<void(size_t, std::string&)> piece) {
  if (pieces == 0) {
    Add(name, [](std::ostream&) {});
    return;
  }
  const fs::path path = folder_ / name;
  AddSubfolderOf(path);
  pieced_.push_back(std::make_unique<PiecedFile>(path, pieces, std::move(piece)));
  PiecedFile* file = pieced_.back().get();
  for (size_t i = 0; i < pieces; ++i) jobs_.push_back({[file, i] { file->Run(i); }});
}

void OutputFiles::WriteAll(unsigned threads, const std::function<void(size_t, size_t)>& progress) {
  for (const fs::path& folder : subfolders_) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
      throw OutputError("cannot make the output folder " + Named(folder) +
                        (error ? ": " + error.message() : std::string()));
    }
  }
  ParallelFor(
      jobs_.size(), threads, [&](size_t i) { jobs_[i].run(); },
      [&](size_t done) {
        if (progress) progress(done, jobs_.size());
      });
}

}  // namespace qxqy::crosscheck
