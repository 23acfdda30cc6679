#include "bench/contest_log.h"

#include <iterator>

namespace qxqy::bench {

namespace {

struct Prefix {
  const char* text;
  const char* country;
};

constexpr Prefix kPrefixes[] = {
    {"QX", "QX"}, {"QY", "QY"}, {"QX", "QX"}, {"DL", "DL"}, {"G", "G"},   {"K", "K"},
    {"JA", "JA"}, {"UA", "UA"}, {"SP", "SP"}, {"OK", "OK"}, {"EA", "EA"}, {"I", "I"},
};
constexpr const char* kBands[] = {"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28"};
constexpr const char* kModes[] = {"CW", "SSB", "FT8"};
constexpr size_t kDistrictCount = 60;

std::string DistrictCode(size_t index) {
  std::string code = "AAA";
  code[0] = static_cast<char>('A' + index / 26 % 26);
  code[1] = static_cast<char>('A' + (index * 7) % 26);
  code[2] = static_cast<char>('A' + index % 26);
  return code;
}

}  // namespace

std::vector<std::string> ContestLogGenerator::DistrictTableLines() {
  std::vector<std::string> lines;
  for (size_t i = 0; i < kDistrictCount; ++i)
    lines.push_back(DistrictCode(i) + "=" + DistrictCode(i));
  return lines;
}

LoggedContact ContestLogGenerator::Next() {
  for (;;) {
    const Prefix& prefix = kPrefixes[random_() % std::size(kPrefixes)];
    const std::string digit(1, static_cast<char>('0' + random_() % 10));
    std::string suffix(1 + random_() % 3, 'A');
    for (char& c : suffix) c = static_cast<char>('A' + random_() % 26);

    LoggedContact contact;
    contact.call = prefix.text + digit + suffix;
    contact.band = kBands[random_() % std::size(kBands)];
    contact.mode = kModes[random_() % std::size(kModes)];
    if (!produced_.emplace(contact.call, contact.band, contact.mode).second) continue;

    const bool home = prefix.country[0] == 'Q';
    contact.exchange = home ? "599 " + DistrictCode(random_() % kDistrictCount)
                            : "599 " + std::to_string(1 + random_() % 2000);
    contact.wpx = prefix.text + digit;
    contact.country = prefix.country;
    return contact;
  }
}

std::vector<LoggedContact> ContestLogGenerator::Take(size_t count) {
  std::vector<LoggedContact> contacts;
  contacts.reserve(count);
  for (size_t i = 0; i < count; ++i) contacts.push_back(Next());
  return contacts;
}

void WriteContact(const LoggedContact& contact, HostRecord& record) {
  WriteShortText(record.Call, contact.call);
  WriteShortText(record.Band, contact.band);
  WriteShortText(record.Mode, contact.mode);
  WriteShortText(record.ReportReceived, contact.exchange);
  WriteShortText(record.Wpx, contact.wpx);
  WriteShortText(record.Country, contact.country);
}

}  // namespace qxqy::bench
