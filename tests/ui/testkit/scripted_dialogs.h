// Dialogs answered from a script the test writes in advance. Every dialog the program shows
// is logged. A dialog with no answer waiting fails the test and gets a harmless answer, so a
// test never hangs on a dialog; answers still waiting when the script is destroyed fail it too.
//
// Answers are queued per kind (message boxes, input boxes, file dialogs), each in order.
// OK-only message boxes take no answer: they are logged and return Ok.
#pragma once

#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/dialogs.h"
#include "testkit/recording_printer.h"

namespace quorvel::testkit {

struct Shown {
    enum class Kind { Message, Input, OpenFile, SaveFile, ChoosePrinter, Preview };
    Kind kind;
    QString text;  // the message, or the input box's prompt
    QString title;
    platform::Buttons buttons = platform::Buttons::Ok;  // message boxes
    QString initial;                                    // input boxes
    platform::FileDialogOptions file;                   // file dialogs
    platform::PrinterChoice printer;                    // printer choice (as offered) and preview
};

class ScriptedDialogs : public platform::Dialogs {
public:
    ScriptedDialogs() = default;
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The answer to the next message box with buttons (OkCancel: Ok/Cancel; YesNo: Yes/No).
    void answerNext(platform::Answer answer);
    // What the user types into the next input box and confirms.
    void typeNext(const QString& text);
    // The next input box is cancelled (returns empty).
    void cancelInputNext();
    // The name the user picks in the next open or save dialog.
    void chooseFileNext(const QString& name);
    // The next file dialog is cancelled (returns the options' initialName, or an empty name).
    void cancelFileNext();
    // The printer and paper the user picks in the next printer choice.
    void choosePrinterNext(const platform::PrinterChoice& choice);

    // Each preview's pages, drawn on a recording printer, in order.
    std::vector<std::shared_ptr<const PrintedDocument>> previews;
    int previewPageHeight = 0;  // twips; 0: no text reaches the bottom

    // Answers not yet taken by a dialog.
    int pendingAnswers() const;

    // Everything shown, in order.
    std::vector<Shown> shown;
    // The texts of the message boxes, in order.
    QStringList messages() const;
    // The prompts of the input boxes, in order.
    QStringList prompts() const;
    // The last message box shown; fails the test when there was none.
    Shown lastMessage() const;

    platform::Answer message(const QString& text, platform::Buttons buttons = platform::Buttons::Ok,
                             const QString& title = {}) override;
    QString input(const QString& prompt, const QString& title = {}, const QString& initial = {}) override;
    QString openFile(const platform::FileDialogOptions& options) override;
    QString saveFile(const platform::FileDialogOptions& options) override;
    std::optional<platform::PrinterChoice> choosePrinter(const platform::PrinterChoice& current) override;
    QString preview(const platform::PrinterChoice& choice, const platform::DocumentDrawing& draw) override;

private:
    QString fileDialog(Shown::Kind kind, const platform::FileDialogOptions& options);

    std::deque<platform::Answer> answers_;
    std::deque<std::optional<QString>> typed_;   // nullopt: cancelled
    std::deque<std::optional<QString>> chosen_;  // nullopt: cancelled
    std::deque<platform::PrinterChoice> printers_;
};

}  // namespace quorvel::testkit
