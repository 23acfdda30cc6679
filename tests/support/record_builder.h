// Builds host records for tests: every text field by name, fluently.
#pragma once

#include <cstdint>
#include <string_view>

#include "records/host_record.h"

namespace qxqy::testing {

class RecordBuilder {
 public:
  RecordBuilder() : record_{} {}
  RecordBuilder& Connection(uint32_t handle) {
    record_.Connection = handle;
    return *this;
  }
  RecordBuilder& LogTable(std::string_view v) { return Set(record_.LogTable, v); }
  RecordBuilder& Call(std::string_view v) { return Set(record_.Call, v); }
  RecordBuilder& Band(std::string_view v) { return Set(record_.Band, v); }
  RecordBuilder& Mode(std::string_view v) { return Set(record_.Mode, v); }
  RecordBuilder& QsoGroup(std::string_view v) { return Set(record_.QsoGroup, v); }
  RecordBuilder& OwnGroup(std::string_view v) { return Set(record_.OwnGroup, v); }
  RecordBuilder& ReportReceived(std::string_view v) { return Set(record_.ReportReceived, v); }
  RecordBuilder& LookupCountry(std::string_view v) { return Set(record_.LookupCountry, v); }
  RecordBuilder& Wpx(std::string_view v) { return Set(record_.Wpx, v); }
  RecordBuilder& LogCaption(std::string_view v) { return Set(record_.LogCaption, v); }
  RecordBuilder& Country(std::string_view v) { return Set(record_.Country, v); }
  // A contact: call, band, mode and received exchange at once.
  RecordBuilder& Contact(std::string_view call, std::string_view band, std::string_view mode,
                         std::string_view report = "") {
    return Call(call).Band(band).Mode(mode).ReportReceived(report);
  }
  const HostRecord& Get() const { return record_; }
  operator const HostRecord&() const { return record_; }

 private:
  RecordBuilder& Set(ShortText& slot, std::string_view value) {
    WriteShortText(slot, value);
    return *this;
  }
  HostRecord record_;
};

}  // namespace qxqy::testing
