#include "fuzz/engine_input.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <iterator>
#include <utility>

namespace qxqy::fuzzing {

namespace {

constexpr std::string_view kCalls[] = {"QX1AB",  "qx1ab",  "QX1AB ", "QY2CD",     "QX3EF",
                                       "QX4GH",  "QX5IJ",  "DL1XY",  "",          "QX1AB/P",
                                       "QX\xE9", "QX\xC9", "QX1ab",  "QX1AB=ALB", "K1ABC"};
constexpr std::string_view kBands[] = {"1.8", "3.5", "7", "14", "21",  "28", "10",
                                       " 14", "14 ", "a", "A",  "1|X", "",   "99"};
constexpr std::string_view kModes[] = {"CW", "SSB", "cw", "", "CW "};
constexpr std::string_view kExchanges[] = {
    "599 ALB", "599 alb",   "5NN BEX", "59 CAR ", "599 DUN\t", "599ELM",
    "599 FEN", "599 XYZ",   "599 abc", "001",     "ZZZ",       "AB",
    "599 GAR", "LONGVALUE", "",        "599 LB|", "599 A1B",   "599 \xC0\xC1\xC2"};
constexpr std::string_view kPrefixes[] = {"QX1", "qx1", "QY2", "", "QX1|", "K1", "|"};
constexpr std::string_view kGroups[] = {"QX", "qx", "Qx", "DX", "", "\xC9", "\xE9", "QX "};
constexpr std::string_view kCountries[] = {"QX",    "qy ",  "DL", "",    " QX\t",
                                           "QX:QY", "QXQY", "qY", ":QX", "Q"};
constexpr std::string_view kDistricts[] = {"ALB", "alb", "BEX", "CAR", "DUN", "ELM",    "FEN",
                                           "XYZ", "ABC", "",    "|",   "LB|", "14|ALB", "ZZZ"};

constexpr LogTableChoice kLogTables[] = {{"QSOs", "QSOs"},     {"qsos", "QSOs"},
                                         {"Upper", "Upper"},   {"NoWpx", "NoWpx"},
                                         {"Missing", nullptr}, {"", nullptr}};

// The texts of `alphabet` and how many there are.
std::pair<const std::string_view*, size_t> Texts(Alphabet alphabet) {
  switch (alphabet) {
    case Alphabet::kCall:
      return {kCalls, std::size(kCalls)};
    case Alphabet::kBand:
      return {kBands, std::size(kBands)};
    case Alphabet::kMode:
      return {kModes, std::size(kModes)};
    case Alphabet::kExchange:
      return {kExchanges, std::size(kExchanges)};
    case Alphabet::kPrefix:
      return {kPrefixes, std::size(kPrefixes)};
    case Alphabet::kGroup:
      return {kGroups, std::size(kGroups)};
    case Alphabet::kCountry:
      return {kCountries, std::size(kCountries)};
    case Alphabet::kDistrict:
      return {kDistricts, std::size(kDistricts)};
  }
  return {kCalls, std::size(kCalls)};
}

std::string Cut(std::string_view text) { return std::string(text.substr(0, kMaxRecordText)); }

}  // namespace

std::string PickText(FuzzedDataProvider& input, Alphabet alphabet, size_t raw_max) {
  const auto [texts, count] = Texts(alphabet);
  const size_t choice = input.ConsumeIntegralInRange<size_t>(0, count);
  if (choice < count) return std::string(texts[choice]);
  return input.ConsumeRandomLengthString(raw_max);
}

std::optional<std::string> PickLogValue(FuzzedDataProvider& input, Alphabet alphabet) {
  if (input.ConsumeIntegralInRange(0, 15) == 0) return std::nullopt;
  return PickText(input, alphabet, kMaxLogText);
}

ModelContact GeneratedContact(uint8_t key) {
  uint32_t state = 0x9E3779B9u * (key + 1u);
  const auto pick = [&state](Alphabet alphabet) {
    state ^= state << 13;  // xorshift32
    state ^= state >> 17;
    state ^= state << 5;
    const auto [texts, count] = Texts(alphabet);
    return std::string(texts[state % count]);
  };
  ModelContact contact;
  contact.call = pick(Alphabet::kCall);
  contact.band = pick(Alphabet::kBand);
  contact.mode = pick(Alphabet::kMode);
  contact.exchange = pick(Alphabet::kExchange);
  contact.wpx = pick(Alphabet::kPrefix);
  return contact;
}

ModelContact CutToRecord(const ModelContact& contact) {
  return ModelContact{Cut(contact.call), Cut(contact.band), Cut(contact.mode),
                      Cut(contact.exchange), Cut(contact.wpx)};
}

const LogTableChoice& PickLogTable(FuzzedDataProvider& input) {
  return kLogTables[input.ConsumeIntegralInRange<size_t>(0, std::size(kLogTables) - 1)];
}

const LogTableChoice* FindLogTable(std::string_view name) {
  for (const LogTableChoice& choice : kLogTables) {
    if (choice.name == name) return &choice;
  }
  return nullptr;
}

const LogTableChoice& HostLogTable() { return kLogTables[0]; }

}  // namespace qxqy::fuzzing
