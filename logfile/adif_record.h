// The fields of one ADIF record that scoring reads, and how a record becomes
// a contact: call, band (BAND, else FREQ in MHz), mode, received exchange
// (SRX_STRING, else SRX), WPX prefix (PFX) and time (QSO_DATE, TIME_ON),
// and what the station sent: its call (STATION_CALLSIGN, else OPERATOR) and
// exchange (STX_STRING, else STX).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "logfile/parsed_log.h"
#include "logfile/report.h"

namespace qxqy::logfile {

class AdifRecord {
 public:
  enum Field {
    kCall,
    kBand,
    kFreq,
    kMode,
    kSrxString,
    kSrx,
    kPfx,
    kQsoDate,
    kTimeOn,
    kStationCallsign,
    kOperator,
    kStxString,
    kStx,
    kFieldCount
  };

  // The field of that name (upper case), or nullopt for one scoring ignores.
  static std::optional<Field> FieldOfName(std::string_view upper_name);

  void Set(Field field, std::string value);
  bool empty() const { return !any_; }
  void Clear();

  // Adds the record to `log` as a contact found on `line`, or reports why it
  // cannot be scored. `time_key` is the time of the previous contact; a
  // record without a time is taken to follow it, and the key is updated.
  void AddTo(uint32_t line, ParsedLog& log, Report& report, int64_t& time_key) const;

 private:
  const std::string* Get(Field field) const;
  std::optional<uint8_t> Band(uint32_t line, Report& report) const;

  std::array<std::string, kFieldCount> values_;
  std::array<bool, kFieldCount> present_{};
  bool any_ = false;
};

}  // namespace qxqy::logfile
