// The contest check's results as the results site shows them: the adapter
// from ContestResults to the site's own model (site/site_model.h), and the
// site written beside the other outputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "crosscheck/contest_check.h"
#include "crosscheck/site/site_model.h"

namespace qxqy::crosscheck {

// The contest's period as the logs show it, in whole hours (ContestLine's
// minute / 60): from the first to the last hour holding a line confirmed by
// both sides ("ok"), so that a date mistyped in one log does not stretch
// it; when no line is confirmed, from the first to the last credited line.
// `label` names the first hour ("YYYY-MM-DD HHZ").
struct ContestHours {
  bool empty = true;
  int64_t first = 0;
  int64_t last = 0;
  std::string label;
};
ContestHours ContestPeriod(const ContestResults& results);

// The site's model without the stations' pages: one category per category
// label of the checked logs, in the order and with the places of the
// results table (ResultOrder), each row with its claimed score (when the
// log claims a whole number), checked score, contacts credited and error
// rate; one station per checked log, in that order. `logs` receives the
// index in results.logs of each station of the model.
site::SiteModel ResultsSiteModel(const ContestResults& results, std::vector<size_t>& logs);

// Station page of checked log `log`: its report as reports/<STATION>.txt
// holds it, the lines that lost credit in file order with their decision,
// evidence and penalty, and its credited contacts per hour on each band
// ("14 MHz"...), from its first to its last hour within `period`; credited
// contacts outside the period are counted as not shown.
// `report`, when given, is the report's text already formatted.
site::StationPage ResultsStationPage(const ContestResults& results, size_t log,
                                     const ContestHours& period,
                                     const std::string* report = nullptr);

// Writes the results site into `out_dir` (index.html, stations/, style.css;
// site/site_writer.h), the station pages on the check's threads. Throws
// site::SiteWriteError when it cannot be written. `reports`, when given,
// holds each log's report already formatted (AddContestOutputs), by log.
void WriteResultsSite(const ContestResults& results, const std::string& out_dir,
                      const std::vector<std::string>* reports = nullptr);

}  // namespace qxqy::crosscheck
