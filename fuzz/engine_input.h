// What the contest-engine fuzzer's bytes decode into: texts from small
// alphabets (so that duplicates, case variants, blanks, bars and high bytes
// meet often) or raw bytes, log rows with nulls and over-long values,
// contacts named by a single byte, and the log table a record names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/contest_model.h"

class FuzzedDataProvider;

namespace qxqy::fuzzing {

// A record's text holds at most this many bytes; a log value may be longer
// (the rebuild cuts it).
inline constexpr size_t kMaxRecordText = 255;
inline constexpr size_t kMaxLogText = 300;

enum class Alphabet { kCall, kBand, kMode, kExchange, kPrefix, kGroup, kCountry, kDistrict };

// A text of `alphabet`, or (one choice in the alphabet's size plus one) raw
// bytes, at most `raw_max` of them.
std::string PickText(FuzzedDataProvider& input, Alphabet alphabet, size_t raw_max);
// As PickText with kMaxLogText, or (one in 16) no value: a null.
std::optional<std::string> PickLogValue(FuzzedDataProvider& input, Alphabet alphabet);

// One of 256 contacts picked from the alphabets, named by one input byte, so
// that one action can commit or log dozens of contacts (enough to grow the
// lists' hash indexes several times) at a byte each.
ModelContact GeneratedContact(uint8_t key);

// What a record's field holds of `text`: its first kMaxRecordText bytes.
ModelContact CutToRecord(const ModelContact& contact);

// A log table name for the record and the database table or view it reads.
struct LogTableChoice {
  std::string_view name;
  const char* table;  // null: the query fails at open
};
const LogTableChoice& PickLogTable(FuzzedDataProvider& input);
// The choice named `name`, or null; the first choice is the host's table.
const LogTableChoice* FindLogTable(std::string_view name);
const LogTableChoice& HostLogTable();

}  // namespace qxqy::fuzzing
