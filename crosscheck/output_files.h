// The writing phase: the output files of a run, written on a few threads.
//
// Each file is added with the job that writes it: whole, through an
// std::ostream, or in pieces, each formatted on any thread into its own
// text and written to the file in piece order, so that one large file
// (qsos.csv) keeps both cores busy without being held whole in memory.
// Every writer of a run (the results, the reports, any other) adds its
// files to the same plan, and they are written together. What is written
// never depends on the threads' timing.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "base/error.h"

namespace qxqy::crosscheck {

// A file or folder of the output that could not be written; the message
// names it ("cannot write <path>", ...).
class OutputError : public Error {
 public:
  explicit OutputError(const std::string& message) : Error(message) {}
};

class OutputFiles {
 public:
  // Files are written inside `folder` (made with the files' subfolders).
  explicit OutputFiles(std::filesystem::path folder);
  ~OutputFiles();
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // `name` (a path below the folder) written whole by `write`.
  void Add(const std::string& name, std::function<void(std::ostream&)> write);
  // `name` written whole from the text `text` appends to its (empty) string.
  void AddText(const std::string& name, std::function<void(std::string&)> text);
  // `name` written in `pieces` parts: `piece(i, text)` appends part i to
  // `text` (empty when called). Parts may be formatted on any thread, at
  // the same time; they are written in order, at most a few held at once.
  void AddInPieces(const std::string& name, size_t pieces,
                   std::function<void(size_t, std::string&)> piece);

  // How many jobs WriteAll runs (a whole file or a piece each).
  size_t jobs() const { return jobs_.size(); }

  // Makes the folders and writes every file added, on up to `threads`
  // threads; `progress(done, total)` is told the jobs done, on the calling
  // thread. Throws OutputError for the first file (in the order added)
  // that could not be written whole; the others are still written.
  void WriteAll(unsigned threads, const std::function<void(size_t, size_t)>& progress);

 private:
  class PiecedFile;
  void AddSubfolderOf(const std::filesystem::path& path);
  struct Job {
    std::function<void()> run;
  };

  std::filesystem::path folder_;
  std::vector<std::filesystem::path> subfolders_;
  std::vector<Job> jobs_;
  std::vector<std::unique_ptr<PiecedFile>> pieced_;
};

}  // namespace qxqy::crosscheck
