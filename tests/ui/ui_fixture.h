// A main window on the test platform, with a month on disk to open, and the few steps every
// window test takes: pick a line, find the window on screen, read the files back.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "review/month_summary.h"
#include "testkit/test_platform.h"
#include "ui/mainwindow/FrmMain.h"
#include "ui/widgets/ChildWindow.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace quorvel::ui {

// The visible top-level window of type W, if any.
template <typename W>
W* shown() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* w = qobject_cast<W*>(top); w && w->isVisible()) return w;
    return nullptr;
}

// The month file and its journal as they are on disk.
struct Files {
    std::string month, journal;
    bool operator==(const Files&) const = default;
};
inline Files filesOf(const std::string& month) {
    return {test::readFile(month), test::readFile(Journal::pathFor(month))};
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : window(test_.platform) { window.show(); }
    ~MainWindowTest() override {
        // A window left open by a failed check must not outlive the main window it serves.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parent() && (qobject_cast<QDialog*>(w) || w->inherits("quorvel::ui::FrmNew"))) delete w;
    }

    // Writes `ledger` (the sample month by default) with `records` as `name` and opens it.
    std::string openSample(const std::string& name = "NOV2026.rep",
                           const std::vector<ActionRecord>& records = {},
                           const Ledger& ledger = test::sampleLedger()) {
        path = folder.path(name);
        test::writeMonth(ledger, path, records);
        open(path);
        return path;
    }
    void open(const std::string& month) {
        dialogs().chooseFileNext(QString::fromStdString(month));
        window.MnuOpen->trigger();
    }

    // Line `row` of the main list (-1: none) chosen with `button`.
    void pick(int row, QPushButton* button) {
        ASSERT_TRUE(button->isVisible()) << "no list waits for " << button->objectName().toStdString();
        row < 0 ? window.LstMain->clearSelection() : window.LstMain->setCurrentRow(row);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // However a command ended, the summary of `path` is back and nothing waits or stays open.
    void expectSummaryBack(const std::string& where) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isVisible()) << where;
        EXPECT_EQ(window.listLines().value(0), "   File loaded is " + QString::fromStdString(path)) << where;
        EXPECT_FALSE(window.isWaiting()) << where;
        for (QPushButton* b : {window.CmdProcede, window.CmdCancel, window.CmdEdit, window.CmdDisplay})
            EXPECT_FALSE(b->isVisible()) << where << ": " << b->objectName().toStdString();
        EXPECT_TRUE(window.MnuActions->isEnabled() && window.MnuEdit->isEnabled()) << where;
        // What is shown is what the next load of the files finds.
        Ledger disk = test::loadMonth(path).ledger;
        RecomputeTotals(disk);
        const std::vector<std::string> summary = monthSummaryLines(disk);
        QStringList expected;
        for (std::size_t i = 1; i < summary.size(); ++i) expected << QString::fromLatin1(summary[i]);
        EXPECT_EQ(window.listLines().mid(1), expected) << where;
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_TRUE(w == &window || !(w->isVisible() || qobject_cast<ChildWindow*>(w)))
                << where << ": left behind " << w->objectName().toStdString();
    }
    Files files() const { return filesOf(path); }
    QString lastMessage() { return dialogs().lastMessage().text; }

    testkit::ScriptedDialogs& dialogs() { return test_.dialogs; }
    testkit::TestPlatform& testPlatform() { return test_; }

    test::TestFolder folder;
    std::string path;  // the month opened last
    testkit::TestPlatform test_;
    FrmMain window;
};

}  // namespace quorvel::ui
