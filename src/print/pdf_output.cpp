#include "pdf_output.h"

#include "print/print_replay.h"
#include "print/whole_file_write.h"

namespace quorvel::print {

QString writeReportPdf(const std::vector<PrintStep>& steps, const PdfPrinterFactory& pdfPrinter,
                       const QString& path, const std::vector<platform::PagePainter>& lastPages) {
    if (!pdfPrinter) return QStringLiteral("Saving as PDF is not available here.");
    return writeWholeFile(path, [&](const QString& temporary) {
        const std::unique_ptr<platform::Printer> printer = pdfPrinter(temporary);
        return printJob(steps, *printer, false, lastPages);
    });
}

}  // namespace quorvel::print
