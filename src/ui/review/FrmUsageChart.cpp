#include "FrmUsageChart.h"

#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "ledger/ledger_routines.h"
#include "ledger/month_own_files.h"
#include "print/text_codec.h"
#include "print/whole_file_write.h"
#include "ui/mainwindow/FrmMain.h"
#include "usage_chart_view.h"

namespace quorvel::ui {

using platform::Answer;
using platform::Buttons;

FrmUsageChart::FrmUsageChart(platform::Platform& platform, UsageChart chart, std::string monthFile)
    : platform_(platform), chart_(std::move(chart)), monthFile_(std::move(monthFile)) {
    setObjectName("FrmUsageChart");
    setWindowTitle("Usage Chart");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    // Tall enough for every label; the window scrolls over it.
    const int rowPixels = 22;
    const int chartHeight = std::max(500, usageChartRows(chart_) * rowPixels + 300);
    ChartUsage = new QChartView(makeUsageChart(chart_, usageAxis(chart_), rowPixels));
    ChartUsage->setObjectName("ChartUsage");
    ChartUsage->setRenderHint(QPainter::Antialiasing);
    ChartUsage->setMinimumSize(820, chartHeight);
    ScrollChart = new QScrollArea(this);
    ScrollChart->setObjectName("ScrollChart");
    ScrollChart->setWidgetResizable(true);
    ScrollChart->setWidget(ChartUsage);
    CmdSavePng = new QPushButton("&Save as PNG", this);
    CmdSavePng->setObjectName("CmdSavePng");
    CmdClose = new QPushButton("&Close", this);
    CmdClose->setObjectName("CmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdSavePng);
    buttons->addWidget(CmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollChart);
    layout->addLayout(buttons);
    // Within the screen, frame and title bar included, so the buttons are never below its edge.
    const QRect room = screen()->availableGeometry();
    resize(std::min(900, room.width() * 9 / 10), std::min(chartHeight + 80, room.height() * 9 / 10));
    connect(CmdSavePng, &QPushButton::clicked, this, &FrmUsageChart::CmdSavePng_Click);
    connect(CmdClose, &QPushButton::clicked, this, &QDialog::close);
}

void FrmUsageChart::CmdSavePng_Click() {
    platform::FileDialogOptions options;
    options.title = "Save Chart as PNG";
    options.pattern = "*.png";
    options.defaultExtension = "png";
    const QString month = fromPath(monthFile_);
    // A wildcard, not a name: a cancelled dialog answers with it and nothing is written.
    options.initialName = month.isEmpty() ? "*.png" : QFileInfo(month).absolutePath() + "/*.png";
    const QString name = platform_.dialogs.saveFile(options);
    if (name.isEmpty() || name.contains('*')) return;
    const QString notSaved = QStringLiteral("The chart could not be saved.\n\n");
    if (const Status allowed = checkNotMonthOwnFile(toPath(name), monthFile_); !allowed) {
        platform_.dialogs.message(notSaved + fromPath(allowed.message()));
        return;
    }
    const QFileInfo target(name);
    if ((target.exists() || target.isSymLink()) &&
        platform_.dialogs.message(name + " already exists.\nDo you want to replace it?", Buttons::YesNo) !=
            Answer::Yes) {
        return;
    }
    const QImage image = usageChartImage(chart_);
    const QString error = print::writeWholeFile(name, [&image](const QString& temporary) {
        return image.save(temporary, "PNG") ? QString()
                                            : QStringLiteral("Cannot write the file %1.").arg(temporary);
    });
    if (!error.isEmpty()) platform_.dialogs.message(notSaved + error);
}

void MnuUsageChart_Click(FrmMain& main) {
    if (!main.requireBudgetAccounts()) return;
    RecomputeTotals(main.ledger());
    auto* window = new FrmUsageChart(main.platform(), usageChart(main.ledger()), main.ledger().CurrentFile);
    window->show();
}

}  // namespace quorvel::ui
