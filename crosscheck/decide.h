// The decision of every contact line of the checked logs.
//
// Pairing comes first, for the whole contest: a line of A to B on a band
// and mode is paired with a line of B to A on the same band and mode within
// the window (corrected times, inclusive), nearest first, one to one; ties
// go by the lines' times, then by the calls as logged, then by file order
// within a log, never by the files' names. A paired line is ok when its
// received exchange equals what the other side sent (trimmed, letter case
// ignored), else busted-exchange. An unpaired line is then decided by the
// first rule that applies: band-or-mode, nil-their-bust, busted-call, nil,
// unverified or unique (see the user guide).
#pragma once

#include "crosscheck/contest_index.h"

namespace qxqy::crosscheck {

// Decides every line that is not a dupe, sets its evidence, and fills each
// checked log's not_in_log and busted_our_call lists.
void DecideLines(ContestResults& results, ContestIndex& index);

// True when a received exchange matches a sent one: equal once trimmed,
// ignoring ASCII letter case.
bool SameExchange(std::string_view received, std::string_view sent);

}  // namespace qxqy::crosscheck
