// The standard error box. On Windows a message box with the error icon,
// owned by the thread's active window or else the application handle, and
// modal to the whole application while it shows; natively nothing is shown.
// On both backends every message is also recorded, so that tests read and
// clear what the operator would have seen.
#pragma once

#include <exception>
#include <string>
#include <vector>

namespace qxqy {

// What the error box says when memory ran out.
inline constexpr char kOutOfMemoryMessage[] = "Out of memory";

// The text the error box shows for `error`: its message, except for a failed
// allocation (std::bad_alloc), whose own message means nothing to an
// operator: kOutOfMemoryMessage. Never throws: a message that cannot be
// copied gives kOutOfMemoryMessage too (short enough to need no allocation).
std::string ErrorBoxText(const std::exception& error) noexcept;

// Shows (and records) `message`. Never throws; the box is shown even when
// there is no memory left to record the message.
void ShowErrorBox(const std::string& message) noexcept;

// The messages shown since the log was last cleared, oldest first.
const std::vector<std::string>& ErrorBoxLog();
void ClearErrorBoxLog();

// While set, messages are only recorded and no native box appears (tests
// under Wine, where a modal box would block). Returns the previous setting.
bool SetErrorBoxQuiet(bool quiet);

}  // namespace qxqy
