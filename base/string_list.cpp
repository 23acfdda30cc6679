#include "base/string_list.h"

#include "base/text.h"

namespace qxqy {

bool SplitNameValue(std::string_view line, std::string_view* name, std::string_view* value) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  *name = line.substr(0, equals);
  *value = line.substr(equals + 1);
  return true;
}

long StringList::IndexOf(std::string_view text) const {
  const std::string key = CaseInsensitiveKey(text);
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (CaseInsensitiveKey(lines_[i]) == key) return static_cast<long>(i);
  }
  return -1;
}

std::string StringList::ValueOfName(std::string_view name) const {
  const std::string key = CaseInsensitiveKey(name);
  for (const std::string& line : lines_) {
    std::string_view line_name, line_value;
    if (SplitNameValue(line, &line_name, &line_value) && CaseInsensitiveKey(line_name) == key) {
      return std::string(line_value);
    }
  }
  return std::string();
}

}  // namespace qxqy
