// An invented contest: its stations, and every contact line each station
// that sends a log wrote, with the decision a perfect check gives it (see
// truth_rules.h) and whether the contact it records really happened.
//
// Stations work each other minute by minute over the contest's hours on
// six bands in CW and phone; each side logs a contact with errors at the
// rates given. A station's calls, busted calls and calls nobody has are
// kept apart as truth_rules.h describes, so that the truth follows from
// what was simulated.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/contest_sim/truth_rules.h"

namespace qxqy::contest_sim {

struct SimRates {
  double busted_call = 0.01;      // a line's call one edit off
  double busted_exchange = 0.01;  // a line's received exchange wrong
  double wrong_band = 0.005;      // a line on a band the contact was not on
  double nil = 0.005;             // a line the other side never logged
  double unknown_call = 0.002;    // a line to a call nobody has
  double dupe = 0.005;            // a contact worked again on its band and mode
  double clock = 0.05;            // a log's clock off by minutes
  double no_log = 0.15;           // a station that sends no log
  double not_scored = 0.01;       // a log with one line the reader does not score
  double second_log = 0.002;      // a station that sends a second, shorter log
  double double_entry = 0.002;    // a line entered twice, a minute or two apart
  double moved_band = 0.003;      // a pair works again on another band a minute or two later
  // Per station: its call is one edit from another station's. A fifth of
  // the contacts such a neighbour makes gets a line from the other
  // neighbour to the same partner, which that partner never logged.
  double near_calls = 0.0;
};

struct SimSettings {
  uint32_t logs = 100;          // stations that send a log
  uint32_t qsos_per_log = 200;  // contact lines a log holds on average
  uint64_t seed = 1;
  uint32_t hours = 48;
  double dx_share = 0.4;  // stations outside QX and QY
  SimRates rates;
};

// Why a line is what it is: the event on its own side, and on the other.
enum class LineCause : uint8_t {
  kRight,
  kExchangeBusted,
  kCallBusted,
  kWrongBand,
  kNeverLoggedByOther,  // the other side never logged it: it did not happen
  kUnknownCall,
  kRepeat,        // a contact worked again on its band and mode
  kNotScored,     // an X-QSO line or a QSO line the reader rejects
  kEnteredTwice,  // the second entry of a line
  kMovedBand,     // a contact right after another of the pair, on another band
  // Only as the other side's cause:
  kMissedIt,            // the other side did not log the contact on the new band
  kNearCallWorkedThem,  // the other side logged a station one edit from us then
  kSendsNoLog,          // the other station sends no log
  kNoOtherSide,         // no contact happened, or the line is not scored
};
std::string_view CauseWord(LineCause cause);

enum class Mode : uint8_t { kCw, kPhone };
inline constexpr int kBands = 6;  // 160, 80, 40, 20, 15, 10 m

struct Station {
  std::string call;
  bool sends_log = false;
  bool qxqy = false;              // sends a district, else a serial number
  uint8_t district = 0;           // index into Districts()
  int clock_offset = 0;           // minutes its log's times are ahead
  uint32_t second_log_lines = 0;  // > 0: a second log of its first lines
  uint8_t power = 0;              // 0 high, 1 low, 2 QRP
  bool multi_op = false;
};

// One contact line of a log, as simulated.
struct SimLine {
  int32_t minute = 0;  // true time, minutes from the contest's start
  uint32_t call = 0;   // index into Contest::calls
  uint32_t sent_serial = 0;
  uint32_t received = 0;    // the serial or district index copied
  uint16_t khz_offset = 0;  // above the band's lower edge
  uint8_t band = 0;
  Mode mode = Mode::kCw;
  bool received_district = false;
  int8_t jitter = 0;  // minutes the operator's logged time is off
  LineCause cause = LineCause::kRight;
  LineCause other_cause = LineCause::kRight;
  bool x_qso = false;       // a not-scored line: X-QSO, else a QSO line short of a field
  bool repeatable = false;  // both sides logged it right, but perhaps the exchange
  Decision truth = Decision::kOk;
  bool happened = false;  // records a contact that happened, with that call on that band
};

struct Contest {
  std::vector<Station> stations;
  // Every call written in a log: the stations' calls first (index = the
  // station's), then the busted calls and the calls nobody has.
  std::vector<std::string> calls;
  // Each station's lines in the order worked (empty for one sending no log).
  std::vector<std::vector<SimLine>> lines;
  uint32_t start_day = 0;  // the contest's first day, as days since 1970-01-01
};

// The three-letter district codes QX and QY stations send.
const std::vector<std::string>& Districts();

// Invents the contest `settings` describe; the same settings give the same
// contest. Every line's truth is final (kByCall settled).
Contest SimulateContest(const SimSettings& settings);

}  // namespace qxqy::contest_sim
