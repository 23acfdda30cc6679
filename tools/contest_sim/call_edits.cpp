#include "tools/contest_sim/call_edits.h"

namespace qxqy::contest_sim {
namespace {

constexpr std::string_view kCallAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

char RandomCallCharacter(SimRandom& random) {
  return kCallAlphabet[random.Below(static_cast<uint32_t>(kCallAlphabet.size()))];
}

// True when deleting one character of `longer` gives `shorter`.
bool OneDeletionApart(std::string_view longer, std::string_view shorter) {
  size_t i = 0;
  while (i < shorter.size() && longer[i] == shorter[i]) ++i;
  return longer.substr(i + 1) == shorter.substr(i);
}

}  // namespace

bool OneEditApart(std::string_view a, std::string_view b) {
  if (a.size() == b.size()) {
    size_t first = 0;
    while (first < a.size() && a[first] == b[first]) ++first;
    if (first == a.size()) return false;  // equal
    size_t last = a.size() - 1;
    while (a[last] == b[last]) --last;
    if (first == last) return true;                                          // one change
    return last == first + 1 && a[first] == b[last] && a[last] == b[first];  // a swap
  }
  if (a.size() == b.size() + 1) return OneDeletionApart(a, b);
  if (b.size() == a.size() + 1) return OneDeletionApart(b, a);
  return false;
}

std::string OneEditVariant(std::string_view call, SimRandom& random) {
  std::string variant(call);
  for (;;) {
    const auto at = random.Below(static_cast<uint32_t>(call.size()));
    switch (random.Below(4)) {
      case 0:  // change
        variant[at] = RandomCallCharacter(random);
        break;
      case 1:  // insert before `at` or at the end
        variant.insert(variant.begin() + random.Below(static_cast<uint32_t>(call.size() + 1)),
                       RandomCallCharacter(random));
        break;
      case 2:  // delete
        if (call.size() <= 3) continue;
        variant.erase(at, 1);
        break;
      default:  // swap with the next
        if (at + 1 >= call.size()) continue;
        std::swap(variant[at], variant[at + 1]);
        break;
    }
    if (variant != call) return variant;
    variant.assign(call);
  }
}

void CallNeighbourhood::Mark(std::string key, uint32_t owner) {
  auto [it, added] = keys_.emplace(std::move(key), owner);
  if (!added && it->second != owner) it->second = kSeveral;
}

void CallNeighbourhood::Add(std::string_view call, uint32_t owner) {
  Mark(std::string(call), owner);
  for (size_t i = 0; i < call.size(); ++i) {
    std::string deleted(call);
    deleted.erase(i, 1);
    Mark(std::move(deleted), owner);
  }
}

bool CallNeighbourhood::KeyFree(const std::string& key, uint32_t allowed) const {
  const auto it = keys_.find(key);
  return it == keys_.end() || (allowed != kNobody && it->second == allowed);
}

bool CallNeighbourhood::FarFromAllBut(std::string_view candidate, uint32_t allowed) const {
  // Two calls within one edit share a key: the shorter is a deletion of the
  // longer, or both lose the changed (or one swapped) character the same way.
  std::string key(candidate);
  if (!KeyFree(key, allowed)) return false;
  for (size_t i = 0; i < candidate.size(); ++i) {
    key.assign(candidate);
    key.erase(i, 1);
    if (!KeyFree(key, allowed)) return false;
  }
  return true;
}

}  // namespace qxqy::contest_sim
