// The standard error box. On Windows a message box with the error icon,
// owned by the application handle; natively nothing is shown. On both
// backends every message is also recorded, so that tests read and clear
// what the operator would have seen.
#pragma once

#include <string>
#include <vector>

namespace qxqy {

// Shows (and records) `message`. Never throws.
void ShowErrorBox(const std::string& message);

// The messages shown since the log was last cleared, oldest first.
const std::vector<std::string>& ErrorBoxLog();
void ClearErrorBoxLog();

// While set, messages are only recorded and no native box appears (tests
// under Wine, where a modal box would block). Returns the previous setting.
bool SetErrorBoxQuiet(bool quiet);

}  // namespace qxqy
