// Per-band counters and the list that holds one entry per band label.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qxqy {

// The counters of one band. Band is the label exactly as the host wrote it.
struct TStatistic {
  TStatistic(std::string band, int32_t qsos, int32_t points, int32_t districts, int32_t prefixes)
      : Band(std::move(band)),
        Qsos(qsos),
        Points(points),
        Districts(districts),
        Prefixes(prefixes) {}

  std::string Band;
  int32_t Qsos;       // committed contacts that were not duplicates
  int32_t Points;     // the sum of their points
  int32_t Districts;  // district multipliers counted on the band
  int32_t Prefixes;   // prefix multipliers counted on the band
};

// One TStatistic per band label (labels compared byte by byte), in the order
// in which the bands were first committed. A log has a handful of bands, so
// finding one is a short linear search.
class StatList {
 public:
  StatList() = default;

  // The entry whose Band equals `band` (ordinal), or nullptr.
  const TStatistic* Find(std::string_view band) const;

  // The entry of `band`, appended with all counts 0 when there is none yet.
  // The reference stays valid until the next FindOrAdd or Clear. Strong
  // guarantee: if the allocation fails the list is unchanged.
  TStatistic& FindOrAdd(std::string_view band) {
    // Contacts come in runs on one band: the entry found last is tried
    // first, in place.
    if (last_found_ < entries_.size() && SameBand(entries_[last_found_].Band, band)) {
      return entries_[last_found_];
    }
    return FindOrAddBySearch(band);
  }
  // Removes the last entry (one FindOrAdd appended, when a later step of
  // the same change failed). The list must not be empty.
  void RemoveLast() noexcept { entries_.pop_back(); }

  void Clear() { entries_.clear(); }
  size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  const TStatistic& operator[](size_t index) const { return entries_[index]; }
  std::vector<TStatistic>::const_iterator begin() const { return entries_.begin(); }
  std::vector<TStatistic>::const_iterator end() const { return entries_.end(); }

 private:
  // Equal byte for byte; the sizes first, since labels of different bands
  // mostly differ in length. A loop: labels are a few characters long.
  static bool SameBand(const std::string& label, std::string_view band) {
    if (label.size() != band.size()) return false;
    for (size_t i = 0; i < band.size(); ++i) {
      if (label[i] != band[i]) return false;
    }
    return true;
  }
  // Index of the entry of `band`, or Count() when there is none.
  size_t IndexOf(std::string_view band) const;
  TStatistic& FindOrAddBySearch(std::string_view band);

  std::vector<TStatistic> entries_;
  // The index FindOrAdd returned last (any value when out of range).
  size_t last_found_ = 0;
};

}  // namespace qxqy
