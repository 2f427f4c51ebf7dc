// Acting on a modal dialog from inside its own event loop, for tests of the real Qt dialogs.
#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace quorvel::test {

// Once a modal `Dialog` is up, runs `act` on it. If `act` leaves it open, the dialog is
// rejected and the test fails, so a wrong step can never leave the test waiting.
template <class Dialog>
void whenModal(std::function<void(Dialog*)> act, int attemptsLeft = 100) {
    QTimer::singleShot(0, [act, attemptsLeft] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (attemptsLeft > 0)
                whenModal<Dialog>(act, attemptsLeft - 1);
            else
                ADD_FAILURE() << "no modal dialog of the expected kind appeared";
            return;
        }
        act(dialog);
        QPointer<QDialog> guard(dialog);
        QTimer::singleShot(0, [guard] {
            if (guard && guard->isVisible()) {
                ADD_FAILURE() << "the dialog was still open after the test's step";
                guard->done(QDialog::Rejected);
            }
        });
    });
}

}  // namespace quorvel::test
