// Turns the bytes of a reference file into its lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qxqy {

// Cuts `bytes` into lines at CR LF, at a lone LF and at a lone CR, after a
// UTF-8 byte order mark at the start, which is skipped (it is no part of the
// first line). A break at
// the very end adds no empty line; a last line without a break is kept. A NUL
// byte ends the text: nothing after it is read. The bytes of each line are
// returned unchanged (no trimming, no conversion).
std::vector<std::string> SplitIntoLines(std::string_view bytes);

}  // namespace qxqy
