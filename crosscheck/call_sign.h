// Call signs as the contest check compares them.
#pragma once

#include <string>
#include <string_view>

namespace qxqy::crosscheck {

// `call` upper-cased and trimmed, with every slash part that never counts
// (/P, /M, /MM, /AM, /A, /E, /J, /QRP, wherever it stands) dropped; other
// designators stay (EA8/QX1ABC stays). Empty slash parts are dropped too.
std::string NormalizeCall(std::string_view call);

// True when `a` and `b` differ by exactly one edit: one character changed,
// added or dropped, or two neighbouring characters swapped.
bool IsOneEdit(std::string_view a, std::string_view b);

}  // namespace qxqy::crosscheck
