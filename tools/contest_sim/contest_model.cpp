#include "tools/contest_sim/contest_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "tools/contest_sim/call_edits.h"
#include "tools/contest_sim/pair_table.h"
#include "tools/contest_sim/sim_random.h"

namespace qxqy::contest_sim {
namespace {

// A repeat comes at least this long after the contact it repeats.
constexpr int kRepeatGapMinutes = 20;
// Partners looked at for a station that needs one, in the same group first.
constexpr int kLookahead = 8;
// A log's clock is set off only when this many of its lines pair cleanly,
// so that the check can measure the offset.
constexpr int kClockMatchesNeeded = 20;
// Tries at a new station's call before giving up (never near, at the sizes
// the options allow).
constexpr int kCallAttempts = 100000;
constexpr uint32_t kNone = UINT32_MAX;
constexpr double kNearCallNilChance = 0.2;
constexpr double kJitterChance = 0.05;
constexpr double kBandChangeChance = 0.05;
constexpr uint32_t kContestStartDay = 20526;  // 2026-03-14

struct BandPlan {
  uint16_t cw_span;       // CW from the lower edge up this many kHz
  uint16_t phone_offset;  // phone from here above the lower edge ...
  uint16_t phone_span;    // ... this many kHz up
};
constexpr std::array<BandPlan, kBands> kBandPlans = {{{40, 40, 160},
                                                      {100, 100, 200},
                                                      {60, 60, 140},
                                                      {70, 150, 200},
                                                      {70, 200, 250},
                                                      {70, 300, 400}}};

const std::vector<std::string>& DxPrefixes() {
  static const std::vector<std::string> prefixes = {
      "DL", "PA", "G",  "F",  "I",  "EA", "OK", "SP", "JA", "K",  "W",  "N",  "VE", "VK",
      "LU", "PY", "ZS", "UA", "HA", "OH", "SM", "LA", "ON", "S5", "9A", "YO", "LZ", "4X"};
  return prefixes;
}

std::string RandomLetters(SimRandom& random, int count) {
  std::string letters;
  for (int i = 0; i < count; ++i) letters += static_cast<char>('A' + random.Below(26));
  return letters;
}

// A call from QX or QY, or from elsewhere. Calls one edit apart are kept
// out, so short suffixes are few (of the 26 x 26 two-letter suffixes only
// 26 are pairwise two edits apart); `long_share` of the QX and QY calls get
// four letters, which a big contest needs for room.
std::string RandomCall(SimRandom& random, bool qxqy, double long_share) {
  std::string call;
  if (qxqy) {
    call = random.Chance(0.5) ? "QX" : "QY";
    const uint32_t roll = random.Below(25);
    call += static_cast<char>('0' + random.Below(10));
    call += RandomLetters(random, roll == 0 ? 1 : roll < 3 ? 2 : random.Chance(long_share) ? 4 : 3);
  } else {
    const auto& prefixes = DxPrefixes();
    call = prefixes[random.Below(static_cast<uint32_t>(prefixes.size()))];
    call += static_cast<char>('0' + random.Below(10));
    call += RandomLetters(random, random.Chance(0.4) ? 2 : 3);
  }
  return call;
}

struct Operating {
  uint32_t quota = 0;  // lines to write (a station sending a log), else contacts
  uint32_t done = 0;
  uint32_t serial = 0;
  uint8_t band = 0;
  Mode mode = Mode::kCw;
  uint8_t modes = 3;     // bit 0 CW, bit 1 phone
  bool waiting = false;  // carried to the next minute for want of a partner
};

class Simulator {
 public:
  explicit Simulator(const SimSettings& settings)
      : settings_(settings),
        rates_(settings.rates),
        random_(settings.seed),
        minutes_(static_cast<int>(std::max<uint32_t>(settings.hours, 1) * 60)),
        due_by_minute_(static_cast<size_t>(minutes_) + 1) {}

  Contest Run() {
    MakeStations();
    for (int minute = 0; minute < minutes_; ++minute) RunMinute(minute);
    Finish();
    return std::move(contest_);
  }

 private:
  // Stations --------------------------------------------------------------

