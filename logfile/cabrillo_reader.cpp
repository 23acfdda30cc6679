#include "logfile/cabrillo_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

#include "base/text.h"
#include "logfile/band_table.h"
#include "logfile/blank_split.h"
#include "logfile/mode_map.h"
#include "logfile/qso_time.h"

namespace qxqy::logfile {
namespace {

constexpr size_t kQsoFields = 10;  // an eleventh is the transmitter id
enum Field {
  kFreq,
  kMode,
  kDate,
  kTime,
  kSentCall,
  kSentRst,
  kSentExch,
  kCall,
  kRst,
  kExch,
  kTransmitterId,
  kFieldCount
};

bool IsControlByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte < ' ' && c != '\t') || byte == 0x7F;
}

// True when some byte of `word` is below 0x20 or is 0x7F (a tab counts).
bool MayHoldControlBytes(uint64_t word) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  const uint64_t below_space = (word - kOnes * 0x20) & ~word & kHighBits;
  const uint64_t del = word ^ (kOnes * 0x7F);
  const uint64_t is_del = (del - kOnes) & ~del & kHighBits;
  return (below_space | is_del) != 0;
}

bool HasControlBytes(std::string_view line) {
  // Eight bytes at a time; only a word that may hold one (or a tab) is
  // looked at byte by byte.
  size_t i = 0;
  for (; i + 8 <= line.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, line.data() + i, sizeof word);
    if (!MayHoldControlBytes(word)) continue;
    for (size_t j = i; j < i + 8; ++j) {
      if (IsControlByte(line[j])) return true;
    }
  }
  for (; i < line.size(); ++i) {
    if (IsControlByte(line[i])) return true;
  }
  return false;
}

// The tags Cabrillo 3.0 defines; a tag starting with "X-" is the log's own
// and is ignored.
bool IsKnownTag(std::string_view tag) {
  static constexpr std::string_view kTags[] = {"START-OF-LOG",
                                               "END-OF-LOG",
                                               "CALLSIGN",
                                               "CONTEST",
                                               "CATEGORY-ASSISTED",
                                               "CATEGORY-BAND",
                                               "CATEGORY-MODE",
                                               "CATEGORY-OPERATOR",
                                               "CATEGORY-POWER",
                                               "CATEGORY-STATION",
                                               "CATEGORY-TIME",
                                               "CATEGORY-TRANSMITTER",
                                               "CATEGORY-OVERLAY",
                                               "CERTIFICATE",
                                               "CLAIMED-SCORE",
                                               "CLUB",
                                               "CREATED-BY",
                                               "EMAIL",
                                               "GRID-LOCATOR",
                                               "LOCATION",
                                               "NAME",
                                               "ADDRESS",
                                               "ADDRESS-CITY",
                                               "ADDRESS-STATE-PROVINCE",
                                               "ADDRESS-POSTALCODE",
                                               "ADDRESS-COUNTRY",
                                               "OPERATORS",
                                               "OFFTIME",
                                               "SOAPBOX",
                                               "QSO",
                                               "QTC",
                                               "DEBUG"};
  if (tag.size() > 2 && SameIgnoringAsciiCase(tag.substr(0, 2), "X-")) return true;
  for (std::string_view known : kTags) {
    if (SameIgnoringAsciiCase(tag, known)) return true;
  }
  return false;
}

// A transmitter id: one digit (0 for the run station, 1 for the second).
bool IsTransmitterId(std::string_view field) {
  return field.size() == 1 && field[0] >= '0' && field[0] <= '9';
}

// True for a line that starts as a contact line (QSO: or X-QSO:).
bool IsContactLine(std::string_view line) {
  while (!line.empty() && static_cast<unsigned char>(line.front()) <= ' ') line.remove_prefix(1);
  return SameIgnoringAsciiCase(line.substr(0, 4), "QSO:") ||
         SameIgnoringAsciiCase(line.substr(0, 6), "X-QSO:");
}

bool IsTagCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// `text` upper-cased (a to z): `text` itself when it holds no letter a to
// z, as calls mostly are written, else its copy, made in `copy`.
std::string_view UpperCaseView(std::string_view text, std::string& copy) {
  if (std::none_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
    return text;
  }
  copy = UpperCase(text);
  return copy;
}

class CabrilloReader {
 public:
  CabrilloReader(ParsedLog& log, Report& report) : log_(log), report_(report) {}

  // True once END-OF-LOG: has been read. What follows it is not part of
  // the log (mail signatures, attachments), except that a contact line
  // there is reported, so that no contact is dropped without a word.
  bool ended() const { return ended_; }

  void ReadLine(uint32_t number, std::string_view line) {
    line = TrimBlanks(line);
    if (line.empty()) return;
    const size_t colon = line.find(':');
    std::string_view tag = line.substr(0, colon);
    bool is_tag = colon != std::string_view::npos && !tag.empty();
    for (char c : tag) is_tag = is_tag && IsTagCharacter(c);
    if (!is_tag) {
      if (!ended_) report_.Add(number, "not a Cabrillo line (TAG: value)");
      return;
    }
    const std::string_view value = TrimBlanks(line.substr(colon + 1));
    const auto is = [tag](std::string_view name) { return SameIgnoringAsciiCase(tag, name); };
    if (ended_) {
      if (is("QSO") || is("X-QSO")) {
        report_.Add(number, UpperCase(tag) + ": line after END-OF-LOG:, not scored");
        log_.unscored_lines.push_back(number);
      }
      return;
    }
    if (const bool qso = is("QSO"); qso || is("X-QSO")) {
      // A contact line that adds no contact is listed as not scored.
      const size_t before = log_.contacts().size();
      if (qso) {
        ReadQso(number, value);
      } else {
        report_.Add(number, "X-QSO line, listed and not scored");
      }
      if (log_.contacts().size() == before) log_.unscored_lines.push_back(number);
    } else if (SetCategory(tag, value)) {
      // Kept in the log's category.
    } else if (is("CALLSIGN")) {
      log_.own_call = UpperCase(value);
      log_.header_call = log_.own_call;
    } else if (is("CLAIMED-SCORE")) {
      if (!value.empty()) log_.claimed_score = std::string(value);
    } else if (is("END-OF-LOG")) {
      ended_ = true;
    } else if (!IsKnownTag(tag)) {
      report_.Add(number, "unknown tag " + std::string(tag) +
                              ": (not a Cabrillo 3.0 tag), line not scored");
    }
  }

