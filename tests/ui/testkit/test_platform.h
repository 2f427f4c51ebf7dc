// A Platform for UI tests: scripted dialogs, a fake clipboard, and a default printer that
// records each print job so the test reads it after the program has dropped the printer. The
// PDF printer records its jobs the same way and, when a job ends well, writes the job's text
// lines to the file it was given, so the program's file handling runs as with a real PDF.
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
    // The printable height of the pages of printers, PDFs and previews from now on, in twips.
    void setPrinterPageHeight(int twips) { pageHeight_ = dialogs.previewPageHeight = twips; }
    void failPrinterOnEnd(const QString& error) { failOnEnd_ = error; }

    // The printers set up on the computer, as the program finds them.
    QStringList printers = {QStringLiteral("Office"), QStringLiteral("Hall")};
    // The papers every printer takes; empty: any.
    QList<QPageSize> papersTaken;
    // The printer and paper of each job made on the chosen printer, in order.
    const std::vector<platform::PrinterChoice>& printerChoices() const { return printerChoices_; }

    // Every job the program asked for, in order, including those that failed to begin.
    const std::vector<std::shared_ptr<const PrintedDocument>>& printJobs() const { return jobs_; }
    // The only print job; fails the test unless exactly one was made.
    const PrintedDocument& onlyPrintJob() const;

    struct PdfJob {
        QString path;
        QPageSize::PageSizeId paper;
        std::shared_ptr<const PrintedDocument> document;
    };
    // Every PDF document the program asked for, in order, with the file and paper it was to go to.
    const std::vector<PdfJob>& pdfJobs() const { return pdfJobs_; }
    // PDF printers made from now on fail to end with `error`; empty restores.
    void failPdfOnEnd(const QString& error) { failPdfOnEnd_ = error; }

private:
    std::unique_ptr<platform::Printer> makePrinter();
    std::unique_ptr<platform::Printer> makePdfPrinter(const QString& path, const QPageSize& paper);

    std::vector<std::shared_ptr<const PrintedDocument>> jobs_;
    std::vector<platform::PrinterChoice> printerChoices_;
    QString failOnBegin_;
    int pageHeight_ = 0;  // none set
    QString failOnEnd_;
    std::vector<PdfJob> pdfJobs_;
    QString failPdfOnEnd_;
};

}  // namespace quorvel::testkit