  void MakeStations() {
    const double sending = 1.0 - std::min(rates_.no_log, 0.9);
    const auto total = static_cast<uint32_t>(std::ceil(settings_.logs / sending));
    contest_.start_day = kContestStartDay;
    const double long_share = std::clamp(total / 20000.0, 0.05, 0.6);
    contest_.stations.resize(total);
    contest_.lines.resize(total);
    operating_.resize(total);
    near_.assign(total, kNone);
    for (uint32_t i = 0; i < total; ++i) {
      Station& station = contest_.stations[i];
      station.qxqy = !random_.Chance(settings_.dx_share);
      int attempts = 0;
      do {
        if (++attempts > kCallAttempts) {
          throw std::runtime_error("cannot invent " + std::to_string(total) +
                                   " calls two edits apart from each other");
        }
        station.call = RandomCall(random_, station.qxqy, long_share);
      } while (!neighbourhood_.FarFromAllBut(station.call, CallNeighbourhood::kNobody));
      // (No draw without near calls: a contest without them stays as it was.)
      if (i > 0 && near_[i - 1] == kNone && rates_.near_calls > 0 &&
          random_.Chance(rates_.near_calls)) {
        MakeNearCall(i);
      }
      neighbourhood_.Add(station.call, i);
      contest_.calls.push_back(station.call);
      station.district =
          static_cast<uint8_t>(random_.Below(static_cast<uint32_t>(Districts().size())));
      station.power = static_cast<uint8_t>(random_.Below(3));
      station.multi_op = random_.Chance(0.1);
    }
    // Exactly `logs` stations send a log: the first of a shuffled order.
    std::vector<uint32_t> order(total);
    for (uint32_t i = 0; i < total; ++i) order[i] = i;
    Shuffle(order);
    for (uint32_t i = 0; i < settings_.logs && i < total; ++i) {
      contest_.stations[order[i]].sends_log = true;
    }
    for (uint32_t i = 0; i < total; ++i) {
      Operating& op = operating_[i];
      const double size = 0.3 + 1.4 * random_.Unit();
      const double lines = settings_.qsos_per_log * size;
      op.quota = std::max<uint32_t>(
          1, static_cast<uint32_t>(contest_.stations[i].sends_log ? lines : lines / 2));
      const uint32_t roll = random_.Below(20);
      op.modes = roll < 8 ? 1 : roll < 13 ? 2 : 3;
      ChooseBandAndMode(op);
      Schedule(i, static_cast<int>(random_.Below(static_cast<uint32_t>(Gap(op)))));
    }
  }

  // Gives station `i` a call one edit from station i - 1's, in its suffix
  // (the prefix and the digit kept), when one far from every other call
  // comes up.
  void MakeNearCall(uint32_t i) {
    const std::string& model = contest_.calls[i - 1];
    for (int attempt = 0; attempt < 20; ++attempt) {
      std::string call = OneEditVariant(model, random_);
      if (call.size() < 4 || call.compare(0, 3, model, 0, 3) != 0 ||
          call.find_first_of("0123456789", 3) != std::string::npos ||
          !neighbourhood_.FarFromAllBut(call, i - 1)) {
        continue;
      }
      Station& station = contest_.stations[i];
      station.call = std::move(call);
      station.qxqy = contest_.stations[i - 1].qxqy;
      near_[i] = i - 1;
      near_[i - 1] = i;
      return;
    }
  }

  // True unless `a` and `b` would meet within a quarter of an hour of
  // either one meeting the other's near call: the rules would read the two
  // contacts against each other.
  bool NearCallsApart(uint32_t a, uint32_t b, int minute) {
    const uint32_t near_a = near_[a];
    const uint32_t near_b = near_[b];
    return (near_b == kNone || near_b == a || pairs_.FarInTime(a, near_b, minute)) &&
           (near_a == kNone || near_a == b || pairs_.FarInTime(near_a, b, minute));
  }

  bool MayMeet(uint32_t a, uint32_t b, int band, Mode mode, int minute) {
    return pairs_.MayWork(a, b, band, mode, minute) && NearCallsApart(a, b, minute);
  }

  int Gap(const Operating& op) const {
    const int mean = std::max(1, static_cast<int>(minutes_ * 0.85 / op.quota));
    return 2 * mean - 1;  // draws in [1, 2 * mean - 1] average `mean`
  }

  void Schedule(uint32_t station, int minute) {
    if (minute < minutes_) due_by_minute_[static_cast<size_t>(minute)].push_back(station);
  }

