// The desktop services a window may use, handed down from the program's start.
#pragma once

#include <functional>
#include <memory>

#include <QPageSize>

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
};

}  // namespace quorvel::platform
