#include "crosscheck/decision.h"

#include <array>

namespace qxqy::crosscheck {
namespace {

constexpr std::array<std::string_view, kDecisionCount> kWords = {
    "ok",           "dupe",           "not-scored",  "set-aside", "busted-exchange",
    "band-or-mode", "nil-their-bust", "busted-call", "nil",       "unverified",
    "unique"};

}  // namespace

std::string_view DecisionWord(Decision decision) { return kWords[static_cast<size_t>(decision)]; }

std::optional<Decision> DecisionOfWord(std::string_view word) {
  for (size_t i = 0; i < kWords.size(); ++i) {
    if (kWords[i] == word) return static_cast<Decision>(i);
  }
  return std::nullopt;
}

bool IsCredited(Decision decision, bool remove_uniques) {
  return decision == Decision::kOk || decision == Decision::kUnverified ||
         (decision == Decision::kUnique && !remove_uniques);
}

}  // namespace qxqy::crosscheck
