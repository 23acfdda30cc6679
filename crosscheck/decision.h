// The decision the contest check takes for one contact line of a log.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qxqy::crosscheck {

enum class Decision : uint8_t {
  kOk,              // confirmed by the other side's log, exchange as sent
  kDupe,            // the engine's duplicate (same call, band and mode)
  kNotScored,       // the log reader reported the line and did not score it
  kSetAside,        // a line of a log that was not checked
  kBustedExchange,  // confirmed, but the exchange differs from what was sent
  kBandOrMode,      // the other side logged it on another band or mode
  kNilTheirBust,    // the other side logged a busted form of this call
  kBustedCall,      // this log busted the call of a station one edit away
  kNil,             // not in the other side's log
  kUnverified,      // the other side sent no log; others logged it
  kUnique,          // the other side sent no log; nobody else logged it
};
inline constexpr int kDecisionCount = 11;

// The word written for a decision in the outputs ("ok", "busted-call"...).
std::string_view DecisionWord(Decision decision);

// The decision of a word, nullopt for any other text.
std::optional<Decision> DecisionOfWord(std::string_view word);

// True for the decisions that keep the line's credit (unique only while
// uniques are not removed).
bool IsCredited(Decision decision, bool remove_uniques);

}  // namespace qxqy::crosscheck
