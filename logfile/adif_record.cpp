#include "logfile/adif_record.h"

#include "base/text.h"
#include "logfile/band_table.h"
#include "logfile/mode_map.h"
#include "logfile/qso_time.h"

namespace qxqy::logfile {

std::optional<AdifRecord::Field> AdifRecord::FieldOfName(std::string_view upper_name) {
  static constexpr std::string_view kNames[kFieldCount] = {
      "CALL",     "BAND",       "FREQ",     "MODE",    "SRX_STRING",
      "SRX",      "PFX",        "QSO_DATE", "TIME_ON", "STATION_CALLSIGN",
      "OPERATOR", "STX_STRING", "STX"};
  for (int i = 0; i < kFieldCount; ++i) {
    if (kNames[i] == upper_name) return static_cast<Field>(i);
  }
  return std::nullopt;
}

void AdifRecord::Set(Field field, std::string value) {
  values_[field] = std::move(value);
  present_[field] = true;
  any_ = true;
}

void AdifRecord::Clear() {
  present_.fill(false);
  any_ = false;
}

const std::string* AdifRecord::Get(Field field) const {
  return present_[field] ? &values_[field] : nullptr;
}

std::optional<uint8_t> AdifRecord::Band(uint32_t line, Report& report) const {
  if (const std::string* band = Get(kBand); band != nullptr && !Trim(*band).empty()) {
    const std::string name = Trim(*band);
    const std::optional<uint8_t> index = BandOfAdifName(name);
    if (!index) report.Add(line, "band " + name + " is outside the contest bands, not scored");
    return index;
  }
  if (const std::string* freq = Get(kFreq); freq != nullptr && !Trim(*freq).empty()) {
    const std::string mhz = Trim(*freq);
    const std::optional<int64_t> hz = ParseFrequency(mhz, kMegahertz);
    if (!hz) {
      report.Add(line, "cannot read FREQ '" + mhz + "' (MHz), not scored");
      return std::nullopt;
    }
    const std::optional<uint8_t> index = BandOfHertz(*hz);
    if (!index) {
      report.Add(line, "frequency " + mhz + " MHz is outside the contest bands, not scored");
    }
    return index;
  }
  report.Add(line, "record has neither BAND nor FREQ, not scored");
  return std::nullopt;
}

void AdifRecord::AddTo(uint32_t line, ParsedLog& log, Report& report, int64_t& time_key) const {
  const std::string* own = Get(kStationCallsign);
  if (own == nullptr || Trim(*own).empty()) own = Get(kOperator);
  const std::string own_call = own != nullptr ? UpperCase(Trim(*own)) : std::string();
  if (log.own_call.empty()) log.own_call = own_call;
  const std::string call = Get(kCall) != nullptr ? UpperCase(Trim(*Get(kCall))) : std::string();
  if (call.empty()) {
    report.Add(line, "record without CALL, not scored");
    return;
  }
  const std::optional<uint8_t> band = Band(line, report);
  if (!band) return;
  const std::optional<std::string_view> mode =
      ModeOfAdif(Get(kMode) != nullptr ? Trim(*Get(kMode)) : std::string());
  if (!mode) {
    report.Add(line, "record without MODE, not scored");
    return;
  }
  const std::string* date = Get(kQsoDate);
  const std::string* time = Get(kTimeOn);
  if (date != nullptr || time != nullptr) {
    const std::optional<int64_t> key = AdifTimeKey(date != nullptr ? Trim(*date) : std::string(),
                                                   time != nullptr ? Trim(*time) : std::string());
    if (key) {
      time_key = *key;
    } else {
      report.Add(line,
                 "cannot read QSO_DATE and TIME_ON (YYYYMMDD, hhmm[ss]); taken to follow "
                 "the contact before it");
    }
  }
  const std::string* exchange = Get(kSrxString);
  if (exchange == nullptr || Trim(*exchange).empty()) exchange = Get(kSrx);
  const std::string prefix = Get(kPfx) != nullptr ? UpperCase(Trim(*Get(kPfx))) : std::string();
  const std::string* sent = Get(kStxString);
  if (sent == nullptr || Trim(*sent).empty()) sent = Get(kStx);
  const std::string sent_exchange = sent != nullptr ? Trim(*sent) : std::string();
  log.SetSentCall(own_call);
  log.Add(time_key, line, *band, static_cast<uint8_t>(ModeIndex(*mode)),
          {call, exchange != nullptr ? std::string_view(*exchange) : std::string_view(), prefix,
           sent_exchange});
}

}  // namespace qxqy::logfile
