// Every printout goes to the printer and paper chosen in the report window ("Printer..."),
// or to the default printer until one is chosen.
#pragma once

#include <QString>
#include <memory>

#include "platform/platform.h"

namespace quorvel::ui {

// The question asked before printing, naming the printer the job goes to.
QString printerReadyQuestion(const platform::PrinterChoice& choice);

// A fresh job on the remembered printer and paper.
std::unique_ptr<platform::Printer> rememberedPrinterJob(const platform::Platform& platform);

}  // namespace quorvel::ui
