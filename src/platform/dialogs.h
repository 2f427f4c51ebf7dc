// Message boxes, input boxes and file dialogs, as the program asks for them. The windows
// reach Qt's dialogs only through this interface, so tests answer them from a script.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "platform/printer.h"

namespace quorvel::platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// What a box closed without a choice answers: the button that changes nothing.
constexpr Answer closedAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::YesNoCancel:
            return Answer::Cancel;
    }
    return Answer::Cancel;
}

// Draws a whole document on a printer not yet begun; the error text, or empty.
using DocumentDrawing = std::function<QString(Printer& printer)>;

struct FileDialogOptions {
    QString title;
    QString pattern = "*.rep";  // e.g. "*.REP"
    // What the name box shows at first and a cancelled dialog answers; a folder in front of a
    // wildcard is where the dialog starts.
    QString initialName = "*.rep";
    QString defaultExtension = "rep";
    bool overwritePrompt = false;  // save form: ask before replacing a file
    // Cancelling answers with an empty name rather than the initial one, where the initial
    // name is a real file that a cancel must not be taken to choose.
    bool emptyWhenCancelled = false;
    // When set, the name the name box shows at first instead; cancelling still answers initialName.
    QString suggestedName;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message with the application's title unless `title` is given. OK-only boxes return Ok.
    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok, const QString& title = {}) = 0;
    // The typed text; empty when cancelled.
    virtual QString input(const QString& prompt, const QString& title = {}, const QString& initial = {}) = 0;
    // The chosen file name; when cancelled, the initial name as it stood ("*.rep"), or an empty
    // one with emptyWhenCancelled.
    virtual QString openFile(const FileDialogOptions& options) = 0;
    virtual QString saveFile(const FileDialogOptions& options) = 0;
    // The printer and paper the user picks, offered from `current`; nothing when cancelled.
    virtual std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) = 0;
    // The pages `draw` prints on `choice`'s printer and paper, shown with zoom and page
    // navigation until the user closes them. The drawing's error text, or empty.
    virtual QString preview(const PrinterChoice& choice, const DocumentDrawing& draw) = 0;
};

}  // namespace quorvel::platform
