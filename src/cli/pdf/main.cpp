// quorvel-report-pdf: run by `quorvel-cli report ... --pdf` with the same arguments. Writes the
// printed report through the same print steps and Qt printer as the report window's "Save as
// PDF". Needs no display.
#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "cli_support.h"
#include "ledger/month_own_files.h"
#include "platform/qt_printer.h"
#include "print/pdf_output.h"
#include "print/text_codec.h"
#include "report/print_steps.h"
#include "report_command.h"

namespace {

// Qt's notes about the desktop it runs on (no runtime folder, no display) are no concern of a
// command-line run; only its errors are.
void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "quorvel-report-pdf: " << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(qtMessage);
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Fonts and the print system need the application object.
    QApplication app(argc, argv);

    using namespace quorvel;
    auto request = cli::parseReportRequest(args);
    if (!request) return cli::usageError(std::cerr, request.message());
    auto month = cli::loadForReading(request->month);
    if (!month) return cli::fail(std::cerr, month.message());
    if (Status allowed = checkNotMonthOwnFile(request->out, month->ledger.CurrentFile); !allowed)
        return cli::fail(std::cerr, allowed.message());
    const QString error = print::writeReportPdf(
        printedReport(month.value().ledger, request->entries),
        [](const QString& path) { return platform::QtPrinter::pdfFile(path); }, fromPath(request->out));
    if (!error.isEmpty()) return cli::fail(std::cerr, error.toStdString());
    return 0;
}
