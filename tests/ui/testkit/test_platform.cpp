#include "testkit/test_platform.h"

#include <gtest/gtest.h>

#include <QFile>

namespace quorvel::testkit {

namespace {

// Stands in for a PDF file: the recorded lines, written when the document ends well.
class PdfStandIn : public RecordingPrinter {
public:
    PdfStandIn(std::shared_ptr<PrintedDocument> document, QString path)
        : RecordingPrinter(document), document_(std::move(document)), path_(std::move(path)) {}

    QString end() override {
        QString error = RecordingPrinter::end();
        if (!error.isEmpty()) return error;
        QFile file(path_);
        if (!file.open(QIODevice::WriteOnly) || file.write(document_->allText().join('\n').toUtf8()) < 0)
            return QStringLiteral("Cannot write the file %1.").arg(path_);
        return {};
    }

private:
    std::shared_ptr<PrintedDocument> document_;
    QString path_;
};

}  // namespace

TestPlatform::TestPlatform()
    : platform{dialogs,
               clipboard,
               [this] { return makePrinter(); },
               [this](const QString& path, const QPageSize& paper) { return makePdfPrinter(path, paper); },
               [this](const platform::PrinterChoice& choice) {
                   printerChoices_.push_back(choice);
                   return makePrinter();
               },
               [this] { return printers; },
               [this](const platform::PrinterChoice& choice) {
                   return papersTaken.isEmpty() || !choice.paper.isValid() ||
                          papersTaken.contains(choice.paper);
               }} {}

std::unique_ptr<platform::Printer> TestPlatform::makePdfPrinter(const QString& path, const QPageSize& paper) {
    auto document = std::make_shared<PrintedDocument>();
    pdfJobs_.push_back(PdfJob{path, paper.id(), document});
    auto printer = std::make_unique<PdfStandIn>(std::move(document), path);
    printer->setFailOnEnd(failPdfOnEnd_);
    if (pageHeight_ > 0) printer->setPageHeight(pageHeight_);
    return printer;
}

std::unique_ptr<platform::Printer> TestPlatform::makePrinter() {
    auto document = std::make_shared<PrintedDocument>();
    jobs_.push_back(document);
    auto printer = std::make_unique<RecordingPrinter>(std::move(document));
    printer->setFailOnBegin(failOnBegin_);
    printer->setFailOnEnd(failOnEnd_);
    if (pageHeight_ > 0) printer->setPageHeight(pageHeight_);
    return printer;
}

const PrintedDocument& TestPlatform::onlyPrintJob() const {
    static const PrintedDocument none;
    if (jobs_.size() != 1) {
        ADD_FAILURE() << "expected one print job, the program made " << jobs_.size();
        return jobs_.empty() ? none : *jobs_.back();
    }
    return *jobs_.front();
}

}  // namespace quorvel::testkit
