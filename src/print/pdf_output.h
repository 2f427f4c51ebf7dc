// The printed report written as a PDF file. The document goes to a temporary file beside the
// target and replaces it only once complete and on disk, so a failure never leaves half a PDF
// or spoils the file that was there.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/printer.h"
#include "report/print_steps.h"

namespace quorvel::print {

using PdfPrinterFactory = std::function<std::unique_ptr<platform::Printer>(const QString& path)>;

// Writes `steps` (and each of `lastPages` on a page of its own) as one document to `path`.
// The error text, or empty on success.
QString writeReportPdf(const std::vector<PrintStep>& steps, const PdfPrinterFactory& pdfPrinter,
                       const QString& path, const std::vector<platform::PagePainter>& lastPages = {});

}  // namespace quorvel::print
