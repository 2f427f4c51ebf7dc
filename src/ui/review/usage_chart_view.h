// The usage chart drawn with Qt Charts: one bar per budget account, its share of the annual
// budget spent, against a line at the share of the year gone. Accounts past their share take
// another colour and say "over" in their label, so the chart reads without colour too.
#pragma once

#include <QImage>
#include <QRectF>

#include "review/usage_chart.h"

class QChart;
class QPainter;

namespace quorvel::ui {

// The rows of the chart: an account's bar or a section's title.
int usageChartRows(const UsageChart& chart);

// A new chart of `chart`, the caller's to own; its labels sized for rows `rowPixels` high.
QChart* makeUsageChart(const UsageChart& chart, double rowPixels);

// The chart painted into `area` (a printed page's printable area, say).
void paintUsageChart(QPainter& painter, const QRectF& area, const UsageChart& chart);

// The chart as a picture tall enough for every account's label.
QImage usageChartImage(const UsageChart& chart);

}  // namespace quorvel::ui
