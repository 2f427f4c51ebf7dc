// Print steps made by the core, replayed onto a printer of the platform layer: the default
// printer for "PRINT!", a PDF file for "Save as PDF".
#pragma once

#include <QString>
#include <vector>

#include "platform/printer.h"
#include "report/print_steps.h"

namespace quorvel::print {

// Replays `steps` on a printer whose document has begun, the drawing shrunk where the
// report's widest line would not fit the paper. Page checks read the printer's position as
// the steps reach them; a line that would pass the bottom of the page begins a new one.
void replaySteps(const std::vector<PrintStep>& steps, platform::Printer& printer);

// One whole print job: duplex set, begun, replayed, each of `lastPages` painted on a page of
// its own, ended. The printer's error text, or empty.
QString printJob(const std::vector<PrintStep>& steps, platform::Printer& printer, bool twoSided,
                 const std::vector<platform::PagePainter>& lastPages = {});

}  // namespace quorvel::print
