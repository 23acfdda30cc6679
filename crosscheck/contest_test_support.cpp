#include "crosscheck/contest_test_support.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>

namespace qxqy::crosscheck {

std::string Cabrillo(const std::string& station, const std::string& sent,
                     const std::vector<std::string>& contacts, const std::string& header) {
  std::ostringstream out;
  out << "START-OF-LOG: 3.0\nCALLSIGN: " << station << '\n' << header;
  for (const std::string& contact : contacts) {
    std::istringstream in(contact);
    std::string band, mode, time, call, exchange;
    in >> band >> mode >> time >> call >> exchange;
    const std::map<std::string, std::string> khz = {{"1.8", "1825"}, {"3.5", "3525"},
                                                    {"7", "7025"},   {"14", "14025"},
                                                    {"21", "21025"}, {"28", "28025"}};
    std::string day = "2026-03-14";
    if (time.size() == 6) {  // "d+hhmm": a later day
      day = "2026-03-1" + std::to_string(4 + (time[0] - '0'));
      time = time.substr(2);
    }
    out << "QSO: " << khz.at(band) << ' ' << mode << ' ' << day << ' ' << time << ' ' << station
        << " 599 " << sent << ' ' << call << " 599 " << exchange << '\n';
  }
  out << "END-OF-LOG:\n";
  return out.str();
}

LogInput Log(const std::string& name, const std::string& station, const std::string& sent,
             const std::vector<std::string>& contacts) {
  return {name, "", Cabrillo(station, sent, contacts)};
}

ContestOptions TestOptions() {
  ContestOptions options;
  options.plugins_folder = "/nonexistent/";
  return options;
}

GeneratedContest Generate(unsigned seed, size_t stations) {
  std::mt19937 random(seed);
  const auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  const std::vector<std::string> calls = {"QX1AA", "QX1AB", "QY2BB", "QY2BC", "QX3CC",
                                          "QY4DD", "QX1BA", "DL1XX", "QY5EE", "QX6FF"};
  const std::vector<std::string> bands = {"3.5", "7", "14"};
  const std::vector<std::string> modes = {"CW", "PH"};
  std::map<std::string, std::vector<std::string>> lines;
  std::map<std::string, int> skew;
  for (size_t s = 0; s < stations; ++s) skew[calls[s]] = pick(5) == 0 ? 4 : 0;
  const auto hhmm = [](int minute) {
    char text[24];
    std::snprintf(text, sizeof text, "%02d%02d", 12 + minute / 60 % 12, minute % 60);
    return std::string(text);
  };
  for (int c = 0; c < 60; ++c) {
    const std::string& x = calls[pick(stations)];
    const std::string& y = calls[pick(calls.size())];
    if (x == y) continue;
    const int minute = static_cast<int>(pick(90));
    const std::string band = bands[pick(bands.size())];
    const std::string mode = modes[pick(modes.size())];
    const auto write = [&](const std::string& from, const std::string& to) {
      if (pick(10) == 0) return;  // missed
      std::string call = to;
      if (pick(12) == 0) call[pick(call.size())] = 'Z';
      const std::string line_band = pick(15) == 0 ? bands[pick(bands.size())] : band;
      const std::string exchange = pick(12) == 0 ? "XXX" : to.substr(2);
      lines[from].push_back(line_band + " " + mode + " " +
                            hhmm(minute + skew[from] + int(pick(2))) + " " + call + " " + exchange);
    };
    write(x, y);
    if (lines.count(y) != 0 ||
        std::find(calls.begin(), calls.begin() + stations, y) != calls.begin() + stations) {
      write(y, x);
    }
  }
  GeneratedContest contest;
  for (const auto& [station, contacts] : lines) {
    if (std::find(calls.begin(), calls.begin() + stations, station) == calls.begin() + stations) {
      continue;
    }
    std::string text = Cabrillo(station, station.substr(2), contacts);
    if (pick(3) == 0) {
      text.insert(text.find("END-OF-LOG"), "QSO: broken line\n");
      ++contest.contact_lines;
    }
    contest.contact_lines += contacts.size();
    contest.logs.push_back({"log-" + station, "", text});
  }
  return contest;
}

}  // namespace qxqy::crosscheck
