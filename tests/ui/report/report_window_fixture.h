// The report window over the sample month with a few actions, its account names kept in the
// test's folder.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "ui/report/frmprinter.h"
#include "ui_fixture.h"

namespace quorvel::ui {

class ReportWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        monthPath = openSample(
            "NOV2026.rep",
            {test::bx("101", Money::cents(4000), "ck 1"), test::keyed("DP", "", Money::cents(50000)),
             test::keyed("DD", "01234", Money::cents(2500)), test::bx("102", Money::cents(995), "ck 2"),
             test::keyed("SX", "11111", Money::cents(1250))});
        ASSERT_EQ(window.ledger().CurrentFile, monthPath);
    }

    ~ReportWindowTest() override {
        // A window left open by a failed check must not outlive the main window it serves.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmprinter*>(w)) delete w;
    }

    QString namesFile() const { return QString::fromStdString(folder.path("config/accounts.dat")); }

    // Opens the report window as the File menu's "Print" does.
    QPointer<frmprinter> openReportWindow() {
        auto* report = new frmprinter(window, namesFile());
        report->start();
        return report;
    }

    // True when the run ended: the report window gone, the main window back.
    bool closedAndBack(const QPointer<frmprinter>& report) const {
        return (!report || !report->isVisible()) && window.isVisible();
    }

    std::string monthPath;
};

}  // namespace quorvel::ui
