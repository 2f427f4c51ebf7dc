#include "chosen_printer.h"

#include "mainwindow/user_settings.h"

namespace quorvel::ui {

QString printerReadyQuestion(const platform::PrinterChoice& choice) {
    return choice.printer.isEmpty() ? QStringLiteral("Is the default printer ready?")
                                    : QStringLiteral("Is the printer %1 ready?").arg(choice.printer);
}

std::unique_ptr<platform::Printer> rememberedPrinterJob(const platform::Platform& platform) {
    return platform.chosenPrinter ? platform.chosenPrinter(printerChoice()) : platform.defaultPrinter();
}

}  // namespace quorvel::ui
