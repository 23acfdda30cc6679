// The session script: one host action a line.
//
//   # a comment (only as the first non-blank character of a line)
//   verb word word "a quoted word with \"escapes\" \x41"
//
// Words are separated by blanks; a word in double quotes may hold blanks and
// the escapes of text_format.h. A verb whose signature takes "the rest of the
// line" as its last argument gets everything after the words before it, with
// blanks kept, unless that rest is one quoted word (then it is unquoted).
// Blank lines and comments are skipped; a CR before the line end is ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"

namespace qxqy::hostsim {

// A script that cannot be run: unknown verb, wrong number of words, bad
// quoting or a bad value. The message starts with "line N: ".
class ScriptError : public Error {
 public:
  ScriptError(int line, const std::string& message)
      : Error("line " + std::to_string(line) + ": " + message) {}
};

struct VerbSignature {
  std::string verb;
  size_t min_args = 0;
  size_t max_args = 0;
  bool last_takes_rest = false;  // the last argument is the rest of the line
};

struct Command {
  int line = 0;  // 1-based line number in the script
  std::string verb;
  std::vector<std::string> args;
};

// Splits `text` into commands, checking each verb against `signatures`.
// Throws ScriptError at the first line that does not fit.
std::vector<Command> ParseScript(std::string_view text,
                                 const std::vector<VerbSignature>& signatures);

}  // namespace qxqy::hostsim
