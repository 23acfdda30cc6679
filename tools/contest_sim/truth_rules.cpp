#include "tools/contest_sim/truth_rules.h"

#include <array>

namespace qxqy::contest_sim {
namespace {

constexpr std::array<std::string_view, kDecisionCount> kWords = {
    "ok",           "dupe",           "not-scored",  "set-aside", "busted-exchange",
    "band-or-mode", "nil-their-bust", "busted-call", "nil",       "unverified",
    "unique"};

}  // namespace

std::string_view DecisionWord(Decision decision) {
  const auto index = static_cast<size_t>(decision);
  return index < kWords.size() ? kWords[index] : "by-call";
}

bool DecisionOfWord(std::string_view word, Decision& decision) {
  for (size_t i = 0; i < kWords.size(); ++i) {
    if (kWords[i] == word) {
      decision = static_cast<Decision>(i);
      return true;
    }
  }
  return false;
}

Decision DecideContactLine(LineState own, const OtherSide& other) {
  if (!other.sends_log) return Decision::kByCall;
  const bool other_names_us_here =
      other.state == LineState::kRight || other.state == LineState::kExchangeBusted;
  switch (own) {
    case LineState::kRight:
    case LineState::kExchangeBusted:
      // Our line names the other station on the contact's band.
      if (other_names_us_here) {
        return own == LineState::kRight ? Decision::kOk : Decision::kBustedExchange;
      }
      return other.state == LineState::kCallBusted ? Decision::kNilTheirBust
                                                   : Decision::kBandOrMode;
    case LineState::kCallBusted:
      // The other's line to us is left unpaired only when it names us on
      // the contact's band; otherwise nothing explains the busted call.
      return other_names_us_here ? Decision::kBustedCall : Decision::kByCall;
    case LineState::kWrongBand:
      if (other_names_us_here) return Decision::kBandOrMode;
      if (other.state == LineState::kWrongBand) {
        return other.same_wrong_band ? Decision::kOk : Decision::kBandOrMode;
      }
      return Decision::kNil;  // the other busted our call on the real band
  }
  return Decision::kByCall;
}

}  // namespace qxqy::contest_sim
