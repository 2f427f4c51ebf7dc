// The desktop services a window may use, handed down from the program's start.
#pragma once

#include <functional>
#include <memory>

#include <QPageSize>
#include <QStringList>

#include "clipboard.h"
#include "dialogs.h"
#include "printer.h"

namespace quorvel::platform {

struct Platform {
    Dialogs& dialogs;
    Clipboard& clipboard;
    // A fresh job on the default printer each time something is printed.
    std::function<std::unique_ptr<Printer>()> defaultPrinter;
    // A job written as a PDF document on `paper` to the file `path`; empty where the program has none.
    std::function<std::unique_ptr<Printer>(const QString& path, const QPageSize& paper)> pdfPrinter = {};
    // A fresh job on the chosen printer and paper each time the report is printed.
    std::function<std::unique_ptr<Printer>(const PrinterChoice& choice)> chosenPrinter = {};
    // The names of the printers set up on the computer.
    std::function<QStringList()> printerNames = {};
    // Whether the choice's printer (the default one for an empty name) takes its paper; a printer
    // that does not prints on its own paper instead.
    std::function<bool(const PrinterChoice& choice)> takesPaper = {};
};

}  // namespace quorvel::platform
