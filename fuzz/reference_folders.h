// Plugins folders for the contest-engine fuzzer, written once per process
// into a temporary directory: each holds one variant of the two reference
// files (or neither), so an input picks its reference data with one byte
// instead of writing files. Removed at process exit.
//
// The variants cover what the rules look at: names in lower case, values
// that differ from their name, repeated names (the first decides), blanks
// around "=", repeated calls (the last decides), high bytes, lines without
// "=", empty values, and the three kinds of line end.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace qxqy::testing {
class TempDir;
}  // namespace qxqy::testing

namespace qxqy::fuzzing {

struct ReferenceFolder {
  // With a trailing separator.
  std::string path;
  // The lines of qx-qy.dom and qx-qy.txt (empty when the file is absent).
  std::vector<std::string> district_lines;
  std::vector<std::string> call_lines;
};

class ReferenceFolders {
 public:
  // Writes every variant; throws std::runtime_error when a file cannot be written.
  ReferenceFolders();
  ~ReferenceFolders();
  ReferenceFolders(const ReferenceFolders&) = delete;
  ReferenceFolders& operator=(const ReferenceFolders&) = delete;

  size_t Count() const { return folders_.size(); }
  const ReferenceFolder& operator[](size_t index) const { return folders_[index]; }

 private:
  std::unique_ptr<testing::TempDir> root_;
  std::vector<ReferenceFolder> folders_;
};

}  // namespace qxqy::fuzzing