  void ChooseBandAndMode(Operating& op) {
    op.band = static_cast<uint8_t>(random_.Below(kBands));
    if (op.modes == 3) {
      op.mode = random_.Chance(0.5) ? Mode::kCw : Mode::kPhone;
    } else {
      op.mode = op.modes == 1 ? Mode::kCw : Mode::kPhone;
    }
  }

  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (size_t i = items.size(); i > 1; --i) {
      std::swap(items[i - 1], items[random_.Below(static_cast<uint32_t>(i))]);
    }
  }

  // One minute: every station due acts once --------------------------------

  void RunMinute(int minute) {
    std::vector<uint32_t> due;
    due.swap(due_by_minute_[static_cast<size_t>(minute)]);
    Shuffle(due);
    std::array<std::vector<uint32_t>, kBands * 2> groups;
    for (uint32_t station : due) {
      Operating& op = operating_[station];
      if (random_.Chance(kBandChangeChance)) ChooseBandAndMode(op);
      // A station still waiting for a partner has had its chance to act alone.
      if (contest_.stations[station].sends_log && !op.waiting && ActAlone(station, minute)) {
        Done(station, minute);
        continue;
      }
      groups[op.band * 2 + static_cast<int>(op.mode)].push_back(station);
    }
    std::vector<uint32_t> left;
    for (auto& group : groups) PairUp(group, minute, left);
    std::vector<uint32_t> still_left;
    PairUp(left, minute, still_left);
    for (uint32_t station : still_left) {
      operating_[station].waiting = true;
      Schedule(station, minute + 1);
    }
  }

  // Pairs the stations of `queue` that may work each other, each with one
  // of the next few; the rest go to `left`.
  void PairUp(std::vector<uint32_t>& queue, int minute, std::vector<uint32_t>& left) {
    for (size_t i = 0; i < queue.size(); ++i) {
      const uint32_t a = queue[i];
      if (a == UINT32_MAX) continue;
      const Operating& op = operating_[a];
      bool paired = false;
      for (size_t j = i + 1; j < queue.size() && j <= i + kLookahead; ++j) {
        const uint32_t b = queue[j];
        if (b == UINT32_MAX) continue;
        // Across groups the partner comes to a's band and mode, if it works that mode.
        const bool works_mode = (operating_[b].modes & (1u << static_cast<int>(op.mode))) != 0;
        if (!works_mode || !MayMeet(a, b, op.band, op.mode, minute)) continue;
        queue[j] = UINT32_MAX;
        MakeContact(a, b, minute, op.band, op.mode);
        Done(a, minute);
        Done(b, minute);
        paired = true;
        break;
      }
      if (!paired) left.push_back(a);
    }
  }

  void Done(uint32_t station, int minute) {
    Operating& op = operating_[station];
    op.waiting = false;
    if (++op.done < op.quota) Schedule(station, minute + random_.Between(1, Gap(op)));
  }

  // A station's line with no one on the other end: never logged by the
  // other side, a call nobody has, or a repeat of an earlier contact.
  bool ActAlone(uint32_t station, int minute) {
    const double roll = random_.Unit();
    double edge = rates_.nil;
    if (roll < edge) return LogNeverLogged(station, minute);
    edge += rates_.unknown_call;
    if (roll < edge) return LogUnknownCall(station, minute);
    edge += rates_.dupe;
    if (roll < edge) return Repeat(station, minute);
    return false;
  }

  bool LogNeverLogged(uint32_t station, int minute) {
    const Operating& op = operating_[station];
    const auto total = static_cast<uint32_t>(contest_.stations.size());
    for (int attempt = 0; attempt < 4; ++attempt) {
      const uint32_t other = random_.Below(total);
      if (other == station || !MayMeet(station, other, op.band, op.mode, minute)) continue;
      pairs_.Record(station, other, op.band, op.mode, minute);
      SimLine line = NewLine(station, minute, op.band, op.mode);
      line.call = other;
      SetReceivedExchange(line, contest_.stations[other], random_.Between(1, 999));
      line.cause = LineCause::kNeverLoggedByOther;
      line.other_cause = LineCause::kNoOtherSide;
      line.truth = contest_.stations[other].sends_log ? Decision::kNil : Decision::kByCall;
      contest_.lines[station].push_back(line);
      return true;
    }
    return false;
  }

