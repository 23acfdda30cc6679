// Synthetic contest logs for the benchmarks: calls from a mix of home and
// foreign prefixes, the nine bands, three modes, exchanges with district
// codes for home stations and serial numbers for the rest.
#pragma once

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "records/host_record.h"

namespace qxqy::bench {

struct LoggedContact {
  std::string call;
  std::string band;
  std::string mode;
  std::string exchange;
  std::string wpx;
  std::string country;
};

// Produces contacts whose call, band and mode never repeat one produced
// before, so every one of them scores as a new contact.
class ContestLogGenerator {
 public:
  explicit ContestLogGenerator(uint32_t seed) : random_(seed) {}

  LoggedContact Next();
  std::vector<LoggedContact> Take(size_t count);

  // The district table lines the exchanges refer to ("ABC=ABC" ...).
  static std::vector<std::string> DistrictTableLines();

 private:
  std::mt19937 random_;
  std::set<std::tuple<std::string, std::string, std::string>> produced_;
};

// Puts the contact into the fields the host fills for a contact.
void WriteContact(const LoggedContact& contact, HostRecord& record);

}  // namespace qxqy::bench
