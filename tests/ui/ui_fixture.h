// A main window on the test platform, with a month on disk to open.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "testkit/test_platform.h"
#include "ui/mainwindow/FrmMain.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace quorvel::ui {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : window(test_.platform) { window.show(); }

    // Writes the sample month (with `records`) as `name` and opens it through File, Open.
    std::string openSample(const std::string& name = "NOV2026.rep", const std::vector<ActionRecord>& records = {}) {
        const std::string path = folder.path(name);
        test::writeMonth(test::sampleLedger(), path, records);
        test_.dialogs.chooseFileNext(QString::fromStdString(path));
        window.MnuOpen->trigger();
        return path;
    }

    testkit::ScriptedDialogs& dialogs() { return test_.dialogs; }
    testkit::TestPlatform& testPlatform() { return test_; }

    test::TestFolder folder;

private:
    testkit::TestPlatform test_;

protected:
    FrmMain window;
};

}  // namespace quorvel::ui