  bool LogUnknownCall(uint32_t station, int minute) {
    const Operating& op = operating_[station];
    for (int attempt = 0; attempt < 8; ++attempt) {
      const bool qxqy = random_.Chance(0.5);
      const std::string call = RandomCall(random_, qxqy, 0.3);
      if (!neighbourhood_.FarFromAllBut(call, CallNeighbourhood::kNobody)) continue;
      const uint32_t index = InternCall(call);
      if (!FirstExtraLine(station, index, op.band, op.mode)) continue;
      SimLine line = NewLine(station, minute, op.band, op.mode);
      line.call = index;
      line.received = qxqy ? random_.Below(static_cast<uint32_t>(Districts().size()))
                           : static_cast<uint32_t>(random_.Between(1, 999));
      line.received_district = qxqy;
      line.cause = LineCause::kUnknownCall;
      line.other_cause = LineCause::kNoOtherSide;
      line.truth = Decision::kByCall;
      contest_.lines[station].push_back(line);
      return true;
    }
    return false;
  }

  // Works again, on its band and mode, a partner both sides logged with the
  // right call on the right band; the partner logs the repeat half the time.
  bool Repeat(uint32_t station, int minute) {
    auto& lines = contest_.lines[station];
    if (lines.empty()) return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
      const SimLine first = lines[random_.Below(static_cast<uint32_t>(lines.size()))];
      const uint32_t other = first.call;
      if (!first.repeatable || minute - first.minute < kRepeatGapMinutes ||
          !pairs_.FarInTime(station, other, minute)) {
        continue;
      }
      pairs_.Record(station, other, first.band, first.mode, minute);
      Operating& op = operating_[station];
      op.band = first.band;
      op.mode = first.mode;
      const uint32_t other_serial = ++operating_[other].serial;
      SimLine line = NewLine(station, minute, first.band, first.mode);
      line.call = other;
      SetReceivedExchange(line, contest_.stations[other], other_serial);
      line.cause = line.other_cause = LineCause::kRepeat;
      line.truth = Decision::kDupe;
      line.happened = true;
      const bool other_logs = contest_.stations[other].sends_log && random_.Chance(0.5);
      if (!other_logs) line.other_cause = LineCause::kNoOtherSide;
      const uint32_t own_serial = line.sent_serial;
      lines.push_back(line);
      if (other_logs) {
        SimLine theirs = NewLine(other, minute, first.band, first.mode, other_serial);
        theirs.call = station;
        SetReceivedExchange(theirs, contest_.stations[station], own_serial);
        theirs.cause = theirs.other_cause = LineCause::kRepeat;
        theirs.truth = Decision::kDupe;
        theirs.happened = true;
        contest_.lines[other].push_back(theirs);
      }
      return true;
    }
    return false;
  }

  // A contact both sides made ----------------------------------------------

  struct Side {
    uint32_t station;
    uint32_t serial;
    LineState state = LineState::kRight;
    uint8_t band = 0;   // as logged
    uint32_t call = 0;  // as logged
  };

  void MakeContact(uint32_t a, uint32_t b, int minute, uint8_t band, Mode mode) {
    pairs_.Record(a, b, band, mode, minute);
    Side sides[2] = {{a, ++operating_[a].serial}, {b, ++operating_[b].serial}};
    for (int i = 0; i < 2; ++i) {
      Side& side = sides[i];
      const Side& other = sides[1 - i];
      side.band = band;
      side.call = other.station;
      if (contest_.stations[side.station].sends_log) {
        DrawLineState(side, other.station, band, mode);
      }
    }
    for (int i = 0; i < 2; ++i) {
      const Side& side = sides[i];
      const Side& other = sides[1 - i];
      const Station& other_station = contest_.stations[other.station];
      if (!contest_.stations[side.station].sends_log) continue;
      SimLine line = NewLine(side.station, minute, side.band, mode, side.serial);
      line.call = side.call;
      SetReceivedExchange(line, other_station, other.serial);
      line.cause = CauseOf(side.state);
      line.other_cause = other_station.sends_log ? CauseOf(other.state) : LineCause::kSendsNoLog;
      const bool other_wrong_band = other.state == LineState::kWrongBand;
      if (side.state == LineState::kExchangeBusted) BustExchange(line);
      OtherSide seen{
          other_station.sends_log, other.state,
          side.state == LineState::kWrongBand && other_wrong_band && side.band == other.band};
      line.truth = DecideContactLine(side.state, seen);
      line.happened = side.state == LineState::kRight || side.state == LineState::kExchangeBusted;
      line.repeatable =
          line.happened && (!other_station.sends_log || other.state == LineState::kRight ||
                            other.state == LineState::kExchangeBusted);
      contest_.lines[side.station].push_back(line);
      if (line.repeatable && random_.Chance(rates_.double_entry)) EnterTwice(side.station);
    }
    const auto names_other = [&](const Side& side) {
      return contest_.stations[side.station].sends_log &&
             (side.state == LineState::kRight || side.state == LineState::kExchangeBusted);
    };
    if (names_other(sides[0]) && names_other(sides[1])) {
      for (int i = 0; i < 2; ++i) {
        if (near_[sides[i].station] != kNone && random_.Chance(kNearCallNilChance)) {
          NearCallNil(sides[i].station, sides[1 - i].station, minute, band, mode);
        }
      }
      if (random_.Chance(rates_.moved_band)) MoveBand(sides[0], sides[1], minute, band, mode);
    }
  }

