// An ordered list of text lines with name=value access. The name of a line is
// the text before its first "=", the value the text after it. Lines are kept
// exactly as given: not trimmed, not case-changed, not sorted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qxqy {

class StringList {
 public:
  StringList() = default;

  size_t Count() const { return lines_.size(); }
  bool Empty() const { return lines_.empty(); }
  const std::string& operator[](size_t index) const { return lines_[index]; }
  const std::vector<std::string>& Lines() const { return lines_; }

  void Add(std::string line) { lines_.push_back(std::move(line)); }
  void Clear() { lines_.clear(); }
  // Replaces the whole content.
  void Assign(std::vector<std::string> lines) { lines_ = std::move(lines); }

  // Index of the first line equal to `text` ignoring letter case under the
  // user's locale, or -1. A linear search.
  long IndexOf(std::string_view text) const;

  // The value of the first line that holds "=" and whose name equals `name`
  // ignoring letter case; the empty text when no line has that name. The
  // value is the rest of the line after the first "=", untrimmed.
  std::string ValueOfName(std::string_view name) const;

 private:
  std::vector<std::string> lines_;
};

// Splits a line at its first "=". Returns false for a line without "=".
bool SplitNameValue(std::string_view line, std::string_view* name, std::string_view* value);

}  // namespace qxqy
