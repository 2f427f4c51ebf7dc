// Edit/View, "Usage Chart": the usage listing's figures as a chart, which can be saved as a
// PNG picture. It shows the month as it stood when opened; the main window waits meanwhile.
#pragma once

#include <QDialog>
#include <string>

#include "platform/platform.h"
#include "review/usage_chart.h"

class QChartView;
class QPushButton;
class QScrollArea;

namespace quorvel::ui {

class FrmMain;

class FrmUsageChart : public QDialog {
    Q_OBJECT

public:
    // `monthFile` is the loaded month's path: the picture may not land on its files.
    FrmUsageChart(platform::Platform& platform, UsageChart chart, std::string monthFile);

    QScrollArea* ScrollChart = nullptr;
    QChartView* ChartUsage = nullptr;  // in ScrollChart, as tall as its rows need
    QPushButton* CmdSavePng = nullptr;
    QPushButton* CmdClose = nullptr;

public slots:
    void CmdSavePng_Click();

private:
    platform::Platform& platform_;
    UsageChart chart_;
    std::string monthFile_;
};

// Opens the chart of the loaded month.
void MnuUsageChart_Click(FrmMain& main);

}  // namespace quorvel::ui
