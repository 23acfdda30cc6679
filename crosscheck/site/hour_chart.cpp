#include "crosscheck/site/hour_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "crosscheck/site/hour_labels.h"
#include "crosscheck/site/html_text.h"

namespace qxqy::crosscheck::site {
namespace {

// The chart's geometry in SVG user units (CSS pixels at full size).
constexpr int64_t kLeft = 40;  // room for the scale's figures
constexpr int64_t kRight = 8;
constexpr int64_t kTop = 10;
constexpr int64_t kPlotHeight = 72;
constexpr int64_t kBottom = 34;  // hour labels, then day labels
constexpr int64_t kSlot = 12;    // one hour
constexpr int64_t kBarWidth = 9;
constexpr size_t kMinSlots = 24;  // a short activity keeps the bars' width

int64_t CountAt(const BandHours& band, size_t hour) {
  return hour < band.contacts.size() ? std::max<int64_t>(band.contacts[hour], 0) : 0;
}

std::string Contacts(int64_t count) {
  return GroupedNumber(count) + (count == 1 ? " contact" : " contacts");
}

// What the chart says, for its title and for screen readers.
std::string Description(const BandHours& band, const std::vector<HourLabel>& hours, int64_t total) {
  std::string text = "Contacts per hour on " + band.band + ": " + Contacts(total);
  if (!hours.empty()) {
    text += " in " + std::to_string(hours.size()) + (hours.size() == 1 ? " hour" : " hours") +
            " from " + hours.front().full;
  }
  int64_t best = 0;
  size_t best_hour = 0;
  for (size_t hour = 0; hour < hours.size(); ++hour) {
    if (CountAt(band, hour) > best) {
      best = CountAt(band, hour);
      best_hour = hour;
    }
  }
  if (best > 0)
    text += "; most in one hour: " + GroupedNumber(best) + " at " + hours[best_hour].full;
  return text;
}

void AppendText(std::string& out, const char* css_class, int64_t x, int64_t y, const char* anchor,
                const std::string& escaped) {
  out += "<text class=\"" + std::string(css_class) + "\" x=\"" + std::to_string(x) + "\" y=\"" +
         std::to_string(y) + "\" text-anchor=\"" + anchor + "\">" + escaped + "</text>\n";
}

void AppendLine(std::string& out, const char* css_class, int64_t x1, int64_t y1, int64_t x2,
                int64_t y2) {
  out += "<line class=\"" + std::string(css_class) + "\" x1=\"" + std::to_string(x1) + "\" y1=\"" +
         std::to_string(y1) + "\" x2=\"" + std::to_string(x2) + "\" y2=\"" + std::to_string(y2) +
         "\"/>\n";
}

void AppendChart(std::string& out, const BandHours& band, const std::vector<HourLabel>& hours,
                 int64_t scale_top) {
  int64_t total = 0;
  for (size_t hour = 0; hour < hours.size(); ++hour) total += CountAt(band, hour);
  const std::string description = HtmlText(Description(band, hours, total));
  const int64_t width =
      kLeft + static_cast<int64_t>(std::max(hours.size(), kMinSlots)) * kSlot + kRight;
  const int64_t height = kTop + kPlotHeight + kBottom;
  const int64_t base = kTop + kPlotHeight;
  const std::string w = std::to_string(width);
  const std::string h = std::to_string(height);

  out += "<figure class=\"band-chart\">\n<figcaption><span class=\"band-name\">";
  AppendHtmlText(out, band.band);
  out += "</span> <span class=\"band-total\">" + Contacts(total) + "</span></figcaption>\n";
  out += "<svg class=\"chart\" xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" aria-label=\"" +
         description + "\" viewBox=\"0 0 " + w + " " + h + "\" width=\"" + w + "\" height=\"" + h +
         "\">\n<title>" + description + "</title>\n";

  // The scale: its top and its middle, and the axis.
  const int64_t right = width - kRight;
  AppendLine(out, "grid", kLeft, kTop, right, kTop);
  AppendLine(out, "grid", kLeft, kTop + kPlotHeight / 2, right, kTop + kPlotHeight / 2);
  AppendText(out, "scale", kLeft - 6, kTop + 4, "end", GroupedNumber(scale_top));
  AppendText(out, "scale", kLeft - 6, kTop + kPlotHeight / 2 + 4, "end",
             scale_top % 2 == 0 ? GroupedNumber(scale_top / 2) : "");
  AppendText(out, "scale", kLeft - 6, base + 4, "end", "0");

  for (size_t hour = 0; hour < hours.size(); ++hour) {
    const int64_t count = CountAt(band, hour);
    const auto bar_height = static_cast<int64_t>(
        std::llround(static_cast<double>(count) * kPlotHeight / static_cast<double>(scale_top)));
    const int64_t x = kLeft + static_cast<int64_t>(hour) * kSlot + (kSlot - kBarWidth) / 2;
    out += "<rect class=\"bar\" x=\"" + std::to_string(x) + "\" y=\"" +
           std::to_string(base - bar_height) + "\" width=\"" + std::to_string(kBarWidth) +
           "\" height=\"" + std::to_string(bar_height) + "\"><title>";
    AppendHtmlText(out, hours[hour].full + ": " + Contacts(count));
    out += "</title></rect>\n";
  }
  AppendLine(out, "axis", kLeft, base, right, base);

  // Every sixth hour labelled under the axis, and the day where one starts.
  for (size_t hour = 0; hour < hours.size(); ++hour) {
    const int64_t middle = kLeft + static_cast<int64_t>(hour) * kSlot + kSlot / 2;
    if (hours[hour].tick) {
      AppendLine(out, "tick", middle, base, middle, base + 3);
      AppendText(out, "hour", middle, base + 14, "middle", HtmlText(hours[hour].hour));
    }
    if (!hours[hour].day.empty()) {
      AppendText(out, "day", middle - kSlot / 2, base + 28, "start", HtmlText(hours[hour].day));
    }
  }
  out += "</svg>\n</figure>\n";
}

// A round top for the scale at or above `peak`: 1, 2 or 5 times a power of
// ten, at least 4 so the middle line falls on a whole number.
int64_t ScaleTop(int64_t peak) {
  for (int64_t power = 1;; power *= 10) {
    for (int64_t step : {1, 2, 5}) {
      const int64_t top = step * power;
      if (top >= std::max<int64_t>(peak, 4) || power > INT64_MAX / 50) return std::max(top, peak);
    }
  }
}

}  // namespace

size_t HourCount(const HourlyActivity& activity) {
  size_t count = 0;
  for (const BandHours& band : activity.bands) count = std::max(count, band.contacts.size());
  return count;
}

size_t ChartHours(const HourlyActivity& activity) {
  return std::min(HourCount(activity), kMaxChartHours);
}

void AppendHourCharts(std::string& out, const HourlyActivity& activity) {
  const std::vector<HourLabel> hours = HourLabels(activity.first_hour, ChartHours(activity));
  int64_t peak = 0;
  for (const BandHours& band : activity.bands) {
    for (size_t hour = 0; hour < hours.size(); ++hour) peak = std::max(peak, CountAt(band, hour));
  }
  const int64_t scale_top = ScaleTop(peak);
  for (const BandHours& band : activity.bands) AppendChart(out, band, hours, scale_top);
}

}  // namespace qxqy::crosscheck::site