 private:
  static std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
  }

  // Keeps a CATEGORY-... header of the log's category; false for any other
  // tag.
  bool SetCategory(std::string_view tag, std::string_view value) {
    ParsedLog::Category& category = log_.category;
    const std::pair<std::string_view, std::string*> headers[] = {
        {"CATEGORY-OPERATOR", &category.op},       {"CATEGORY-BAND", &category.band},
        {"CATEGORY-POWER", &category.power},       {"CATEGORY-MODE", &category.mode},
        {"CATEGORY-ASSISTED", &category.assisted}, {"CATEGORY-TRANSMITTER", &category.transmitter}};
    for (const auto& [name, target] : headers) {
      if (SameIgnoringAsciiCase(tag, name)) {
        *target = UpperCase(value);
        return true;
      }
    }
    return false;
  }

  void ReadQso(uint32_t number, std::string_view value) {
    std::array<std::string_view, kFieldCount>& f = fields_;
    const size_t count = SplitAtBlanks(value, f);
    if (count != kQsoFields && count != kQsoFields + 1) {
      report_.Add(number, "QSO line has " + std::to_string(count) +
                              " fields, expected 10 or 11 (freq mode date time sent-call "
                              "sent-rst sent-exch rcvd-call rcvd-rst rcvd-exch [transmitter-id])");
      return;
    }
    if (count == kFieldCount && !IsTransmitterId(f[kTransmitterId])) {
      report_.Add(number, "QSO line has 11 fields and the 11th, '" +
                              std::string(f[kTransmitterId]) +
                              "', is no transmitter id (one digit): more exchange fields than "
                              "this contest has (rcvd-rst rcvd-exch), not scored");
      return;
    }
    const std::optional<int64_t> hz = ParseFrequency(f[kFreq], kKilohertz);
    if (!hz) {
      report_.Add(number, "cannot read the frequency '" + std::string(f[kFreq]) + "' (kHz)");
      return;
    }
    const std::optional<uint8_t> band = BandOfHertz(*hz);
    if (!band) {
      // "14.025" is a frequency in MHz where Cabrillo wants kHz.
      const bool looks_like_mhz =
          *hz <= std::numeric_limits<int64_t>::max() / 1000 && BandOfHertz(*hz * 1000).has_value();
      report_.Add(number, "frequency " + std::string(f[kFreq]) +
                              " kHz is outside the contest bands, not scored" +
                              (looks_like_mhz ? " (it looks like MHz: Cabrillo gives kHz)" : ""));
      return;
    }
    const std::optional<std::string_view> mode = ModeOfCabrillo(f[kMode]);
    if (!mode) {
      report_.Add(number, "unknown mode '" + std::string(f[kMode]) + "' (CW, PH, FM, RY or DG)");
      return;
    }
    const std::optional<int64_t> time = CabrilloTimeKey(f[kDate], f[kTime]);
    if (!time) {
      report_.Add(number, "cannot read the date and time '" + std::string(f[kDate]) + " " +
                              std::string(f[kTime]) + "' (YYYY-MM-DD hhmm)");
      return;
    }
    const std::string_view sent_call = UpperCaseView(f[kSentCall], sent_call_);
    if (log_.own_call.empty()) log_.own_call = std::string(sent_call);
    const std::string_view call = UpperCaseView(f[kCall], call_);
    exchange_.assign(f[kRst]).append(" ").append(f[kExch]);
    log_.SetSentCall(sent_call);
    log_.Add(*time, number, *band, static_cast<uint8_t>(ModeIndex(*mode)),
             {call, exchange_, std::string_view(), f[kSentExch]});
  }

  ParsedLog& log_;
  Report& report_;
  // Upper-case copies of the calls of the contact line being read, for
  // calls written with a lower-case letter.
  std::string call_;
  std::string sent_call_;
  std::string exchange_;
  // The fields of the contact line being read; those past the line's
  // count are left from earlier lines and never read. Kept here so that
  // each line does not clear them all first.
  std::array<std::string_view, kFieldCount> fields_;
  bool ended_ = false;
};

}  // namespace

void ReadCabrillo(ByteSource& source, ParsedLog& log, Report& report) {
  log.lacks_end_of_log = true;
  source.SkipByteOrderMark();
  log.exchange_starts_with_report = true;
  CabrilloReader reader(log, report);
  std::string storage;
  std::string_view line;
  bool overlong = false;
  for (uint32_t number = source.line(); source.ReadLine(storage, line, kMaxCabrilloLine, overlong);
       number = source.line()) {
    if (overlong) {
      if (!reader.ended()) {
        report.Add(number, "line longer than " + std::to_string(kMaxCabrilloLine) +
                               " characters, read past");
      }
      continue;
    }
    if (HasControlBytes(line)) {
      if (!reader.ended()) {
        report.Add(number, "binary data on the line, read past");
        if (IsContactLine(line)) log.unscored_lines.push_back(number);
      }
      continue;
    }
    reader.ReadLine(number, line);
  }
  log.lacks_end_of_log = !reader.ended();
}

}  // namespace qxqy::logfile
