// Reads a log held in memory and shows its contacts and findings as short
// texts, so reader tests compare whole results in one line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "logfile/log_file.h"

namespace qxqy::logfile::testing {

struct ReadResult {
  // "LINE CALL BAND MODE [EXCHANGE] PREFIX TIME" per contact, in file order.
  std::vector<std::string> contacts;
  // "LINE: reason" per finding, in the order made.
  std::vector<std::string> findings;
  std::string own_call;
  std::string claimed_score;  // "-" when none
};

ReadResult ReadText(std::string_view text, LogFormat format);

}  // namespace qxqy::logfile::testing
