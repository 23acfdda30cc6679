// The WPX prefix of a call sign:
// - a call's prefix is the call up to and including its last digit
//   (N8BJQ -> N8, WD8ABC -> WD8, HG19ABC -> HG19, 2E0ABC -> 2E0);
// - a call without a digit gets a 0 after its first two letters
//   (XEFTJW -> XE0);
// - a portable designator becomes the prefix as it is written
//   (N8BJQ/KH9 -> KH9, VP2E/N8BJQ -> VP2E, 9A/N8BJQ -> 9A), one without
//   a digit with a 0 after its letters (PA/N8BJQ -> PA0);
// - a lone digit replaces the digits that end the call's own prefix
//   (K1TEO/8 -> K8, HG19ABC/5 -> HG5);
// - /P, /M, /MM, /AM, /A, /E, /J and /QRP never count (see SplitCall for
//   which part of a call is the designator).
#pragma once

#include <string>
#include <string_view>

#include "logfile/call_parts.h"

namespace qxqy::logfile {

// `call` is upper case and trimmed. The empty call has the empty prefix.
std::string WpxPrefix(std::string_view call);
// The same for a call already taken apart.
std::string WpxPrefix(const CallParts& parts);

}  // namespace qxqy::logfile
