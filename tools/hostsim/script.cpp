#include "tools/hostsim/script.h"

#include "tools/hostsim/text_format.h"

namespace qxqy::hostsim {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// Reads one word at the start of `rest` (no leading blanks) and removes it.
std::string TakeWord(std::string_view& rest, int line) {
  if (rest.front() != '"') {
    size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    std::string word(rest.substr(0, end));
    rest.remove_prefix(end);
    return word;
  }
  for (size_t i = 1; i < rest.size(); ++i) {
    if (rest[i] == '\\') {
      ++i;
    } else if (rest[i] == '"') {
      if (i + 1 < rest.size() && !IsBlank(rest[i + 1])) {
        throw ScriptError(line, "a closing quote must end its word");
      }
      try {
        std::string word = UnescapeText(rest.substr(1, i - 1));
        rest.remove_prefix(i + 1);
        return word;
      } catch (const Error& error) {
        throw ScriptError(line, error.what());
      }
    }
  }
  throw ScriptError(line, "a quoted word has no closing quote");
}

std::string TakeRest(std::string_view rest, int line) {
  if (rest.size() >= 2 && rest.front() == '"') {
    std::string_view probe = rest;
    std::string word = TakeWord(probe, line);
    if (probe.empty()) return word;
  }
  return std::string(rest);
}

const VerbSignature& FindSignature(const std::string& verb,
                                   const std::vector<VerbSignature>& signatures, int line) {
  for (const auto& signature : signatures) {
    if (signature.verb == verb) return signature;
  }
  throw ScriptError(line, "unknown action \"" + EscapeText(verb) + "\"");
}

Command ParseLine(std::string_view text, int line, const std::vector<VerbSignature>& signatures) {
  Command command;
  command.line = line;
  command.verb = TakeWord(text, line);
  const VerbSignature& signature = FindSignature(command.verb, signatures, line);
  while (true) {
    text = TrimBlanks(text);
    if (text.empty()) break;
    if (command.args.size() == signature.max_args) {
      throw ScriptError(line, command.verb + " takes at most " +
                                  std::to_string(signature.max_args) + " argument(s)");
    }
    if (signature.last_takes_rest && command.args.size() + 1 == signature.max_args) {
      command.args.push_back(TakeRest(text, line));
      break;
    }
    command.args.push_back(TakeWord(text, line));
  }
  if (command.args.size() < signature.min_args) {
    throw ScriptError(line, command.verb + " needs at least " + std::to_string(signature.min_args) +
                                " argument(s)");
  }
  return command;
}

}  // namespace

std::vector<Command> ParseScript(std::string_view text,
                                 const std::vector<VerbSignature>& signatures) {
  std::vector<Command> commands;
  int line = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++line;
    raw = TrimBlanks(raw);
    if (raw.empty() || raw.front() == '#') continue;
    commands.push_back(ParseLine(raw, line, signatures));
  }
  return commands;
}

}  // namespace qxqy::hostsim
