#include "crosscheck/output_files.h"

#include <algorithm>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <optional>
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
// slow for thousands of files written again and again.
class FileOut {
 public:
  explicit FileOut(fs::path path) : path_(std::move(path)) {
    std::error_code ignored;
    if (fs::is_regular_file(path_, ignored)) {
      out_.open(path_, std::ios::binary | std::ios::in | std::ios::out);
      in_place_ = out_.is_open();
    }
    if (!in_place_) out_.open(path_, std::ios::binary);
    if (!out_) throw OutputError("cannot write " + Named(path_));
  }

  std::ostream& stream() { return out_; }

  void Close() {
    const std::streamoff size = out_.tellp();
    out_.close();
    bool whole = !out_.fail() && size >= 0;
    if (whole && in_place_) {
      std::error_code error;
      fs::resize_file(path_, static_cast<uintmax_t>(size), error);
      whole = !error;
    }
    if (!whole) throw OutputError("cannot write " + Named(path_) + " whole");
  }

 private:
  fs::path path_;
  std::ofstream out_;
  bool in_place_ = false;
};

}  // namespace

class OutputFiles::PiecedFile {
 public:
  PiecedFile(fs::path path, size_t pieces, std::function<void(size_t, std::string&)> piece)
      : path_(std::move(path)), piece_(std::move(piece)), ready_(pieces), has_(pieces, false) {}

  // Formats piece `i`, then writes every piece that is next in order.
  void Run(size_t i) {
    std::string text;
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
      const std::string piece = std::move(ready_[next_]);
      ready_[next_] = std::string();
      lock.unlock();
      try {
        if (!out_) out_.emplace(path_);
        out_->stream().write(piece.data(), static_cast<std::streamsize>(piece.size()));
        if (!out_->stream()) throw OutputError("cannot write " + Named(path_) + " whole");
      } catch (...) {
        Fail();
        throw;
      }
      lock.lock();
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
  size_t next_ = 0;  // the next piece to write
  size_t held_ = 0;  // pieces in ready_
  bool writing_ = false;
  bool failed_ = false;
  std::optional<FileOut> out_;  // opened by the first piece written
};

OutputFiles::OutputFiles(fs::path folder) : folder_(std::move(folder)) {
  subfolders_.push_back(folder_);
}

OutputFiles::~OutputFiles() = default;

void OutputFiles::Add(const std::string& name, std::function<void(std::ostream&)> write) {
  const fs::path path = folder_ / name;
  if (std::find(subfolders_.begin(), subfolders_.end(), path.parent_path()) == subfolders_.end()) {
    subfolders_.push_back(path.parent_path());
  }
  jobs_.push_back({[path, write = std::move(write)] {
    FileOut out(path);
    write(out.stream());
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
  if (std::find(subfolders_.begin(), subfolders_.end(), path.parent_path()) == subfolders_.end()) {
    subfolders_.push_back(path.parent_path());
  }
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
