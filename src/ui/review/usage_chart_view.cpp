#include "usage_chart_view.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QHorizontalStackedBarSeries>
#include <QLineSeries>
#include <QPainter>
#include <QSet>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "print/text_codec.h"

namespace quorvel::ui {
namespace {

constexpr double kNominalWidth = 1000;  // the scene's width; painting scales it to the target
constexpr double kFrame = 240;          // the title, the value axis and the legend, about

struct Bars {
    QStringList categories;
    QList<qreal> within;
    QList<qreal> past;
};

QString percent(double share) { return QString::number(share * 100, 'f', 1) + '%'; }

Bars bars(const UsageChart& chart, const UsageAxis& axis) {
    Bars b;
    QSet<QString> taken;  // the axis wants every category once
    auto add = [&b, &taken](QString label, double value, bool past) {
        while (taken.contains(label)) label += ' ';
        taken.insert(label);
        b.categories << label;
        b.within << (past ? 0 : value);
        b.past << (past ? value : 0);
    };
    // The axis runs upwards; the first account goes on top, as in the listing.
    for (auto g = chart.groups.rbegin(); g != chart.groups.rend(); ++g) {
        const UsageGroup& group = *g;
        for (auto bar = group.bars.rbegin(); bar != group.bars.rend(); ++bar) {
            const double share = bar->figure.months.value_or(0) / 12;
            QString label = fromCp1252(bar->number + " " + bar->name).trimmed() + "  ";
            label += bar->figure.months ? percent(share) : QStringLiteral("no budget");
            if (bar->pastShare) label += QStringLiteral("  [over]");
            add(label, shareOnAxis(axis, share * 100), bar->pastShare);
        }
        if (!group.title.empty())
            add(QStringLiteral("- %1 -").arg(fromCp1252(group.title).trimmed()), 0, false);
    }
    return b;
}

}  // namespace

QChart* makeUsageChart(const UsageChart& chart, const UsageAxis& axis, double rowPixels) {
    const Bars b = bars(chart, axis);
    auto* within = new QBarSet(QStringLiteral("Within the year's share"));
    within->append(b.within);
    within->setColor(QColor(0xa8, 0xc8, 0xe8));
    within->setBorderColor(QColor(0x4a, 0x7d, 0xb5));
    // Dark and hatched: past its share still stands out from a black-and-white printer.
    auto* past = new QBarSet(QStringLiteral("Past the year's share [over]"));
    past->append(b.past);
    past->setBrush(QBrush(QColor(0x7a, 0x1c, 0x05), Qt::DiagCrossPattern));
    past->setBorderColor(QColor(0x7a, 0x1c, 0x05));
    auto* series = new QHorizontalStackedBarSeries;
    series->append(within);
    series->append(past);
    series->setBarWidth(0.7);

    auto* result = new QChart;
    result->addSeries(series);
    result->setTitle(QStringLiteral("Budget usage: share of each annual budget spent in the year"));
    QFont title = result->titleFont();
    title.setPixelSize(18);
    title.setBold(true);
    result->setTitleFont(title);
    auto* accounts = new QBarCategoryAxis;
    accounts->append(b.categories);
    // A label taller than its row is cut down to an ellipsis.
    QFont labels = accounts->labelsFont();
    labels.setPixelSize(static_cast<int>(std::clamp(rowPixels * 0.45, 5.0, 13.0)));
    accounts->setLabelsFont(labels);
    result->addAxis(accounts, Qt::AlignLeft);
    series->attachAxis(accounts);

    auto* shares = new QValueAxis;
    shares->setRange(axis.low, axis.high);
    shares->setTickCount(static_cast<int>(std::lround((axis.high - axis.low) / axis.step)) + 1);
    shares->setLabelFormat(QStringLiteral("%.0f"));
    shares->setTitleText(QStringLiteral("% of the annual budget spent"));
    result->addAxis(shares, Qt::AlignBottom);
    series->attachAxis(shares);

    if (chart.monthsGone) {
        const double gone = *chart.monthsGone * 100.0 / 12;
        auto* year = new QLineSeries;
        year->setName(QStringLiteral("Year gone: %1 of 12 months (%2)")
                          .arg(*chart.monthsGone)
                          .arg(percent(*chart.monthsGone / 12.0)));
        year->append(gone, -0.5);
        year->append(gone, static_cast<qreal>(b.categories.size()) - 0.5);
        year->setPen(QPen(Qt::black, 2, Qt::DashLine));
        result->addSeries(year);
        year->attachAxis(shares);
        year->attachAxis(accounts);
    } else {
        result->setTitle(result->title() +
                         QStringLiteral(" (the month file's name does not say which month it is)"));
    }
    result->legend()->setAlignment(Qt::AlignBottom);
    return result;
}

void paintUsageChart(QPainter& painter, const QRectF& area, const UsageChart& chart, const UsageAxis& axis,
                     int rows) {
    QGraphicsScene scene;
    const double height = kNominalWidth * area.height() / std::max(area.width(), 1.0);
    QChart* drawn = makeUsageChart(chart, axis, (height - kFrame) / std::max(rows, 1));
    scene.addItem(drawn);  // the scene owns it
    const QRectF nominal(0, 0, kNominalWidth, height);
    drawn->setGeometry(nominal);
    scene.setSceneRect(nominal);
    // The chart lays itself out on posted events; a chart painted without an event loop must
    // have them now, or its labels are cut to fit a layout not yet made.
    QCoreApplication::sendPostedEvents();
    scene.render(&painter, area, nominal);
}

QImage usageChartImage(const UsageChart& chart) {
    const int height = std::max(600, usageChartRows(chart) * 40 + static_cast<int>(kFrame));
    QImage image(1200, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintUsageChart(painter, QRectF(image.rect()), chart, usageAxis(chart), usageChartRows(chart));
    return image;
}

std::vector<platform::PagePainter> usageChartPrintedPages(const UsageChart& chart) {
    std::vector<platform::PagePainter> painters;
    const UsageAxis axis = usageAxis(chart);  // the same on every page
    for (UsageChart& page : usageChartPages(chart, kUsageChartPageRows)) {
        painters.push_back([page = std::move(page), axis](QPainter& painter, const QRectF& area) {
            paintUsageChart(painter, area, page, axis, kUsageChartPageRows);
        });
    }
    return painters;
}

}  // namespace quorvel::ui