  // `worked` and `partner` logged each other right; the near call of
  // `worked` writes a line to `partner` within a minute that `partner`
  // never logged. It is nil: `partner`'s log holds a call one edit from it
  // then, but that station logged `partner` there and then, which explains
  // it (and the line that holds it is paired).
  void NearCallNil(uint32_t worked, uint32_t partner, int minute, uint8_t band, Mode mode) {
    const uint32_t near = near_[worked];
    if (near == kNone || near == partner || !contest_.stations[near].sends_log) return;
    const int at = minute + random_.Between(0, 1);
    const uint32_t near_partner = near_[partner];
    if (!pairs_.MayWork(near, partner, band, mode, at) ||
        (near_partner != kNone && !pairs_.FarInTime(near, near_partner, at))) {
      return;
    }
    pairs_.Record(near, partner, band, mode, at);
    SimLine line = NewLine(near, at, band, mode);
    line.jitter = 0;
    line.call = partner;
    SetReceivedExchange(line, contest_.stations[partner], random_.Between(1, 999));
    line.cause = LineCause::kNeverLoggedByOther;
    line.other_cause = LineCause::kNearCallWorkedThem;
    line.truth = Decision::kNil;
    contest_.lines[near].push_back(line);
  }

  // The operator enters the line just written again, a minute or two later
  // at most (never earlier, so that it is the dupe): the other side's line
  // pairs with the first entry.
  void EnterTwice(uint32_t station) {
    auto& lines = contest_.lines[station];
    SimLine copy = lines.back();
    copy.minute += copy.jitter + random_.Between(0, 2);
    copy.jitter = 0;
    copy.sent_serial = ++operating_[station].serial;
    copy.cause = LineCause::kEnteredTwice;
    copy.other_cause = LineCause::kNoOtherSide;
    copy.truth = Decision::kDupe;
    copy.repeatable = false;
    lines.push_back(copy);
  }

  // Right after a contact both logged with each other's call on its band,
  // the pair works again on another band one or two minutes later; a third
  // of the time the one, a third the other side does not log it. The lines
  // pair when both log it. A line whose other side missed it is nil: the
  // other side's line of the first contact is in the window on another
  // band, but it is paired, and only unpaired lines are evidence for
  // band-or-mode (which both lines would get). As for any line the other
  // side never logged, the contact counts as not having happened. Logged
  // without error and on time (no operator's minute).
  void MoveBand(const Side& first, const Side& second, int minute, uint8_t band, Mode mode) {
    const uint32_t a = first.station;
    const uint32_t b = second.station;
    uint8_t moved = band;
    for (int attempt = 0; attempt < 4 && moved == band; ++attempt) {
      const auto candidate = static_cast<uint8_t>(random_.Below(kBands));
      if (candidate != band && !pairs_.Used(a, b, candidate, mode)) moved = candidate;
    }
    if (moved == band) return;
    const int at = minute + random_.Between(1, 2);
    pairs_.Record(a, b, moved, mode, at);
    const uint32_t missing = random_.Below(3);  // 0: a, 1: b, 2: nobody
    const uint32_t serials[2] = {++operating_[a].serial, ++operating_[b].serial};
    const uint32_t stations[2] = {a, b};
    for (uint32_t i = 0; i < 2; ++i) {
      if (missing == i) continue;
      const uint32_t other = stations[1 - i];
      SimLine line = NewLine(stations[i], at, moved, mode, serials[i]);
      line.jitter = 0;
      line.call = other;
      SetReceivedExchange(line, contest_.stations[other], serials[1 - i]);
      line.cause = LineCause::kMovedBand;
      line.other_cause = missing == 2 ? LineCause::kMovedBand : LineCause::kMissedIt;
      line.truth = missing == 2 ? Decision::kOk : Decision::kNil;
      line.happened = missing == 2;
      contest_.lines[stations[i]].push_back(line);
    }
  }

