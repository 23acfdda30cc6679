// The country file, in the common cty.dat layout: for each entity a header
// line of eight colon-ended fields (name, CQ zone, ITU zone, continent,
// latitude, longitude, UTC offset, primary prefix), then its prefixes and
// exact calls ("=CALL"), separated by commas and ended by ";", over as many
// lines as it likes. Overrides in brackets after a prefix ((zone), [zone],
// <lat/long>, {continent}, ~offset~) are read past; a "*" before the primary
// prefix is dropped.
//
// A call resolves to an entity by, in order: the exact entry of the whole
// call; the longest prefix of its designator (see SplitCall) when it has one
// that is not a lone digit; else the exact entry of the call without its
// suffixes and lone digit, then that call's longest prefix. Lookups cost,
// without allocation and whatever the file's size, one hash search for each
// length of the call's start that a filter cannot rule out (mostly only the
// prefix found).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "logfile/call_parts.h"
#include "logfile/text_index.h"

namespace qxqy::logfile {

// A country file that cannot be read: "FILE:LINE: reason".
class CountryFileError : public Error {
 public:
  explicit CountryFileError(const std::string& message) : Error(message) {}
};

class CountryFile {
 public:
  struct Entity {
    std::string name;
    std::string primary_prefix;  // upper case, without "*"
  };

  // Reads the text of a country file; `source` names it in messages.
  // Throws CountryFileError for a header without its eight fields, an entity
  // whose list never ends, or text outside any entity.
  static CountryFile Parse(std::string_view text, const std::string& source);

  // The entity of `call` (upper case, trimmed), or null when none matches.
  const Entity* Lookup(std::string_view call) const;
  // The same, given also `call` taken apart (SplitCall).
  const Entity* Lookup(std::string_view call, const CallParts& parts) const;

  size_t EntityCount() const { return entities_.size(); }

 private:
  const Entity* LongestPrefix(std::string_view text) const;
  const Entity* Exact(std::string_view call) const;
  void AddAlias(std::string_view alias, uint32_t entity);

  std::vector<Entity> entities_;
  TextIndex prefixes_;
  TextIndex exact_calls_;
  // For each first byte, the length of the longest prefix starting with it:
  // a lookup starts there.
  std::array<size_t, 256> longest_prefix_by_start_{};
  // A filter over every prefix's length, first two bytes and last byte: a
  // clear bit means no prefix has them, so that length of a call costs no
  // hash search. A set bit may be shared, and the search then decides.
  static constexpr int kFilterBitsLog2 = 17;
  static uint32_t FilterBit(std::string_view prefix);
  std::vector<bool> prefix_filter_ = std::vector<bool>(size_t{1} << kFilterBitsLog2);
};

}  // namespace qxqy::logfile
