// Driving an adjustment listing and its window, shared by the budget and fund tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "ui/mainwindow/FrmMain.h"
#include "ui/widgets/ChildWindow.h"

namespace quorvel::ui::adjusting {

// Runs `command`, selects line `line` of its listing (-1: none) and presses `button`.
inline void choose(FrmMain& window, void (*command)(FrmMain&), int line, QPushButton* button) {
    command(window);
    ASSERT_TRUE(button->isVisible());
    if (line < 0) {
        window.LstMain->clearSelection();
    } else {
        window.LstMain->setCurrentRow(line);
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

// The adjusting window that is open, which hides the main window while it is.
template <typename Window>
Window* openWindow(const FrmMain& window) {
    Window* found = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* w = qobject_cast<Window*>(top); w && w->isVisible()) found = w;
    }
    EXPECT_NE(found, nullptr);
    EXPECT_FALSE(window.isVisible()) << "the main window stays hidden while the window is open";
    return found;
}

// Replaces a box's text as a user would.
inline void retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Record numbers of the action lines listed (positions 88-90).
inline QStringList listedRecords(const FrmMain& window) {
    QStringList numbers;
    const QStringList lines = window.listLines();
    for (int i = 1; i < lines.size(); ++i) numbers << lines[i].mid(87, 3);
    return numbers;
}

// However a command ended, the summary of `path` is back and nothing is left open or waiting.
inline void expectSummaryBack(const FrmMain& window, const std::string& path, const std::string& where) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isVisible()) << where;
    EXPECT_EQ(window.listLines().value(0), "   File loaded is " + QString::fromStdString(path)) << where;
    EXPECT_FALSE(window.isWaiting()) << where;
    for (QPushButton* b : {window.CmdProcede, window.CmdCancel, window.CmdEdit, window.CmdDisplay})
        EXPECT_FALSE(b->isVisible()) << where << ": " << b->objectName().toStdString();
    EXPECT_TRUE(window.MnuEdit->isEnabled()) << where;
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<ChildWindow*>(w), nullptr) << where << ": left behind";
}

}  // namespace quorvel::ui::adjusting
