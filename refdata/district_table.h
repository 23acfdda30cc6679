// The district table: the lines of the district file, kept raw and in order
// (the multiplier window lists them), with the name lookup that scoring uses
// to confirm a received district code.
#pragma once

#include <cstddef>
#include <cstdint>
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
  // Answered from an index, so the cost does not depend on the table's size;
  // a name written exactly as in some line is answered without folding its
  // case. The view stays valid until the table is next assigned or cleared.
  std::string_view ValueOfName(std::string_view name) const;

 private:
  // Where the value of a name's first line starts.
  struct ValuePosition {
    size_t line;
    size_t offset;
  };
  // A slot of the exact-name index: a name as some line writes it (the
  // first `name_size` bytes of line `name_line`) with the value that
  // ValueOfName gives for it. `name_line` is kNoLine in an empty slot.
  struct ExactName {
    uint32_t hash;
    uint32_t name_line;
    size_t name_size;
    ValuePosition value;
  };
  static constexpr uint32_t kNoLine = 0xFFFFFFFFu;

  // The slot of `name` in exact_names_: its entry, or the empty slot where
  // it goes. exact_names_ must not be empty.
  size_t ExactSlot(std::string_view name, uint32_t hash) const;
  void IndexExactNames();

  StringList lines_;
  // CaseInsensitiveKey of a name -> value of the first line with that name.
  std::unordered_map<std::string, ValuePosition> first_value_by_name_;
  // Open addressing over every distinct name as written, a power of two of
  // slots at most half full (empty when no line has a name).
  std::vector<ExactName> exact_names_;
};

}  // namespace qxqy
