// Arbitrary bytes as a country file, and its words as calls: the file is
// read or refused with a message naming a line; every call resolves to an
// entity with a primary prefix or to none; and every call's WPX prefix
// follows the rule's shape.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "fuzz/fuzz_check.h"
#include "logfile/contact_fields.h"
#include "logfile/country_file.h"
#include "logfile/wpx_prefix.h"

namespace qxqy::fuzzing {
namespace {

constexpr size_t kMaxCalls = 64;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The words of the input, upper case: runs of letters, digits and "/".
std::vector<std::string> CallsFrom(std::string_view bytes) {
  std::vector<std::string> calls;
  std::string word;
  for (size_t i = 0; i <= bytes.size() && calls.size() < kMaxCalls; ++i) {
    const char c = i < bytes.size() ? bytes[i] : ' ';
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsDigit(c) || c == '/') {
      word += c;
    } else if (!word.empty()) {
      calls.push_back(UpperCase(word));
      word.clear();
    }
  }
  return calls;
}

// A call without a slash: its prefix is the call up to its last digit, or
// its first two characters and a 0.
void CheckPrefixShape(const std::string& call) {
  const std::string prefix = logfile::WpxPrefix(call);
  if (call.find('/') != std::string::npos) {
    QXQY_FUZZ_CHECK(prefix.size() <= call.size() + 1, "%s -> %s", call.c_str(), prefix.c_str());
    return;
  }
  const size_t last_digit = call.find_last_of("0123456789");
  const std::string expected =
      last_digit != std::string::npos ? call.substr(0, last_digit + 1) : call.substr(0, 2) + "0";
  QXQY_FUZZ_CHECK(prefix == expected, "%s -> %s, expected %s", call.c_str(), prefix.c_str(),
                  expected.c_str());
}

}  // namespace
}  // namespace qxqy::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qxqy;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> calls = fuzzing::CallsFrom(bytes);
  for (const std::string& call : calls) fuzzing::CheckPrefixShape(call);
  try {
    const logfile::CountryFile file = logfile::CountryFile::Parse(bytes, "cty");
    for (const std::string& call : calls) {
      const logfile::CountryFile::Entity* entity = file.Lookup(call);
      QXQY_FUZZ_CHECK(entity == nullptr || !entity->primary_prefix.empty(), "%s", call.c_str());
      const logfile::DerivedFields fields = logfile::DeriveFields(call, "", &file);
      QXQY_FUZZ_CHECK(fields.group == "DX" || fields.group == fields.country, "%s: %s / %s",
                      call.c_str(), fields.group.c_str(), fields.country.c_str());
    }
  } catch (const logfile::CountryFileError& error) {
    QXQY_FUZZ_CHECK(std::string_view(error.what()).rfind("cty:", 0) == 0, "%s", error.what());
  }
  return 0;
}
