// A call sign taken apart at its slashes: the station's own call and the
// portable designator, if any, with the suffixes that never designate a
// place (/P, /M, /MM, /AM, /A, /E, /J, /QRP) left out.
//
// Which part is which:
// - a part that is a lone digit is a call-area designator for the other
//   (K1TEO/8);
// - otherwise, of two parts, the shorter is the designator (N8BJQ/KH9,
//   KH9/N8BJQ, PA/N8BJQ), the first one when both are as long;
// - of three or more parts, the longest is the call (the first of the
//   longest) and the first other part is the designator.
#pragma once

#include <string_view>

namespace qxqy::logfile {

struct CallParts {
  std::string_view call;        // the station's own call
  std::string_view designator;  // empty when none
  bool DesignatorIsDigit() const {
    return designator.size() == 1 && designator[0] >= '0' && designator[0] <= '9';
  }
};

// `call` is upper case and trimmed; the views point into it.
CallParts SplitCall(std::string_view call);

// True for a suffix that never counts as a designator (P, M, MM, AM, A, E,
// J, QRP).
bool IsIgnoredSuffix(std::string_view part);

}  // namespace qxqy::logfile
