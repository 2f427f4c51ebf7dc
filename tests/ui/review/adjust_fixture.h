// Driving an adjustment listing and its window, shared by the budget and fund tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "ui/mainwindow/FrmMain.h"

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

}  // namespace quorvel::ui::adjusting
