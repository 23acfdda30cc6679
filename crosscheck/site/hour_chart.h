// A station's contacts per hour as inline SVG bar charts, one per band.
#pragma once

#include <string>

#include "crosscheck/site/site_model.h"

namespace qxqy::crosscheck::site {

// The most hours a chart draws: a month. A log whose dates lie years apart
// would otherwise make a page of millions of bars.
constexpr size_t kMaxChartHours = size_t{31} * 24;

// The number of hours the station's counts cover: the longest band's list.
size_t HourCount(const HourlyActivity& activity);

// The number of hours the charts draw: HourCount, at most kMaxChartHours.
size_t ChartHours(const HourlyActivity& activity);

// Appends one <figure> per band: a caption (the band and its total) and an
// <svg class="chart"> with role="img" and a <title> that says what it
// shows (its name for screen readers), the scale, and in its <g
// class="bars"> one <rect> per hour with contacts, with a <title> giving
// its hour and count. Every band's chart has ChartHours slots of one hour
// (an hour without contacts leaves its slot empty) on one scale, so the
// bands of a station compare at a glance. Appends nothing when there is no
// band. The scale and the axis, alike in every chart, are written in the
// first one (ids "shared-scale" and "shared-axis") and shown again by <use>
// in the others.
void AppendHourCharts(std::string& out, const HourlyActivity& activity);

}  // namespace qxqy::crosscheck::site
