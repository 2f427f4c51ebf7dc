// The usage chart drawn with Qt Charts: one bar per budget account, its share of the annual
// budget spent, against a line at the share of the year gone. Accounts past their share take
// a dark hatched fill and say "over" in their label, so the chart reads without colour too.
#pragma once

#include <QImage>
#include <QRectF>
#include <vector>

#include "platform/printer.h"

#include "review/usage_chart.h"

class QChart;
class QPainter;

namespace quorvel::ui {

// Rows on a printed page of the chart: its labels stay readable on A5, A4 and Letter.
inline constexpr int kUsageChartPageRows = 36;

// A new chart of `chart` on `axis`, the caller's to own; its labels sized for rows `rowPixels` high.
QChart* makeUsageChart(const UsageChart& chart, const UsageAxis& axis, double rowPixels);

// The chart painted into `area` (a printed page's printable area, say), laid out for `rows` rows.
void paintUsageChart(QPainter& painter, const QRectF& area, const UsageChart& chart, const UsageAxis& axis,
                     int rows);

// The chart's printed pages, kUsageChartPageRows rows each, on the whole chart's axis.
std::vector<platform::PagePainter> usageChartPrintedPages(const UsageChart& chart);

// The chart as a picture tall enough for every account's label.
QImage usageChartImage(const UsageChart& chart);

}  // namespace quorvel::ui
