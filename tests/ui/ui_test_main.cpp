// The UI tests run inside one QApplication on the offscreen platform (no display needed)
// unless QT_QPA_PLATFORM names another: scripts/ui_tests_on_x.sh runs them on an X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // What the program keeps for its user (recent months, window places, account names) goes
    // to a configuration of the run's own, never the user's.
    QTemporaryDir config;
    ::setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName("quorvel-tests");
    QApplication::setApplicationDisplayName("Quorvel");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