  void DrawLineState(Side& side, uint32_t other, uint8_t band, Mode mode) {
    const double roll = random_.Unit();
    double edge = rates_.busted_call;
    if (roll < edge) {
      for (int attempt = 0; attempt < 6; ++attempt) {
        const std::string busted = OneEditVariant(contest_.calls[other], random_);
        if (!neighbourhood_.FarFromAllBut(busted, other)) continue;
        const uint32_t index = InternCall(busted);
        if (!FirstExtraLine(side.station, index, band, mode)) continue;
        side.state = LineState::kCallBusted;
        side.call = index;
        return;
      }
      return;
    }
    edge += rates_.busted_exchange;
    if (roll < edge) {
      side.state = LineState::kExchangeBusted;
      return;
    }
    edge += rates_.wrong_band;
    if (roll < edge) {
      for (int attempt = 0; attempt < 4; ++attempt) {
        const auto wrong = static_cast<uint8_t>(random_.Below(kBands));
        if (wrong == band || pairs_.Used(side.station, other, wrong, mode)) continue;
        // Neither side may work the other there later: the wrong line would
        // take that contact's place.
        pairs_.MarkUsed(side.station, other, wrong, mode);
        side.state = LineState::kWrongBand;
        side.band = wrong;
        return;
      }
    }
  }

  static LineCause CauseOf(LineState state) {
    switch (state) {
      case LineState::kExchangeBusted:
        return LineCause::kExchangeBusted;
      case LineState::kCallBusted:
        return LineCause::kCallBusted;
      case LineState::kWrongBand:
        return LineCause::kWrongBand;
      case LineState::kRight:
        break;
    }
    return LineCause::kRight;
  }

  // Lines -------------------------------------------------------------------

  SimLine NewLine(uint32_t station, int minute, uint8_t band, Mode mode, uint32_t serial = 0) {
    SimLine line;
    line.minute = minute;
    line.band = band;
    line.mode = mode;
    line.sent_serial = serial != 0 ? serial : ++operating_[station].serial;
    const BandPlan& plan = kBandPlans[band];
    line.khz_offset = static_cast<uint16_t>(mode == Mode::kCw ? random_.Below(plan.cw_span)
                                                              : plan.phone_offset +
                                                                    random_.Below(plan.phone_span));
    if (random_.Chance(kJitterChance)) line.jitter = random_.Chance(0.5) ? 1 : -1;
    return line;
  }

  static void SetReceivedExchange(SimLine& line, const Station& sender, uint32_t serial) {
    line.received_district = sender.qxqy;
    line.received = sender.qxqy ? sender.district : serial;
  }

  void BustExchange(SimLine& line) {
    if (line.received_district) {
      const auto count = static_cast<uint32_t>(Districts().size());
      line.received = (line.received + 1 + random_.Below(count - 1)) % count;
    } else {
      line.received = line.received + 1 + random_.Below(9);
    }
  }

  uint32_t InternCall(const std::string& call) {
    const auto [it, added] =
        extra_calls_.emplace(call, static_cast<uint32_t>(contest_.calls.size()));
    if (added) contest_.calls.push_back(call);
    return it->second;
  }

  // False when `station` already wrote a line to this invented call on this
  // band and mode: a second one would be a dupe nobody meant.
  bool FirstExtraLine(uint32_t station, uint32_t call, int band, Mode mode) {
    const uint64_t key = static_cast<uint64_t>(station) << 36 | static_cast<uint64_t>(call) << 4 |
                         static_cast<uint64_t>(band * 2 + static_cast<int>(mode));
    return extra_lines_.insert(key).second;
  }

  // After the last minute ----------------------------------------------------

  void Finish() {
    auto& stations = contest_.stations;
    for (uint32_t i = 0; i < stations.size(); ++i) {
      auto& lines = contest_.lines[i];
      std::stable_sort(lines.begin(), lines.end(), [](const SimLine& x, const SimLine& y) {
        return x.minute + x.jitter < y.minute + y.jitter;
      });
      if (!stations[i].sends_log || lines.empty()) continue;
      if (random_.Chance(rates_.clock)) SetClockOff(stations[i], lines);
      if (random_.Chance(rates_.second_log) && lines.size() >= 4) {
        stations[i].second_log_lines = static_cast<uint32_t>(lines.size() / 2);
      }
      if (random_.Chance(rates_.not_scored)) AddNotScoredLine(lines);
    }
    SettleByCall();
  }

