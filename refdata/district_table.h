// The district table: the lines of the district file, kept raw and in order
// (the multiplier window lists them), with the name lookup that scoring uses
// to confirm a received district code.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/string_list.h"

namespace qxqy {

class DistrictTable {
 public:
  DistrictTable() = default;

  // Replaces the content and rebuilds the name index.
  void Assign(std::vector<std::string> lines);
  void Clear();

  // The raw lines, first to last.
  const StringList& Lines() const { return lines_; }
  size_t Count() const { return lines_.Count(); }
  const std::string& operator[](size_t index) const { return lines_[index]; }

  // The value of the first line that holds "=" and whose name (the text
  // before its first "=") equals `name` ignoring letter case: the rest of
  // that line after the "=", untrimmed. Empty when no line has that name.
  // Answered from an index, so the cost does not depend on the table's size.
  // The view stays valid until the table is next assigned or cleared.
  std::string_view ValueOfName(std::string_view name) const;

 private:
  // Where the value of a name's first line starts.
  struct ValuePosition {
    size_t line;
    size_t offset;
  };

  StringList lines_;
  // CaseInsensitiveKey of a name -> value of the first line with that name.
  std::unordered_map<std::string, ValuePosition> first_value_by_name_;
};

}  // namespace qxqy
