#include "testkit/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace quorvel::testkit {

using platform::Answer;
using platform::Buttons;
using platform::FileDialogOptions;

namespace {

const char* name(Answer answer) {
    switch (answer) {
        case Answer::Ok:
            return "Ok";
        case Answer::Cancel:
            return "Cancel";
        case Answer::Yes:
            return "Yes";
        case Answer::No:
            return "No";
    }
    return "?";
}

bool fits(Answer answer, Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return answer == Answer::Ok;
        case Buttons::OkCancel:
            return answer == Answer::Ok || answer == Answer::Cancel;
        case Buttons::YesNo:
            return answer == Answer::Yes || answer == Answer::No;
        case Buttons::YesNoCancel:
            return answer != Answer::Ok;
    }
    return false;
}

}  // namespace

ScriptedDialogs::~ScriptedDialogs() {
    if (pendingAnswers() != 0) {
        ADD_FAILURE() << "scripted dialog answers never used: " << answers_.size() << " message, "
                      << typed_.size() << " input, " << chosen_.size() << " file, " << printers_.size()
                      << " printer";
    }
}

void ScriptedDialogs::answerNext(Answer answer) {
    answers_.push_back(answer);
}
void ScriptedDialogs::typeNext(const QString& text) {
    typed_.emplace_back(text);
}
void ScriptedDialogs::cancelInputNext() {
    typed_.emplace_back(std::nullopt);
}
void ScriptedDialogs::chooseFileNext(const QString& name) {
    chosen_.emplace_back(name);
}
void ScriptedDialogs::cancelFileNext() {
    chosen_.emplace_back(std::nullopt);
}
void ScriptedDialogs::choosePrinterNext(const platform::PrinterChoice& choice) {
    printers_.push_back(choice);
}

int ScriptedDialogs::pendingAnswers() const {
    return static_cast<int>(answers_.size() + typed_.size() + chosen_.size() + printers_.size());
}

QStringList ScriptedDialogs::messages() const {
    QStringList texts;
    for (const Shown& s : shown)
        if (s.kind == Shown::Kind::Message) texts << s.text;
    return texts;
}

QStringList ScriptedDialogs::prompts() const {
    QStringList texts;
    for (const Shown& s : shown)
        if (s.kind == Shown::Kind::Input) texts << s.text;
    return texts;
}

Shown ScriptedDialogs::lastMessage() const {
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (it->kind == Shown::Kind::Message) return *it;
    ADD_FAILURE() << "no message box was shown";
    return Shown{Shown::Kind::Message, {}, {}, Buttons::Ok, {}, {}, {}};
}

Answer ScriptedDialogs::message(const QString& text, Buttons buttons, const QString& title) {
    shown.push_back(Shown{Shown::Kind::Message, text, title, buttons, {}, {}, {}});
    if (buttons == Buttons::Ok) return Answer::Ok;

    if (answers_.empty()) {
        ADD_FAILURE() << "unscripted message box: " << text.toStdString();
        return closedAnswer(buttons);
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    if (!fits(answer, buttons)) {
        ADD_FAILURE() << "scripted answer " << name(answer)
                      << " is not a button of the message box: " << text.toStdString();
        return closedAnswer(buttons);
    }
    return answer;
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title, const QString& initial) {
    shown.push_back(Shown{Shown::Kind::Input, prompt, title, Buttons::OkCancel, initial, {}, {}});
    if (typed_.empty()) {
        ADD_FAILURE() << "unscripted input box: " << prompt.toStdString();
        return {};
    }
    const std::optional<QString> typed = typed_.front();
    typed_.pop_front();
    return typed.value_or(QString());
}

QString ScriptedDialogs::openFile(const FileDialogOptions& options) {
    return fileDialog(Shown::Kind::OpenFile, options);
}

QString ScriptedDialogs::saveFile(const FileDialogOptions& options) {
    return fileDialog(Shown::Kind::SaveFile, options);
}

QString ScriptedDialogs::fileDialog(Shown::Kind kind, const FileDialogOptions& options) {
    shown.push_back(Shown{kind, {}, options.title, Buttons::OkCancel, {}, options, {}});
    if (chosen_.empty()) {
        ADD_FAILURE() << "unscripted file dialog: " << options.title.toStdString();
        return options.initialName;
    }
    const std::optional<QString> chosen = chosen_.front();
    chosen_.pop_front();
    return chosen.value_or(options.emptyWhenCancelled ? QString() : options.initialName);
}

std::optional<platform::PrinterChoice> ScriptedDialogs::choosePrinter(
    const platform::PrinterChoice& current) {
    shown.push_back(Shown{Shown::Kind::ChoosePrinter, {}, {}, Buttons::OkCancel, {}, {}, current});
    if (printers_.empty()) {
        ADD_FAILURE() << "unscripted printer choice";
        return std::nullopt;
    }
    const platform::PrinterChoice chosen = printers_.front();
    printers_.pop_front();
    return chosen;
}

QString ScriptedDialogs::preview(const platform::PrinterChoice& choice,
                                 const platform::DocumentDrawing& draw) {
    shown.push_back(Shown{Shown::Kind::Preview, {}, {}, Buttons::Ok, {}, {}, choice});
    auto document = std::make_shared<PrintedDocument>();
    previews.push_back(document);
    RecordingPrinter printer(document);
    if (previewPageHeight > 0) printer.setPageHeight(previewPageHeight);
    return draw(printer);
}

}  // namespace quorvel::testkit