  void SetClockOff(Station& station, const std::vector<SimLine>& lines) {
    const auto clean = std::count_if(lines.begin(), lines.end(), [](const SimLine& line) {
      return line.truth == Decision::kOk || line.truth == Decision::kBustedExchange;
    });
    if (clean < kClockMatchesNeeded) return;
    station.clock_offset = random_.Between(5, 30) * (random_.Chance(0.5) ? 1 : -1);
  }

  void AddNotScoredLine(std::vector<SimLine>& lines) {
    const auto at = random_.Below(static_cast<uint32_t>(lines.size()));
    SimLine line = lines[at];
    line.cause = LineCause::kNotScored;
    line.other_cause = LineCause::kNoOtherSide;
    line.truth = Decision::kNotScored;
    line.happened = false;
    line.repeatable = false;
    line.x_qso = random_.Chance(0.5);
    lines.insert(lines.begin() + at + 1, line);
  }

  // "unverified" when the call is in a line of another checked log, else
  // "unique". A second log is set aside, a not-scored line never read.
  void SettleByCall() {
    std::vector<uint32_t> logs_with(contest_.calls.size(), 0);
    std::vector<uint32_t> last_log(contest_.calls.size(), UINT32_MAX);
    for (uint32_t i = 0; i < contest_.stations.size(); ++i) {
      for (const SimLine& line : contest_.lines[i]) {
        if (line.cause == LineCause::kNotScored || last_log[line.call] == i) continue;
        last_log[line.call] = i;
        ++logs_with[line.call];
      }
    }
    for (auto& lines : contest_.lines) {
      for (SimLine& line : lines) {
        if (line.truth != Decision::kByCall) continue;
        line.truth = logs_with[line.call] >= 2 ? Decision::kUnverified : Decision::kUnique;
      }
    }
  }

  const SimSettings& settings_;
  const SimRates& rates_;
  SimRandom random_;
  int minutes_;
  Contest contest_;
  std::vector<Operating> operating_;
  std::vector<uint32_t> near_;  // the station whose call is one edit from this one's
  std::vector<std::vector<uint32_t>> due_by_minute_;
  PairTable pairs_;
  CallNeighbourhood neighbourhood_;
  std::unordered_map<std::string, uint32_t> extra_calls_;
  std::unordered_set<uint64_t> extra_lines_;
};

}  // namespace

std::string_view CauseWord(LineCause cause) {
  switch (cause) {
    case LineCause::kRight:
      return "right";
    case LineCause::kExchangeBusted:
      return "exchange-busted";
    case LineCause::kCallBusted:
      return "call-busted";
    case LineCause::kWrongBand:
      return "wrong-band";
    case LineCause::kNeverLoggedByOther:
      return "never-logged-by-other";
    case LineCause::kUnknownCall:
      return "call-nobody-has";
    case LineCause::kRepeat:
      return "repeat";
    case LineCause::kNotScored:
      return "not-scored";
    case LineCause::kEnteredTwice:
      return "entered-twice";
    case LineCause::kMovedBand:
      return "moved-band";
    case LineCause::kMissedIt:
      return "missed-it";
    case LineCause::kNearCallWorkedThem:
      return "near-call-worked-them";
    case LineCause::kSendsNoLog:
      return "sends-no-log";
    case LineCause::kNoOtherSide:
      break;
  }
  return "none";
}

const std::vector<std::string>& Districts() {
  static const std::vector<std::string> districts = {
      "ALB", "BEX", "CAR", "DUN", "ELM", "FEN", "GAR", "HOL", "IVY", "JUN",
      "KEL", "LOM", "MAR", "NOR", "OAK", "PIN", "RIV", "SAL", "TOR", "VEX"};
  return districts;
}

Contest SimulateContest(const SimSettings& settings) {
  if (settings.logs == 0 || settings.qsos_per_log == 0) {
    throw std::invalid_argument("a contest needs at least one log of at least one contact line");
  }
  return Simulator(settings).Run();
}

}  // namespace qxqy::contest_sim
