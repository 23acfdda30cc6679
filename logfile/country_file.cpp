#include "logfile/country_file.h"

#include <algorithm>

#include "base/text.h"

namespace qxqy::logfile {
namespace {

constexpr int kHeaderFields = 8;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The alias without its bracketed overrides, upper case.
std::string StripOverrides(std::string_view alias) {
  std::string out;
  char closing = 0;
  for (char c : alias) {
    if (closing != 0) {
      if (c == closing) closing = 0;
      continue;
    }
    switch (c) {
      case '(':
        closing = ')';
        break;
      case '[':
        closing = ']';
        break;
      case '<':
        closing = '>';
        break;
      case '{':
        closing = '}';
        break;
      case '~':
        closing = '~';
        break;
      default:
        if (!IsBlank(c)) out += c;
    }
  }
  return UpperCase(out);
}

// Walks the text line by line, keeping the number of the current line.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++number_;
    return true;
  }
  size_t number() const { return number_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  size_t number_ = 0;
};

}  // namespace

void CountryFile::AddAlias(std::string_view alias, uint32_t entity) {
  std::string stripped = StripOverrides(alias);
  if (stripped.empty()) return;
  if (stripped[0] == '=') {
    stripped.erase(0, 1);
    if (!stripped.empty()) exact_calls_.Add(stripped, entity);
    return;
  }
  size_t& longest = longest_prefix_by_start_[static_cast<unsigned char>(stripped[0])];
  longest = std::max(longest, stripped.size());
  prefix_filter_[FilterBit(stripped)] = true;
  prefixes_.Add(stripped, entity);
}

uint32_t CountryFile::FilterBit(std::string_view prefix) {
  const auto byte = [prefix](size_t i) { return uint32_t{static_cast<unsigned char>(prefix[i])}; };
  const size_t last = prefix.size() - 1;
  // The length counts modulo 256: a longer prefix only shares bits.
  const uint32_t key = static_cast<uint32_t>(prefix.size()) << 24 | byte(0) << 16 |
                       byte(last > 0 ? 1 : 0) << 8 | byte(last);
  // Fibonacci hashing: the top bits of the product depend on every key bit.
  return (key * 0x9E3779B1u) >> (32 - kFilterBitsLog2);
}

CountryFile CountryFile::Parse(std::string_view text, const std::string& source) {
  CountryFile file;
  Lines lines(text);
  std::string_view line;
  bool in_list = false;
  size_t list_start = 0;
  const auto fail = [&](size_t number, const std::string& reason) {
    return CountryFileError(source + ":" + std::to_string(number) + ": " + reason);
  };
  while (lines.Next(line)) {
    if (TrimView(line).empty()) continue;
    if (!in_list) {
      // An entity's header: eight fields, each ended by a colon.
      std::vector<std::string_view> fields;
      size_t start = 0;
      for (size_t colon; fields.size() < kHeaderFields &&
                         (colon = line.find(':', start)) != std::string_view::npos;
           start = colon + 1) {
        fields.push_back(TrimView(line.substr(start, colon - start)));
      }
      if (fields.size() < kHeaderFields || !TrimView(line.substr(start)).empty()) {
        throw fail(lines.number(), "expected an entity line of eight fields ended by ':'");
      }
      std::string primary = UpperCase(fields[kHeaderFields - 1]);
      if (!primary.empty() && primary[0] == '*') primary.erase(0, 1);
      if (primary.empty()) throw fail(lines.number(), "the entity has no primary prefix");
      const auto entity = static_cast<uint32_t>(file.entities_.size());
      file.entities_.push_back({std::string(fields[0]), primary});
      file.AddAlias(primary, entity);
      in_list = true;
      list_start = lines.number();
      continue;
    }
    // Prefixes and exact calls up to the ";" that ends the entity.
    const auto entity = static_cast<uint32_t>(file.entities_.size() - 1);
    size_t start = 0;
    while (start <= line.size()) {
      const size_t end = line.find_first_of(",;", start);
      const std::string_view alias =
          line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
      file.AddAlias(alias, entity);
      if (end == std::string_view::npos) break;
      if (line[end] == ';') {
        in_list = false;
        if (!TrimView(line.substr(end + 1)).empty()) {
          throw fail(lines.number(), "text after the ';' that ends an entity");
        }
        break;
      }
      start = end + 1;
    }
  }
  if (in_list) {
    throw fail(list_start,
               "the prefix list of '" + file.entities_.back().name + "' is not ended by ';'");
  }
  return file;
}

const CountryFile::Entity* CountryFile::Exact(std::string_view call) const {
  const uint32_t* found = exact_calls_.Find(call);
  return found == nullptr ? nullptr : &entities_[*found];
}

const CountryFile::Entity* CountryFile::LongestPrefix(std::string_view text) const {
  if (text.empty()) return nullptr;
  const size_t longest = longest_prefix_by_start_[static_cast<unsigned char>(text[0])];
  for (size_t length = std::min(text.size(), longest); length > 0; --length) {
    const std::string_view prefix = text.substr(0, length);
    if (!prefix_filter_[FilterBit(prefix)]) continue;
    if (const uint32_t* found = prefixes_.Find(prefix)) return &entities_[*found];
  }
  return nullptr;
}

const CountryFile::Entity* CountryFile::Lookup(std::string_view call) const {
  return Lookup(call, SplitCall(call));
}

const CountryFile::Entity* CountryFile::Lookup(std::string_view call,
                                               const CallParts& parts) const {
  if (const Entity* exact = Exact(call)) return exact;
  if (!parts.designator.empty() && !parts.DesignatorIsDigit()) {
    return LongestPrefix(parts.designator);
  }
  if (parts.call != call) {
    if (const Entity* exact = Exact(parts.call)) return exact;
  }
  return LongestPrefix(parts.call);
}

}  // namespace qxqy::logfile
