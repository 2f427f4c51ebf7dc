// A Platform for UI tests: scripted dialogs, a fake clipboard, and a default printer that
// records each print job so the test reads it after the program has dropped the printer.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "testkit/fake_clipboard.h"
#include "testkit/recording_printer.h"
#include "testkit/scripted_dialogs.h"

namespace quorvel::testkit {

class TestPlatform {
public:
    TestPlatform();
    TestPlatform(const TestPlatform&) = delete;
    TestPlatform& operator=(const TestPlatform&) = delete;

    ScriptedDialogs dialogs;
    FakeClipboard clipboard;
    // Hand this to the windows under test.
    platform::Platform platform;

    // Printers made from now on fail to begin (no printer) or to end, with `error`; empty restores.
    void failPrinterOnBegin(const QString& error) { failOnBegin_ = error; }
    void failPrinterOnEnd(const QString& error) { failOnEnd_ = error; }

    // Every job the program asked for, in order, including those that failed to begin.
    const std::vector<std::shared_ptr<const PrintedDocument>>& printJobs() const { return jobs_; }
    // The only print job; fails the test unless exactly one was made.
    const PrintedDocument& onlyPrintJob() const;

private:
    std::unique_ptr<platform::Printer> makePrinter();

    std::vector<std::shared_ptr<const PrintedDocument>> jobs_;
    QString failOnBegin_;
    QString failOnEnd_;
};

}  // namespace quorvel::testkit
