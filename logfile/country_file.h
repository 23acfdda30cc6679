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
// suffixes and lone digit, then that call's longest prefix. Lookups cost one hash search,
// without allocation, per prefix length the file has with the call's first
// character, whatever the file's size.
#pragma once

#include <array>
#include <bitset>
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
  size_t longest_prefix_ = 0;
  // For each prefix length up to kFilteredLengths, the bytes some prefix of
  // that length starts with: a lookup searches only lengths and first bytes
  // that some prefix has, so most of a call's lengths cost no hash. Longer
  // lengths (no real prefix is that long) are always searched.
  static constexpr size_t kFilteredLengths = 15;
  bool MayHavePrefix(std::string_view text, size_t length) const {
    return length > kFilteredLengths ||
           prefix_starts_[length].test(static_cast<unsigned char>(text[0]));
  }
  std::array<std::bitset<256>, kFilteredLengths + 1> prefix_starts_;
};

}  // namespace qxqy::logfile
