// Call signs one edit apart, as the contest check compares them: one
// character changed, added or dropped, or two neighbours swapped.
//
// The simulator busts a call by one such edit, and keeps every invented
// call (the stations' own, the busted ones, the calls nobody has) far
// enough from the stations' calls that no rule of the check can mistake
// one station for another by chance: `CallNeighbourhood` answers whether a
// candidate is within one edit of a station's call, conservatively (it
// also refuses some calls two edits away), from the calls' one-character
// deletions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "tools/contest_sim/sim_random.h"

namespace qxqy::contest_sim {

// True when `a` and `b` differ by exactly one edit (change, insertion,
// deletion or swap of two neighbours). Equal calls are not one edit apart.
bool OneEditApart(std::string_view a, std::string_view b);

// A call one edit away from `call` (which is not empty) over the letters
// and digits, different from `call`: one of the four edits at a random
// place. A deletion is not made from a call of three characters or fewer.
std::string OneEditVariant(std::string_view call, SimRandom& random);

class CallNeighbourhood {
 public:
  static constexpr uint32_t kNobody = UINT32_MAX;

  // Records `call` as the call of station `owner`.
  void Add(std::string_view call, uint32_t owner);

  // True when `candidate` is within one edit of no station's call but
  // perhaps `allowed`'s (kNobody: of none at all). A candidate equal to a
  // station's call is refused unless it is `allowed`'s own call, which the
  // caller never offers (a variant differs from its call).
  bool FarFromAllBut(std::string_view candidate, uint32_t allowed) const;

 private:
  static constexpr uint32_t kSeveral = UINT32_MAX - 1;
  void Mark(std::string key, uint32_t owner);
  bool KeyFree(const std::string& key, uint32_t allowed) const;

  // A call and each of its one-character deletions, to the station it
  // came from (kSeveral when more than one).
  std::unordered_map<std::string, uint32_t> keys_;
};

}  // namespace qxqy::contest_sim
