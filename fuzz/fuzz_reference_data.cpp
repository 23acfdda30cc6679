// Arbitrary bytes as a reference file: the line split, the district table's
// name index, the call-sign lookup, the multiplier window's captions and the
// district-key search it colours items with, each compared with the
// straightforward definition (the line split and key search written out
// here, the lookups in reference_rules.h).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "domlist/dom_list.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_environment.h"
#include "fuzz/reference_rules.h"
#include "refdata/call_lookup.h"
#include "refdata/district_table.h"
#include "refdata/home_country.h"
#include "refdata/line_split.h"
#include "scoring/district_code.h"
#include "scoring/multiplier_key_list.h"
#include "ui/application.h"

namespace qxqy::fuzzing {
namespace {

// Windows are built only for tables up to this many lines, to keep the
// executions per second high; the pure checks run on every input.
constexpr size_t kMaxLinesForWindow = 256;
constexpr size_t kMaxQueriesPerLine = 6;
// The lookups are linear in the lines, so the number of texts asked about
// (and of keys) is capped to keep each input well under a millisecond.
constexpr size_t kMaxQueries = 96;
constexpr size_t kMaxKeys = 512;

std::vector<std::string> SplitReference(std::string_view bytes) {
  // A UTF-8 byte order mark before the first line is no part of it.
  if (bytes.size() >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF') {
    bytes.remove_prefix(3);
  }
  bytes = bytes.substr(0, bytes.find('\0'));
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      lines.push_back(line);
      line.clear();
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      line += bytes[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// Texts to ask about: pieces of every line, so that names, calls, codes and
// keys of the input itself are among them, plus their case variants.
std::vector<std::string> QueriesFrom(const std::vector<std::string>& lines) {
  std::vector<std::string> queries = {"", "=", "|", "ALB", "alb"};
  for (const std::string& line : lines) {
    const size_t equals = line.find('=');
    const std::string name = line.substr(0, equals);
    const std::string pieces[kMaxQueriesPerLine] = {
        name,
        UpperCase(name),
        Trim(name),
        equals == std::string::npos ? line : line.substr(equals + 1),
        line.substr(line.size() / 2),
        line.substr(0, line.size() / 3),
    };
    queries.insert(queries.end(), std::begin(pieces), std::end(pieces));
  }
  if (queries.size() <= kMaxQueries) return queries;
  std::vector<std::string> sample;
  const size_t stride = queries.size() / kMaxQueries + 1;
  for (size_t i = 0; i < queries.size(); i += stride) sample.push_back(queries[i]);
  return sample;
}

void CheckLineSplit(std::string_view bytes, const std::vector<std::string>& lines) {
  QXQY_FUZZ_CHECK(lines == SplitReference(bytes), "%zu lines, reference %zu", lines.size(),
                  SplitReference(bytes).size());
  for (const std::string& line : lines) {
    QXQY_FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
                    "a line holds a break or NUL");
  }
}

void CheckDistrictTable(const std::vector<std::string>& lines,
                        const std::vector<std::string>& queries) {
  DistrictTable table;
  table.Assign(lines);
  QXQY_FUZZ_CHECK(table.Lines().Lines() == lines, "the table changed its lines");
  for (const std::string& query : queries) {
    const std::string expected = TableValueRule(lines, query);
    QXQY_FUZZ_CHECK(table.ValueOfName(query) == expected, "name \"%s\": \"%s\", expected \"%s\"",
                    query.c_str(), std::string(table.ValueOfName(query)).c_str(), expected.c_str());
  }
}

void CheckCallLookup(const std::vector<std::string>& lines,
                     const std::vector<std::string>& queries) {
  StringList call_districts;
  call_districts.Assign(lines);
  const std::string countries[] = {"QX", " qy\t", "DL", "", "QXQY"};
  for (const std::string& country : countries) {
    QXQY_FUZZ_CHECK(IsHomeCountry(country) == IsHomeCountryRule(country), "country \"%s\"",
                    country.c_str());
    for (const std::string& call : queries) {
      std::string suggestion = "previous";
      std::string expected = "previous";
      LookupDistrict(call_districts, country, call, suggestion);
      CallLookupRule(lines, country, call, expected);
      QXQY_FUZZ_CHECK(suggestion == expected, "call \"%s\": \"%s\", expected \"%s\"", call.c_str(),
                      suggestion.c_str(), expected.c_str());
    }
  }
}

void CheckDistrictCodes(const std::vector<std::string>& queries) {
  for (const std::string& exchange : queries) {
    std::string code = "old";
    std::string expected = "old";
    const bool found = ExtractDistrictCode(exchange, &code);
    const std::optional<std::string> rule = DistrictCodeRule(exchange);
    if (rule) expected = *rule;
    QXQY_FUZZ_CHECK(found == rule.has_value() && code == expected,
                    "exchange \"%s\": \"%s\", expected \"%s\"", exchange.c_str(), code.c_str(),
                    expected.c_str());
  }
}

// The colour decision of the multiplier window: "does any key contain the
// search text", with keys and search texts taken from the input.
void CheckKeySearch(const std::vector<std::string>& lines,
                    const std::vector<std::string>& queries) {
  MultiplierKeyList keys(MultiplierKeyList::SubstringIndex::kBarEnded);
  std::vector<std::string> added;
  const size_t key_count = std::min(lines.size(), kMaxKeys);
  for (size_t i = 0; i < key_count; ++i) {
    const std::string& line = lines[i];
    const bool present = std::any_of(added.begin(), added.end(), [&](const std::string& key) {
      return SameTextIgnoreCase(key, line);
    });
    QXQY_FUZZ_CHECK(keys.AddIfAbsent(line) == !present, "key \"%s\"", line.c_str());
    if (!present) added.push_back(line);
  }
  QXQY_FUZZ_CHECK(keys.Keys() == added, "keys out of order of addition");
  for (const std::string& query : queries) {
    for (const std::string& text : {query, "|" + query + "|", query + "|"}) {
      const bool expected =
          !text.empty() && std::any_of(added.begin(), added.end(), [&](const std::string& key) {
            return key.find(text) != std::string::npos;
          });
      QXQY_FUZZ_CHECK(keys.AnyKeyContains(text) == expected, "search \"%s\"", text.c_str());
    }
  }
}

class TableSource : public DistrictMarks, public DomListHost {
 public:
  explicit TableSource(const DistrictTable& table) : table_(table) {}
  const DistrictTable* GetDistrictTable() const override { return &table_; }
  DistrictMark MarkOfDistrict(std::string_view, std::string_view) const override {
    return DistrictMark::kNothingRecorded;
  }
  std::string StoredCurrentBand() const override { return "0"; }
  void StoreCurrentBand(int) override {}
  void ForgetDomList(const TfmDomList&) override {}

 private:
  const DistrictTable& table_;
};

// The multiplier window lists, for every line holding "=", the up to four
// characters after the first "=", trimmed; sorted by the locale order.
void CheckWindowCaptions(const std::vector<std::string>& lines) {
  if (lines.size() > kMaxLinesForWindow) return;
  DistrictTable table;
  table.Assign(lines);
  TableSource source(table);
  std::vector<std::string> expected;
  for (const std::string& line : lines) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) expected.push_back(Trim(line.substr(equals + 1, 4)));
  }
  TfmDomList* window = Application::Instance().CreateForm<TfmDomList>(source, source);
  std::vector<std::string> captions = window->LV1.Captions();
  for (size_t i = 1; i < captions.size(); ++i) {
    QXQY_FUZZ_CHECK(CompareLocale(captions[i - 1], captions[i]) <= 0, "captions out of order");
  }
  std::sort(captions.begin(), captions.end());
  std::sort(expected.begin(), expected.end());
  QXQY_FUZZ_CHECK(captions == expected, "%zu captions, expected %zu", captions.size(),
                  expected.size());
  Component::Destroy(window);
}

}  // namespace
}  // namespace qxqy::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qxqy::fuzzing;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FuzzEnvironment::Instance();
  const std::vector<std::string> lines = qxqy::SplitIntoLines(bytes);
  CheckLineSplit(bytes, lines);
  const std::vector<std::string> queries = QueriesFrom(lines);
  CheckDistrictTable(lines, queries);
  CheckCallLookup(lines, queries);
  CheckDistrictCodes(queries);
  CheckKeySearch(lines, queries);
  CheckWindowCaptions(lines);
  FuzzEnvironment::Instance().EndInput();
  return 0;
}
