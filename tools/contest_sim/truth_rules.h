// The decision a perfect contest check gives a simulated contact line,
// knowing what really happened: the clock offsets exactly, and so which two
// lines record the same contact.
//
// A contact between A and B is logged by each side that sends a log, each
// line in one state: right, with the exchange copied wrong, with the other's
// call busted (one edit), or on a wrong band. The simulator keeps everything
// else apart (no two stations' calls within one edit, no busted call within
// one edit of a third station, a pair's contacts at least a quarter of an
// hour apart, no pair on one band and mode twice but a deliberate dupe), so
// the check's rules reduce to this table of the two sides' states:
//
//   own line \ other side   right/exchange   busted call      wrong band     sends no log
//   right                   ok               nil-their-bust   band-or-mode   (by the call)
//   exchange copied wrong   busted-exchange  nil-their-bust   band-or-mode   (by the call)
//   busted call             busted-call      (by the call)    (by the call)  (by the call)
//   wrong band              band-or-mode     nil              band-or-mode*  (by the call)
//
// * ok when both sides moved the contact to the same wrong band (the two
// lines then pair). Only unpaired lines are evidence for band-or-mode and
// nil-their-bust: the table's other-side lines are unpaired because of the
// very error they show. "(by the call)" is "unverified" when the line's call
// appears in another checked log, else "unique": the log-wide part, settled
// once every log is written. A line the other side never logged is "nil"
// when the other side sends a log, else by the call; so is a call nobody has.
#pragma once

#include <cstdint>
#include <string_view>

namespace qxqy::contest_sim {

// The check's decision words, in the order the contest check lists them.
enum class Decision : uint8_t {
  kOk,
  kDupe,
  kNotScored,
  kSetAside,
  kBustedExchange,
  kBandOrMode,
  kNilTheirBust,
  kBustedCall,
  kNil,
  kUnverified,
  kUnique,
  kByCall,  // unverified or unique: settled from the other logs
};
inline constexpr int kDecisionCount = 11;  // kByCall is never written

std::string_view DecisionWord(Decision decision);
// The decision named `word`; false when it names none.
bool DecisionOfWord(std::string_view word, Decision& decision);

// How one side logged a contact that happened.
enum class LineState : uint8_t { kRight, kExchangeBusted, kCallBusted, kWrongBand };

struct OtherSide {
  bool sends_log = false;
  LineState state = LineState::kRight;  // when it sends a log
  bool same_wrong_band = false;         // both on a wrong band, the same one
};

// The decision for one side's line of a contact that happened.
Decision DecideContactLine(LineState own, const OtherSide& other);

}  // namespace qxqy::contest_sim
